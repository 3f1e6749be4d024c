// The main page: the verse editor, the metre and method lists, the score and the play controls,
// and what happens when the verse is analysed, coloured and drawn.

#include "app/main_window.h"
#include "app/picture_button.h"
#include "app/platform_services.h"
#include "app/score_view.h"
#include "app/verse_editor.h"
#include "app/widgets.h"
#include "help/sample_verse.h"
#include "melody/melody.h"
#include "melody/method_texts.h"
#include "midi/sound_settings.h"
#include "midi/sound_tables.h"
#include "score/score_layout.h"
#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/paste.h"
#include "verse/syllables.h"

#include <QFrame>
#include <QLocale>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>

namespace kvat {
namespace {

char32_t LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? U'.' : static_cast<char32_t>(point.at(0).unicode());
}

} // namespace

QFrame* MainWindow::BuildMainPage() {
    auto* page = new QFrame;
    page->setObjectName("Frame1");
    page->setMouseTracking(true);

    editor_ = new VerseEditor(page);
    editor_->setGeometry(TwipRect(120, 240, 4215, 2055));
    editor_->SetVerse(Lines(kSampleVerse.begin(), kSampleVerse.end()));
    connect(editor_, &VerseEditor::IctusToggled, this, &MainWindow::OnIctusToggled);
    connect(editor_, &VerseEditor::PasteRequested, this, &MainWindow::OnPaste);

    MakeLabel(page, "LabelMetre", "Размер:", 120, 2430, 700);
    metreList_ = MakeList(page, "Combo1", 840, 2400, 2655);
    connect(metreList_, &QComboBox::activated, this, &MainWindow::OnMetreChosen);

    auto* analyse = new QPushButton("Анализ", page);
    analyse->setObjectName("Command1");
    analyse->setGeometry(TwipRect(3600, 2415, 735, 255));
    analyse->setToolTip(" Автоопределение стихотворного размера ");
    connect(analyse, &QPushButton::clicked, this, [this] {
        findChild<QWidget*>("Command69")->setFocus();
        AnalyseVerse();
        DrawScore();
    });

    MakeLabel(page, "LabelMethod", "Метод:", 120, 2790, 700);
    QStringList methods;
    for (auto name : kMethodNames) methods << Q(name);
    methodList_ = MakeList(page, "Combo2", 840, 2760, 2655, methods);
    connect(methodList_, &QComboBox::activated, this, &MainWindow::OnMethodChosen);

    score_ = new ScoreViewport(page);
    score_->setGeometry(TwipRect(120, 3120, 4215, 1575));
    scoreScroll_ = MakeScroll(page, "HScroll9", Qt::Horizontal, 0, 0, 0, TwipRect(120, 4680, 4215, 135));
    connect(scoreScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        findChild<QWidget*>("Command69")->setFocus();
        score_->ScrollTo(value);
    });

    lamp_ = new QWidget(page);
    lamp_->setObjectName("Picture3");
    lamp_->setGeometry(TwipRect(120, 4800, 4215, 1095));
    lamp_->setAutoFillBackground(true);
    QPalette palette = lamp_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    lamp_->setPalette(palette);

    const std::pair<Picture, const char*> pictures[] = {
        {Picture::kPlay, "Image1"}, {Picture::kPause, "Image2"}, {Picture::kStop, "Image3"}};
    for (int i = 0; i < 3; ++i) {
        auto* button = new PictureButton(pictures[i].first, pictures[i].second, page);
        // Play and pause share one place; one of them is shown at a time.
        button->setGeometry(TwipRect(i == 2 ? 2280 : 1680, 5100, 480, 480));
        button->installEventFilter(this);
        transport_[i] = button;
    }
    transport_[1]->hide();
    return page;
}

void MainWindow::AnalyseVerse() {
    const Lines lines = editor_->VerseLines();
    const VerseAnalysis analysis = kvat::AnalyseVerse(lines, LocaleDecimalSeparator());
    metre_.templates = analysis.templates;
    metreList_->clear();
    if (!analysis.metre) return; // an empty text: the list stays empty, the metre unchanged
    for (const auto& item : analysis.items) metreList_->addItem(QString::fromStdU32String(item));
    metreList_->setCurrentIndex(*analysis.metre);
    ColourEditor();
}

void MainWindow::ColourEditor() {
    const int index = metreList_->currentIndex();
    if (index < 0) return;
    if (index < kManualMetre)
        editor_->ApplyPaint(ColourIctuses(editor_->VerseLines(), metre_.templates, index));
    metre_.metre = static_cast<kvat::Metre>(index);
    editor_->SetHandPlacement(index == kManualMetre);
}

void MainWindow::ReadHandPattern() {
    metre_.templates[kManualMetre] = ReadManualIctuses(editor_->VerseLines(), editor_->Paint());
}

void MainWindow::OnMetreChosen(int index) {
    findChild<QWidget*>("Command69")->setFocus();
    ColourEditor();
    if (index == kManualMetre) {
        // Hand placement starts afresh from an all-black text.
        editor_->setFocus();
        editor_->ApplyPaint({});
        QTextCursor cursor = editor_->textCursor();
        cursor.setPosition(0);
        editor_->setTextCursor(cursor);
        ReadHandPattern();
    }
    DrawScore();
}

