// The main page: what happens when the verse is analysed, coloured and drawn, and the play
// controls bound to playback.

#include "app/window/main_page.h"

#include "app/playback/playback.h"
#include "app/render/qt_colour.h"
#include "app/window/control_names.h"
#include "app/window/dictionary_warm_up.h"
#include "app/window/long_work.h"
#include "app/window/picture_button.h"
#include "app/window/score_view.h"
#include "app/window/verse_editor.h"
#include "app/window/widgets.h"
#include "help/sample_verse.h"
#include "melody/method_texts.h"
#include "score/twips.h"
#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/paste.h"
#include "verse/report.h"
#include "verse/rhymes.h"
#include "verse/syllables.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextCursor>
#include <algorithm>
#include <unordered_set>

namespace kvat {
namespace {

enum Transport { kPlay, kPause, kStop };

constexpr struct {
    Picture picture;
    control::Name name;
    int left;
} kTransport[] = {
    // Play and pause share one place; one of them is shown at a time.
    {Picture::kPlay, control::kPlayButton, 1680},
    {Picture::kPause, control::kPauseButton, 1680},
    {Picture::kStop, control::kStopButton, 2280},
};

// The orthography worth telling: a blank line or a dash between words is part of a poem (a
// file is shown as it stands), not a slip; and a slip is told once, however often it stands.
std::vector<std::u32string> SlipsToTell(const DividedText& syllables) {
    std::vector<std::u32string> told;
    std::unordered_set<std::u32string> seen;
    for (const auto& message : syllables.Messages()) {
        const QString row = Q(std::u32string(syllables.Row(message.row)));
        const bool word =
            std::any_of(row.begin(), row.end(), [](QChar c) { return c.isLetterOrNumber(); });
        if ((word || message.kind == OrthographyMessage::kManyVowels) &&
            seen.insert(message.text).second)
            told.push_back(message.text);
    }
    return told;
}

} // namespace

MainPage::MainPage(QWidget* parent) : QFrame(parent) {
    setObjectName(control::kMainPage);
    BuildVerseControls();
    BuildScoreControls();
    warmUp_ = new DictionaryWarmUp(this);
    connect(warmUp_, &DictionaryWarmUp::ready, this, [this] {
        if (stressMode_ == StressMode::kDictionary) SetStressMode(stressMode_);
    });
    connect(editor_, &VerseEditor::textChanged, this, &MainPage::verseEdited);
    RecordStretch();
}

void MainPage::BuildVerseControls() {
    editor_ = new VerseEditor(this);
    editor_->setGeometry(TwipRect(120, 240, 4215, 2055));
    editor_->SetVerse(Lines(kSampleVerse.begin(), kSampleVerse.end()));
    connect(editor_, &VerseEditor::ictusToggled, this, &MainPage::OnIctusToggled);
    connect(editor_, &VerseEditor::pasteRequested, this, &MainPage::OnPaste);

    MakeLabel(this, control::kMetreLabel, "Размер:", 120, 2430, 700);
    metreList_ = MakeList(this, control::kMetreList, 840, 2400, 2655);
    // Tab reaches the lists; a click on one leaves the focus in the editor.
    metreList_->setFocusPolicy(Qt::TabFocus);
    connect(metreList_, &QComboBox::activated, this, &MainPage::OnMetreChosen);

    auto* analyse = new QPushButton("Анализ", this);
    analyse->setObjectName(control::kAnalyseButton);
    analyse->setGeometry(TwipRect(3600, 2415, 735, 255));
    analyse->setToolTip(" Автоопределение стихотворного размера ");
    analyse->setFocusPolicy(Qt::TabFocus);
    connect(analyse, &QPushButton::clicked, this, [this, analyse] {
        HandFocusOn(analyse, editor_);
        AnalyseVerse();
        emit scoreOutdated();
    });

    MakeLabel(this, control::kMethodLabel, "Метод:", 120, 2790, 700);
    QStringList methods;
    for (const auto& method : kMethods) methods << Q(method.name);
    methodList_ = MakeList(this, control::kMethodList, 840, 2760, 2655, methods);
    methodList_->setFocusPolicy(Qt::TabFocus);
    connect(methodList_, &QComboBox::activated, this, [this](int index) {
        HandFocusOn(methodList_, editor_);
        emit methodChosen(index);
    });
}

void MainPage::BuildScoreControls() {
    score_ = new ScoreViewport(this);
    score_->setGeometry(TwipRect(120, 3120, kViewportTwips, kViewportHeightTwips));
    scoreScroll_ = MakeScroll(this, control::kScoreScroll, Qt::Horizontal, 0, 0, 0,
                              TwipRect(120, 4680, kViewportTwips, 135));
    connect(scoreScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        HandFocusOn(scoreScroll_, editor_);
        score_->ScrollTo(value);
    });

