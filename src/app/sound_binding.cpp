// Playback and the preview buttons, bound to the window's controls.

#include "app/dummy_sequencer.h"
#include "app/main_window.h"
#include "app/picture_button.h"
#include "app/score_view.h"
#include "app/verse_editor.h"
#include "melody/melody.h"
#include "midi/sound_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

namespace kvat {

void MainWindow::BindSound() {
    if (!sound_.sequencer) sound_.sequencer = std::make_unique<DummySequencer>();
    if (!sound_.openOutput) sound_.openOutput = [](int) { return std::unique_ptr<LiveOutput>(); };
    playback_ = std::make_unique<PlaybackController>(*sound_.sequencer, sound_.folders);
    preview_ = new Preview(sound_.openOutput, this);

    PlaybackController* p = playback_.get();
    connect(static_cast<PictureButton*>(transport_[0]), &PictureButton::clicked, this, &MainWindow::Play);
    connect(static_cast<PictureButton*>(transport_[1]), &PictureButton::clicked, this, [this, p] {
        findChild<QWidget*>("Command69")->setFocus();
        p->Pause();
    });
    connect(static_cast<PictureButton*>(transport_[2]), &PictureButton::clicked, this, [this, p] {
        findChild<QWidget*>("Command69")->setFocus();
        p->Stop();
    });
    connect(p, &PlaybackController::stateChanged, this, [this](PlaybackController::State state) {
        const bool playing = state == PlaybackController::State::Playing;
        transport_[0]->setVisible(!playing);
        transport_[1]->setVisible(playing);
    });
    connect(p, &PlaybackController::markerMoved, score_->Canvas(), &ScoreCanvas::SetMarker);
    connect(p, &PlaybackController::markerShown, score_->Canvas(), &ScoreCanvas::ShowMarker);
    connect(p, &PlaybackController::scrollChanged, scoreScroll_, &QScrollBar::setValue);
    connect(scoreScroll_, &QScrollBar::valueChanged, p, &PlaybackController::SetScrollValue);
    connect(p, &PlaybackController::lampChanged, this, &MainWindow::LightLamp);
    connect(p, &PlaybackController::lampCleared, this, [this] { PaintLamp(Qt::white); });
    connect(p, &PlaybackController::stopped, preview_, &Preview::CloseOutput);
    connect(keepFile_, &QCheckBox::toggled, p, &PlaybackController::SetKeepCopy);

    connect(deviceList_, &QComboBox::currentIndexChanged, preview_, &Preview::SetDevice);
    for (int k = 0; k < 8; ++k) {
        if (!instrumentPreviews_[k]) continue; // there is no speaker 4
        connect(static_cast<PictureButton*>(instrumentPreviews_[k]), &PictureButton::clicked, this, [this, k] {
            findChild<QWidget*>("Command69")->setFocus();
            preview_->PlaySpeaker(k, CurrentSoundSettings());
        });
    }
    for (int k = 0; k < 10; ++k)
        connect(static_cast<PictureButton*>(notePreviews_[k]), &PictureButton::clicked, this, [this, k] {
            findChild<QWidget*>("Command69")->setFocus();
            preview_->PreviewNote(noteLists_[k]->currentIndex());
        });
}

void MainWindow::Play() {
    findChild<QWidget*>("Command69")->setFocus();
    // The drawn and the played melody are one: the same settings, the same hand pattern.
    if (metre_.metre == kManualMetre) ReadHandPattern();
    const auto melody = GenerateMelody(editor_->VerseLines(), metre_, CurrentMelodySettings());
    playback_->SetKeepCopy(keepFile_->isChecked());
    playback_->SetScrollMaximum(scoreScroll_->maximum());
    playback_->SetScrollValue(scoreScroll_->value());
    playback_->Play(melody ? MelodyTokens(melody->text) : std::vector<std::string>{},
                    CurrentSoundSettings());
}

void MainWindow::LightLamp(int index) {
    const auto& colours = score_->Canvas()->Layout().colours;
    if (index < 0 || index >= static_cast<int>(colours.size())) return; // the lamp keeps its colour
    const ColourValue bgr = colours[index];
    PaintLamp(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
}

void MainWindow::PaintLamp(const QColor& colour) {
    QPalette palette = lamp_->palette();
    palette.setColor(QPalette::Window, colour);
    lamp_->setPalette(palette);
}

} // namespace kvat