void MainWindow::OnIctusToggled() {
    ReadHandPattern();
    ColourEditor();
    DrawScore();
}

void MainWindow::OnPaste(const QString& clipboard) {
    QString text = clipboard;
    text.replace("\r\n", "\n").replace('\n', "\r\n");
    const std::u32string cleaned = CleanPastedText(text.toStdU32String());
    QTextCursor cursor = editor_->textCursor();
    cursor.insertText(QString::fromStdU32String(cleaned).replace("\r\n", "\n"));
    editor_->setFocus();
    findChild<QWidget*>("Command69")->setFocus();
    AnalyseVerse();
    DrawScore();
}

void MainWindow::DrawScore() {
    // The red vowels are the hand-placed pattern: read them afresh, so a line added since the
    // last click still has its pattern.
    if (metre_.metre == kManualMetre) ReadHandPattern();
    const Lines lines = editor_->VerseLines();
    const DividedText divided = DivideSyllables(lines);
    const MelodySettings settings = CurrentMelodySettings();
    const auto melody = GenerateMelody(lines, metre_, settings);
    if (settings.method && HasCentreRange(*settings.method)) {
        const auto [top, bottom] = melody && melody->centreRange ? *melody->centreRange : CentreRange(lines);
        vscroll8_->setRange(std::min(top, bottom), std::max(top, bottom));
    }

    std::vector<std::u32string_view> rows;
    rows.reserve(divided.RowCount());
    for (std::size_t k = 0; k < divided.RowCount(); ++k) rows.push_back(divided.Row(k));
    const std::vector<std::string> tokens = melody ? MelodyTokens(melody->text) : std::vector<std::string>{};
    const std::vector<std::string_view> tokenViews(tokens.begin(), tokens.end());
    ScoreHeader header;
    header.tempoTerm = tempoTerm_.toStdU32String();
    if (const auto tempo = TempoValue(tempoList_->currentIndex())) {
        header.beatsPerMinute = tempo->bpm;
        tempoTerm_ = Q(tempo->term);
    }
    header.dynamicsGlyph = static_cast<char32_t>(dynamicsGlyph_);
    header.numerator = numeratorList_->currentText().toInt();
    header.denominator = denominatorList_->currentText().toInt();
    ScoreOptions options;
    options.accents = boostScroll_->value() > 0;
    options.colour = colourOption_->isChecked();

    score_->Canvas()->SetLayout(LayoutScore(rows, tokenViews, header, options));
    scoreScroll_->setRange(0, score_->Canvas()->Layout().scrollMaximum);
    if (playback_) playback_->SetScrollMaximum(scoreScroll_->maximum());
    scoreScroll_->setValue(0);
    score_->ScrollTo(0);

    // The messages come last, once the score stands drawn: a dialog runs the event loop, and
    // nothing may start half-way through a drawing.
    for (const auto& message : divided.Messages())
        messages_->Critical(Q(kOrthographyTitle), QString::fromStdU32String(message.text));
}

QString MainWindow::ColourList() const {
    QString list;
    for (ColourValue colour : score_->Canvas()->Layout().colours)
        list += "&H" + QString::number(colour, 16).toUpper() + "\r\n";
    return list;
}

MelodySettings MainWindow::CurrentMelodySettings() const {
    MelodySettings s;
    s.method = MethodFromIndex(methodList_->currentIndex());
    s.lengthen = lengthen_->isChecked();
    // Each family of methods keeps its own key bar; the chosen method reads its family's.
    const int index = methodList_->currentIndex();
    s.keyShift = index <= 4 ? vscroll4_->value() : index <= 7 ? vscroll7_->value() : vscroll6_->value();
    s.softVowelShift = vscroll5_->value();
    s.centreShift = vscroll8_->value();
    for (int i = 0; i < 10; ++i) s.noteMap[i] = noteLists_[i]->currentIndex();
    return s;
}

SoundSettings MainWindow::CurrentSoundSettings() const {
    SoundSettings s;
    s.dynamics = dynamicsList_->currentIndex();
    s.boost = boostScroll_->value();
    s.lengthen = lengthen_->isChecked();
    s.tempo = tempoList_->currentIndex();
    s.numerator = numeratorList_->currentText().toInt();
    s.denominator = denominatorList_->currentText().toInt();
    s.soprano = voiceLists_[0]->currentIndex();
    VoiceChoice* voices[] = {&s.mezzo, &s.tenor, &s.bass};
    for (int i = 0; i < 3; ++i) *voices[i] = {voiceChecks_[i]->isChecked(), voiceLists_[i + 1]->currentIndex()};
    s.groupOn = groupCheck_->isChecked();
    s.group = groupList_->currentIndex();
    s.drumsOn = drumsCheck_->isChecked();
    s.drumFirst = drumFirst_->currentIndex();
    s.drumLast = drumLast_->currentIndex();
    s.drumMap = drumMap_->value();
    s.accompanimentOn = accompanimentCheck_->isChecked();
    s.accompaniment = accompanimentList_->currentIndex();
    s.effect = effectList_->currentIndex();
    return s;
}

} // namespace kvat