    lamp_ = new QWidget(this);
    lamp_->setObjectName(control::kLamp);
    lamp_->setGeometry(TwipRect(120, 4800, 4215, 1095));
    lamp_->setAutoFillBackground(true);
    PaintLamp(Qt::white);

    auto* pictures = new PictureGroup(this);
    for (std::size_t i = 0; i < transport_.size(); ++i) {
        transport_[i] = new PictureButton(kTransport[i].picture, kTransport[i].name, this);
        transport_[i]->setGeometry(TwipRect(kTransport[i].left, 5100, 480, 480));
        pictures->Add(transport_[i]);
    }
    transport_[kPause]->hide();
    connect(transport_[kPlay], &PictureButton::clicked, this, [this] {
        HandFocusOn(transport_[kPlay], editor_);
        emit playClicked();
    });
    connect(score_->Canvas(), &ScoreCanvas::columnClicked, this, [this](int column) {
        editor_->setFocus();
        emit playFromClicked(column);
    });
}

void MainPage::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    editor_->setFocus();
}

void MainPage::BindPlayback(PlaybackController& playback) {
    playback_ = &playback;
    PlaybackController* p = &playback;
    connect(transport_[kPause], &PictureButton::clicked, this, [this, p] {
        HandFocusOn(transport_[kPause], editor_);
        p->Pause();
    });
    connect(transport_[kStop], &PictureButton::clicked, this, [this, p] {
        HandFocusOn(transport_[kStop], editor_);
        p->Stop();
    });
    connect(p, &PlaybackController::stateChanged, this, [this](PlaybackController::State state) {
        const bool playing = state == PlaybackController::State::kPlaying;
        transport_[kPlay]->setVisible(!playing);
        transport_[kPause]->setVisible(playing);
    });
    connect(p, &PlaybackController::markerMoved, score_->Canvas(), &ScoreCanvas::SetMarker);
    connect(p, &PlaybackController::markerShown, score_->Canvas(), &ScoreCanvas::ShowMarker);
    connect(p, &PlaybackController::scrollChanged, scoreScroll_, &QScrollBar::setValue);
    connect(scoreScroll_, &QScrollBar::valueChanged, p, &PlaybackController::SetScrollValue);
    connect(p, &PlaybackController::lampChanged, this, &MainPage::LightLamp);
    connect(p, &PlaybackController::lampCleared, this, [this] { PaintLamp(Qt::white); });
}

int MainPage::ScrollMaximum() const {
    return scoreScroll_->maximum();
}
int MainPage::ScrollValue() const {
    return scoreScroll_->value();
}

void MainPage::AnalyseVerse() {
    const StressMode mode = warmUp_->Ready() ? stressMode_ : StressMode::kRule;
    const Lines& lines = editor_->VerseLines();
    const auto analyse = [this, &lines, mode] {
        return kvat::AnalyseVerse(lines, LocaleDecimalSeparator(), mode, &stressMemo_);
    };
    const VerseAnalysis analysis = lines.size() < kLongVerseLines
                                       ? analyse()
                                       : RunLongWork(this, "Анализ стихотворения…", analyse);
    editor_->UnderlineUnknown(analysis.unknownWords);
    metre_.templates = analysis.templates;
    stress_ = analysis.stress;
    metreList_->clear();
    // An empty text: the list stays empty, the metre unchanged.
    if (analysis.metre) {
        for (const auto& item : analysis.items) metreList_->addItem(Q(item));
        metreList_->setCurrentIndex(*analysis.metre);
        ColourEditor();
    }
    FindRhymesAgain();
}

void MainPage::SetStressMode(StressMode mode) {
    stressMode_ = mode;
    if (mode == StressMode::kDictionary && !warmUp_->Ready()) {
        warmUp_->Start(); // its `ready` comes back here
        return;
    }
    AnalyseVerse();
    emit scoreOutdated();
}

void MainPage::Apply(const MelodySettings& settings) {
    methodList_->setCurrentIndex(settings.method ? MethodIndex(*settings.method) : -1);
}

void MainPage::ReadInto(MelodySettings& settings) const {
    settings.method = MethodFromIndex(methodList_->currentIndex());
}

void MainPage::ColourEditor() {
    const int index = metreList_->currentIndex();
    if (index < 0) return;
    if (index < kManualMetre)
        editor_->ApplyPaint(ColourIctuses(editor_->VerseLines(), metre_.templates, index));
    metre_.metre = static_cast<kvat::Metre>(index);
    editor_->SetHandPlacement(index == kManualMetre);
}

QString MainPage::VerseText() const {
    return editor_->toPlainText();
}

Lines MainPage::VerseLines() const {
    return editor_->VerseLines();
}

void MainPage::LoadVerse(const QString& text) {
    // Shown as it stands, never cleaned as a paste is: a poem's blank lines, dashes and spaces
    // are the poet's, and saving must give the same text back. Loading is no edit to undo.
    QString verse = text;
    editor_->clear();
    PutText(verse.replace("\r\n", "\n").replace('\r', '\n'));
    editor_->document()->clearUndoRedoStacks();
}

ScoreLayout MainPage::Layout() const {
    return score_->Canvas()->Sheet().Layout();
}

float MainPage::ScoreWidth() const {
    return static_cast<float>(score_->WidthTwips());
}

void MainPage::ReadHandPattern() {
    metre_.templates[kManualMetre] = ReadManualIctuses(editor_->VerseLines(), editor_->Paint());
}

void MainPage::OnMetreChosen(int index) {
    const bool byHand = metre_.metre == kManualMetre;
    HandFocusOn(metreList_, editor_);
    ColourEditor();
    if (index == kManualMetre) {
        // Hand placement starts afresh from an all-black text. The focus stays where the choice
        // was made: a list the keyboard walks must not hand its next keys to the verse.
        editor_->ApplyPaint({});
        QTextCursor cursor = editor_->textCursor();
        cursor.setPosition(0);
        editor_->setTextCursor(cursor);
        ReadHandPattern();
    }
    // The rhymes follow the analysis's stresses, whatever its metre, or the vowels painted.
    if (byHand || index == kManualMetre) FindRhymesAgain();
    emit scoreOutdated();
}

void MainPage::OnIctusToggled() {
    ReadHandPattern();
    ColourEditor();
    FindRhymesAgain();
    emit scoreOutdated();
}

void MainPage::OnPaste(const QString& clipboard) {
    QString text = clipboard;
    text.replace("\r\n", "\n").replace('\n', "\r\n");
    const bool longText = static_cast<std::size_t>(text.count('\n')) >= kLongVerseLines;
    const auto clean = [&text] { return CleanPastedText(text.toStdU32String()); };
    PutText(Q(longText ? RunLongWork(this, "Вставка стихотворения…", clean) : clean())
                .replace("\r\n", "\n"));
}

void MainPage::PutText(const QString& text) {
    QTextCursor cursor = editor_->textCursor();
    if (static_cast<std::size_t>(text.count('\n')) < kLongVerseLines) {
        cursor.insertText(text);
    } else {
        // A long text goes in a part at a time, the window drawing itself in between.
        constexpr qsizetype kPart = 1 << 16;
        QProgressDialog progress("Вставка стихотворения…", QString(), 0,
                                 static_cast<int>(text.size() / kPart), this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setCancelButton(nullptr);
        progress.setMinimumDuration(500);
        for (qsizetype at = 0; at < text.size(); at += kPart) {
            cursor.insertText(text.mid(at, kPart));
            progress.setValue(static_cast<int>(at / kPart));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    editor_->setFocus();
    AnalyseVerse();
    emit scoreOutdated();
}

const MetreState& MainPage::FreshMetre() {
    if (metre_.metre == kManualMetre) ReadHandPattern();
    return metre_;
}

std::vector<std::string> MainPage::FreshStress() const {
    if (metre_.metre != kManualMetre) return stress_;
    return HandPlacedStress(editor_->VerseLines(), stress_, editor_->Paint());
}

// As the piece finds them, from the last analysis's stresses or the vowels painted by hand.
void MainPage::FindRhymesAgain() {
    editor_->ShowRhymes(RhymeMarks(FindRhymes(editor_->VerseLines(), FreshStress())));
}

void MainPage::ShowRhymeColumn(bool shown) {
    editor_->ShowRhymeColumn(shown);
}

MainPage::Drawing MainPage::DrawScore(const Piece& piece) {
    ScoreOptions shown = piece.scoreOptions;
    const int width = score_->WidthTwips(); // the window may have grown, or zoomed
    shown.viewportWidth = static_cast<float>(width);
    if (playback_) playback_->SetViewportWidth(width);
    score_->Canvas()->SetSheet({}); // the old score's memory is free before the new is made

    Drawing drawing;
    // A text's orthography is told once; redrawing the same text tells it no more.
    const QString text = editor_->toPlainText();
    if (text != messagedText_) drawing.messages = SlipsToTell(piece.syllables);
    messagedText_ = text;
    const auto compose = [&] {
        return MakeScoreSheet(piece.tokens, piece.syllables, piece.header, shown,
                              DrawnLengths(piece));
    };
    score_->Canvas()->SetSheet(piece.lines.size() < kLongVerseLines
                                   ? compose()
                                   : RunLongWork(this, "Построение партитуры…", compose));

    // While it plays the score stays where the marker is, so the marker stays in sight.
    const bool playing = playback_ && playback_->state() != PlaybackController::State::kStopped;
    scoreScroll_->setRange(0, score_->Canvas()->Sheet().scrollMaximum);
    scoreScroll_->setValue(playing ? playback_->scrollValue() : 0);
    score_->ScrollTo(scoreScroll_->value());
    drawing.scrollMaximum = scoreScroll_->maximum();
    return drawing;
}

QString MainPage::ColourList() const {
    QString list;
    for (ColourValue colour : score_->Canvas()->Sheet().colours)
        list += "&H" + QString::number(colour, 16).toUpper() + "\r\n";
    return list;
}

std::u32string MainPage::VerseReport() const {
    const Lines& lines = editor_->VerseLines();
    return kvat::VerseReport(ReadManualIctuses(lines, editor_->Paint()),
                             FindRhymes(lines, FreshStress()));
}

void MainPage::LightLamp(int index) {
    const auto& colours = score_->Canvas()->Sheet().colours;
    if (index < 0 || index >= static_cast<int>(colours.size())) return; // it keeps its colour
    PaintLamp(ToQColor(colours[index]));
}

void MainPage::PaintLamp(const QColor& colour) {
    QPalette palette = lamp_->palette();
    palette.setColor(QPalette::Window, colour);
    lamp_->setPalette(palette);
}

} // namespace kvat
