// The window as a user meets it: start-up, pages and panels, hand placement, paste, reports,
// playback and previews, each control found by its object name.

#include "app/render/qt_colour.h"
#include "app/window/control_names.h"
#include "app/window/main_window.h"
#include "app/window/score_view.h"
#include "app/window/settings_page.h"
#include "app/window/single_instance.h"
#include "app/window/verse_editor.h"
#include "app/window/widgets.h"
#include "sound/dummy_sequencer.h"
#include "support/sound_support.h"
#include "verse/analysis.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QMenu>
#include <QSet>
#include <QSettings>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextBlock>
#include <QWindow>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kvat {
namespace {

namespace c = control;
using Page = MainWindow::Page;

// Message boxes and the desktop's opener, written down instead of shown.
struct Desk : MessageSink, DesktopOpener {
    Desk(QStringList& log) : log(log) {}
    void Critical(const QString& title, const QString& text) override { log << title + "|" + text; }
    void Exclamation(const QString& title, const QString& text) override { Critical(title, text); }
    void Open(const QUrl& url) override { log << url.toLocalFile(); }
    QStringList& log;
};

class Window : public testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QSettings().clear(); // every test starts from the defaults
        // No sound card here: a sequencer that keeps time on a clock, and no live output.
        auto sequencer = std::make_unique<DummySequencer>();
        sequencer_ = sequencer.get();
        SoundServices sound{std::move(sequencer), {}, {}, {folder_ / "w", folder_ / "c"}};
        window_ = std::make_unique<MainWindow>(std::move(sound), std::make_unique<Desk>(desk_),
                                               std::make_unique<Desk>(desk_));
        window_->StartUp();
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }
    template <class T = QWidget> T* Find(const char* name) { return window_->findChild<T*>(name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(name); }
    QScrollBar* Bar(const char* name) { return Find<QScrollBar>(name); }
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    bool Shown(const char* name) { return Find(name)->isVisibleTo(window_.get()); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    void Choose(const char* list, int index) {
        List(list)->setCurrentIndex(index);
        emit List(list)->activated(index);
    }
    VerseEditor* Editor() { return Find<VerseEditor>(c::kEditor); }
    void Analyse(const Lines& verse, int metre) {
        Editor()->SetVerse(verse);
        Click(c::kAnalyseButton);
        Choose(c::kMetreList, metre);
    }
    // Moves the pointer over the character at a document position; its tooltip.
    QString Hover(int position, bool click = false) {
        QTextCursor cursor(Editor()->document());
        cursor.setPosition(position);
        const QRect left = Editor()->cursorRect(cursor);
        cursor.setPosition(position + 1);
        const QPoint at((left.x() + Editor()->cursorRect(cursor).x()) / 2, left.center().y());
        QTest::mouseMove(Editor()->viewport(), {}); // from elsewhere, so that it is a move
        QTest::mouseMove(Editor()->viewport(), at);
        if (click) QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, at);
        return Editor()->viewport()->toolTip();
    }
    // The dictionary's first analysis comes back from a worker: waits until `shown` holds.
    bool Await(const std::function<bool()>& shown) { return QTest::qWaitFor(shown, 20000); }
    bool Underlined(int position) { return Editor()->UnknownWordAt(position); }
    void ChooseStress(StressMode mode) {
        Trigger(c::kSettingsMenu);
        Click(c::kStressOptions[static_cast<std::size_t>(mode)]);
        Trigger(c::kMainMenu);
    }

    const std::filesystem::path folder_ = test::SoundTestFolder();
    DummySequencer* sequencer_ = nullptr;
    QStringList desk_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Window, StartsOnTheMainPageFromTheDefaultSettings) {
    EXPECT_TRUE(window_->CurrentPage() == Page::kMain && !Find<QAction>(c::kMainMenu)->isEnabled());
    // What the window plays at first is what the defaults play.
    const std::vector<std::string> tokens = {"60+", "64", "67++", "0"};
    EXPECT_EQ(ArrangeMelody(tokens, window_->CurrentSoundSettings()),
              ArrangeMelody(tokens, SoundSettings{}));
    EXPECT_EQ(window_->CurrentMelodySettings().method, MelodySettings{}.method);
    // The handlers ran as if the user had chosen the defaults.
    EXPECT_EQ(Text(c::kDynamicsValue) + Text(c::kTempoValue) + Text(c::kBoostValue), "8010820");
    EXPECT_EQ(Find<QGroupBox>(c::kTonalPanel)->title(), "Настройки метода: частотный (Велтунов)");
    // The sample quatrain: analysed, drawn, and no orthography message.
    EXPECT_TRUE(List(c::kMetreList)->count() == 6 && desk_.isEmpty());
    EXPECT_EQ(window_->ColourList().count("\r\n"), Bar(c::kScoreScroll)->maximum());
    const auto map = window_->CurrentMelodySettings().noteMap; // drawn at random
    EXPECT_LT(std::count(map.begin(), map.end(), map[0]), 10);
}

TEST_F(Window, PagesSwitchAndTheChosenMethodsPanelLiesOverTheTonalOne) {
    Choose(c::kMethodList, 6);
    Trigger(c::kSettingsMenu);
    EXPECT_TRUE(window_->CurrentPage() == Page::kSettings && Shown(c::kCentrePanel) &&
                !Find<QAction>(c::kSettingsMenu)->isEnabled());
    EXPECT_EQ(Find(c::kCentrePanel)->pos() * 15, QPoint(240, 3360));
    window_->resize(900, 1000); // the page moves to the middle of the room, the panel with it
    EXPECT_EQ(Find(c::kCentrePanel)->mapToGlobal(QPoint()),
              Find(c::kTonalPanel)->mapToGlobal(QPoint()));
    EXPECT_EQ(Find<QGroupBox>(c::kCentrePanel)->title(), "Настройки метода: тональный (объемный)");
    Trigger(c::kInstrumentsMenu);
    EXPECT_FALSE(Shown(c::kCentrePanel));
    Click(c::kSpeakers[0]); // the clicked control's focus stays in sight, on the page
    EXPECT_EQ(QApplication::focusWidget(), Find(c::kInstrumentsPage));
    Trigger(c::kAboutItem);
    EXPECT_TRUE(Text(c::kAboutText).contains("В программе использованы:"));
    Choose(c::kMethodList, 2); // the note map: the user is sent to fill it in
    EXPECT_EQ(desk_, QStringList{"Настройки метода|Выберите или сгенерируйте ноты "
                                 "соответствующие буквам."});
    EXPECT_TRUE(window_->CurrentPage() == Page::kSettings && Shown(c::kNoteMapPanel));
    Trigger(c::kMainMenu);
    Choose(c::kMethodList, MethodIndex(Method::kSong)); // its own bars: the sample's trochees
    Trigger(c::kSettingsMenu);
    EXPECT_TRUE(Shown(c::kSongPanel) && !Shown(c::kNumeratorList) &&
                Text(c::kMethodTime) == "2/4 (по метру стиха)");
    Trigger(c::kMainMenu);
    Choose(c::kMethodList, 3); // served by the tonal panel itself
    Trigger(c::kSettingsMenu);
    for (const char* panel : {c::kSoftShiftPanel, c::kFixedPanel, c::kCentrePanel,
                              c::kTemplatePanel, c::kNoteMapPanel, c::kSongPanel})
        EXPECT_FALSE(Shown(panel)) << panel;
    EXPECT_TRUE(Shown(c::kNumeratorList) && !Shown(c::kMethodTime));
}

TEST_F(Window, EachMethodReadsItsOwnPanelsBarsAndTheyNameTheirValues) {
    const std::tuple<int, c::BarNames, int, QString> cases[] = {
        {3, c::kTonalKey, -5, " Играть на 5 тонов ниже"},
        {6, c::kCentreKey, 3, " Играть на 3 тона выше"},
        {9, c::kTemplateKey, 1, " Играть на 1 тон выше"}};
    for (const auto& [method, bar, value, text] : cases) {
        Choose(c::kMethodList, method);
        Bar(bar.bar)->setValue(value);
        EXPECT_EQ(window_->CurrentMelodySettings().keyShift, value) << method;
        EXPECT_EQ(Text(bar.text), text);
    }
    Bar(c::kSoftShift.bar)->setValue(1); // in half steps, with the locale's decimal comma
    EXPECT_TRUE(window_->CurrentMelodySettings().softVowelShift == 1 &&
                Text(c::kSoftShift.text) == " Сместить на 0,5 шага");
    Choose(c::kMethodList, 5); // the sample's last line has seven vowels
    EXPECT_EQ(Bar(c::kCentreShift.bar)->minimum(), -1);
}

TEST_F(Window, HandPlacementPaintsTheVowelUnderThePointer) {
    Analyse({U"дорога домой"}, 5);
    EXPECT_EQ(window_->Metre().templates[5], "00000\r\n");
    EXPECT_EQ(Hover(1), " Нажатие на левую кнопку мыши установит ударение в слове \"дорога\" "
                        "на букву \"о\". ");
    Hover(1, true);
    EXPECT_EQ(window_->Metre().templates[5], "10000\r\n");
    EXPECT_TRUE(Hover(1).startsWith(" Нажатие на левую кнопку мыши снимет ударение"));
    Hover(1, true);
    EXPECT_EQ(Hover(2, true), " Наведите курсор на гласную букву, чтобы установить или убрать "
                              "ударение в слове. ");
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"00000"})); // the «р» took no paint
    // A line added after the last click still gets its pattern when the score is drawn.
    QTextCursor end(Editor()->document());
    end.movePosition(QTextCursor::End);
    end.insertText("\nлес");
    Trigger(c::kSettingsMenu);
    Trigger(c::kMainMenu);
    EXPECT_EQ(window_->Metre().templates[5], "00000\r\n\r\n0\r\n");
    Choose(c::kMetreList, 1); // back on a metre the editor is a plain text field again
    EXPECT_TRUE(Hover(1).isEmpty());
    EXPECT_EQ(Editor()->viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(Window, EachStressModeChoosesItsMetreAndTheRedVowelsFollow) {
    Editor()->SetVerse({U"Буря мглою небо кроет,", U"Вихри снежные крутя"});
    Click(c::kAnalyseButton);
    const std::tuple<StressMode, QString, VowelPaint> cases[] = {
        {StressMode::kDictionary, "Хорей", {"10101010", "1010101"}},
        {StressMode::kRule, "Ямб", {"01010101", "0101010"}}};
    for (const auto& [mode, metre, paint] : cases) {
        ChooseStress(mode);
        EXPECT_TRUE(Await([&] { return List(c::kMetreList)->currentText().startsWith(metre); }))
            << metre.toStdString();
        EXPECT_EQ(Editor()->Paint(), paint);
    }
}

TEST_F(Window, WordsNoSourceKnewAreUnderlinedAndStillTakeAStressByHand) {
    Editor()->SetVerse({U"Кваттракс и небо"});
    ChooseStress(StressMode::kDictionary);
    ASSERT_TRUE(Await([this] { return Underlined(0); }));
    for (int position : {0, 2, 8}) EXPECT_TRUE(Underlined(position)) << position;
    for (int position : {9, 10, 12, 15}) EXPECT_FALSE(Underlined(position)) << position;
    // It says its stress may be placed by hand; a known word says nothing.
    EXPECT_TRUE(Hover(2).contains("вручную") && Hover(12).isEmpty());
    Choose(c::kMetreList, 5);
    Hover(2, true);
    EXPECT_EQ(window_->Metre().templates[5], "10000\r\n");
    EXPECT_TRUE(Underlined(2));
    QTextCursor cursor(Editor()->document());
    cursor.setPosition(9);
    Editor()->setTextCursor(cursor);
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, "ы"); // at the unknown word's end
    QApplication::sendEvent(Editor(), &typed);
    EXPECT_TRUE(Underlined(8) && !Underlined(9));
    ChooseStress(StressMode::kRule); // the rule knows no word, so it marks none
    EXPECT_FALSE(Underlined(0));
}

TEST_F(Window, WhatCanBeDoneSaysSo) {
    QStringList edits; // the editor's menu: the usual edits, with the keys that do them
    for (const QAction* item : Find<QMenu>(c::kEditMenu)->actions())
        if (!item->isSeparator() && !item->shortcut().isEmpty()) edits << item->text();
    EXPECT_EQ(edits, (QStringList{"Отменить", "Повторить", "Вырезать", "Копировать", "Вставить",
                                  "Выделить всё"}));
    EXPECT_EQ(Find<QAction>(c::kSaveAsItem)->shortcut(), QKeySequence("Ctrl+Shift+S"));
    // A note says a click plays from it.
    QTest::mouseMove(Find(c::kScoreCanvas), QPoint(Px(kMarkerStartTwips + 2 * kColumnTwips), 20));
    EXPECT_TRUE(Find(c::kScoreCanvas)->cursor().shape() == Qt::PointingHandCursor &&
                Find(c::kScoreCanvas)->toolTip().contains("играть"));
}

TEST_F(Window, PasteCleansTheTextAndAnalysesAndOrthographyIsToldOncePerText) {
    Editor()->clear();
    QGuiApplication::clipboard()->setText(
        "  Мороз и солнце — день чудесный!\n\n  Ещё ты дремлешь,  друг прелестный  \n");
    Trigger(c::kPasteItem);
    EXPECT_EQ(Editor()->toPlainText(),
              "Мороз и солнце день чудесный!\nЕщё ты дремлешь, друг прелестный");
    EXPECT_TRUE(List(c::kMetreList)->count() == 6 && desk_.isEmpty());
    Editor()->setPlainText("123");
    Click(c::kAnalyseButton);
    const auto told = desk_.size();
    EXPECT_GT(told, 0);
    Choose(c::kMethodList, 4);
    Trigger(c::kSettingsMenu);
    Trigger(c::kMainMenu);
    EXPECT_EQ(desk_.size(), told);
    // A blank line and a dash are a poem's; a slip is told once, and a verse's slips in one box.
    Editor()->setPlainText("лес - дом\n\nлес в\nдом в\nлес к\nлес ж\nлес б\nлес с\nлес з\nлес п");
    Click(c::kAnalyseButton);
    ASSERT_EQ(desk_.size(), told + 1);
    EXPECT_TRUE(desk_.last().count("[в ]") == 1 && desk_.last().count("Ошибка") == 6 &&
                desk_.last().endsWith("…и ещё 2.") && !desk_.last().contains("[ ]") &&
                !desk_.last().contains("[ - ]"))
        << desk_.last().toStdString();
}

TEST_F(Window, TypingGoesOnAfterEveryCommandOfTheMainPage) {
    QGuiApplication::clipboard()->setText("мороз и солнце");
    const std::function<void()> commands[] = {[this] { Trigger(c::kPasteItem); },
                                              [this] { Click(c::kAnalyseButton); },
                                              [this] { Choose(c::kMetreList, 2); },
                                              [this] { Choose(c::kMethodList, 4); },
                                              [this] { Click(c::kPlayButton); },
                                              [this] { Trigger(c::kSettingsMenu), Trigger(c::kMainMenu); }};
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        commands[i]();
        QTest::keyClicks(QApplication::focusWidget(), "z");
        EXPECT_TRUE(Editor()->toPlainText().contains("z")) << i;
        Editor()->setPlainText("мороз");
    }
}

// Keys go through the window, as a user's do: Tab walks the page shown through its own
// controls, and nothing typed on another page reaches the hidden verse.
TEST_F(Window, KeysActOnThePageShownAndTabWalksItsControls) {
    Choose(c::kMethodList, 6); // a method whose panel has bars
    const QString verse = Editor()->toPlainText();
    const std::pair<const char*, std::vector<const char*>> cases[] = {
        {c::kMainMenu, {c::kEditor, c::kMetreList, c::kScoreScroll, c::kPlayButton}},
        {c::kSettingsMenu,
         {c::kDeviceList, c::kStressOptions[0], c::kBoostBar, c::kCentreShift.bar,
          c::kKeepFileCheck}},
        {c::kInstrumentsMenu,
         {c::kVoiceChecks[0], c::kSpeakers[0], c::kDrumMapBar, c::kEffectList, c::kSingerList}},
        {c::kAboutItem, {c::kSiteLink, c::kCreditsLink}}};
    for (const auto& [page, controls] : cases) {
        Trigger(page);
        QSet<QString> reached;
        for (int i = 0; i < 60; ++i) {
            if (page != c::kMainMenu) // keys the verse must never see from here
                for (const auto& [key, with] :
                     {std::pair{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_Delete, Qt::NoModifier}})
                    QTest::keyClick(window_->windowHandle(), key, with);
            QTest::keyClick(window_->windowHandle(), Qt::Key_Tab,
                            i % 2 ? Qt::NoModifier : Qt::ControlModifier);
            const QWidget* focus = QApplication::focusWidget();
            ASSERT_TRUE(focus && focus->isVisible()) << page << " " << i;
            reached << focus->objectName();
        }
        for (const char* control : controls)
            EXPECT_TRUE(reached.contains(control)) << page << " " << control;
    }
    Trigger(c::kMainMenu);
    List(c::kMetreList)->setFocus(); // hand placement chosen by key keeps the keys on the list
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Z}) QTest::keyClick(window_->windowHandle(), key);
    EXPECT_TRUE(Editor()->toPlainText() == verse && !window_->isWindowModified());
}

TEST_F(Window, EveryVerticalBarRisesByItsUpperArrow) {
    Choose(c::kMetreList, 0); // the sample's last line has seven vowels: a centre range
    const std::pair<int, const char*> cases[] = {{3, c::kBoostBar},      {3, c::kTonalKey.bar},
                                                 {1, c::kSoftShift.bar}, {9, c::kTemplateKey.bar},
                                                 {6, c::kCentreKey.bar}, {6, c::kCentreShift.bar}};
    for (const auto& [method, name] : cases) {
        Trigger(c::kMainMenu);
        Choose(c::kMethodList, method);
        Trigger(c::kSettingsMenu);
        QScrollBar* bar = Bar(name);
        ASSERT_TRUE(bar->isVisible() && bar->maximum() > bar->minimum()) << name;
        bar->setValue(bar->minimum());
        QTest::keyClick(bar, Qt::Key_Up); // the key as the arrow pointing up
        EXPECT_EQ(bar->value(), bar->minimum() + 1) << name;
        bar->setValue(bar->minimum());
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, 2));
        EXPECT_EQ(bar->value(), bar->minimum() + 1) << name;
        bar->triggerAction(QAbstractSlider::SliderPageStepSub); // the groove above the handle
        EXPECT_EQ(bar->value(), bar->minimum() + 2) << name;
    }
    EXPECT_FALSE(
        Find(c::kCentreKey.bar)->geometry().intersects(Find(c::kCentreShift.bar)->geometry()));
}

TEST_F(Window, TheMarkerStaysInSightThroughRedrawsAndTheKeysDrivePlayback) {
    auto& playback = window_->Playback();
    QTest::keyClick(Editor(), Qt::Key_F5);
    EXPECT_EQ(playback.state(), PlaybackController::State::kPlaying);
    for (int i = 0; i < 100 && playback.scrollValue() < 3; ++i) playback.Tick();
    ASSERT_EQ(playback.state(), PlaybackController::State::kPlaying); // and the score scrolled
    const std::function<void()> redraws[] = {
        [this] { Trigger(c::kSettingsMenu), Trigger(c::kMainMenu); },
        [this] { Choose(c::kMethodList, 4); }, [this] { Click(c::kAnalyseButton); }};
    for (const auto& redraw : redraws) {
        redraw();
        playback.Tick();
        const int x = Find(c::kMarker)->mapTo(Find(c::kScoreViewport), QPoint()).x();
        EXPECT_TRUE(Find(c::kMarker)->isVisible() && x >= 0 && x < Find(c::kScoreViewport)->width())
            << x;
    }
    QTest::keyClick(Editor(), Qt::Key_F5);
    EXPECT_EQ(playback.state(), PlaybackController::State::kPaused);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_EQ(playback.state(), PlaybackController::State::kStopped);
}

TEST_F(Window, AClickOnANotePlaysFromThere) {
    const auto clickColumn = [this](int column) {
        Click(c::kStopButton); // the score back at its start, every note where it was drawn
        const int x = Px(kMarkerStartTwips + column * kColumnTwips);
        QTest::mouseClick(Find(c::kScoreCanvas), Qt::LeftButton, {}, QPoint(x, 20));
        EXPECT_EQ(window_->Playback().state(), PlaybackController::State::kPlaying);
        // Over the clicked note, which the score may have scrolled to the left since.
        const int scrolled = window_->Playback().scrollValue() * kColumnTwips / 15;
        EXPECT_NEAR(Find(c::kMarker)->x() + scrolled, x, 1);
        return sequencer_->PositionMs().value_or(-1);
    };
    const int later = clickColumn(4);
    EXPECT_GT(later, clickColumn(2));
    EXPECT_GT(clickColumn(2), clickColumn(0)); // from the start, as the play button
}

TEST_F(Window, TheRhymeColumnLabelsTheLinesInSightAndMarksTheRhymePointedAt) {
    Lines verse; // line 5k + 4 is blank
    for (int stanza = 0; stanza < 40; ++stanza)
        verse.insert(verse.end(),
                     {U"ведёт дорога", U"в лесу темно", U"ещё немного", U"и всё равно", U""});
    Editor()->SetVerse(verse);
    Click(c::kAnalyseButton);
    QWidget* column = Find(c::kRhymeColumn);
    const auto row = [this](int line, bool end) {
        QTextCursor cursor(Editor()->document()->findBlockByNumber(line));
        if (end) cursor.movePosition(QTextCursor::EndOfBlock);
        return Editor()->cursorRect(cursor);
    };
    // A letter painted beside a row: dark ink in the column between the row's top and bottom.
    const auto inked = [column](QRect rows) {
        const QImage image = column->grab().toImage();
        for (int y = std::max(rows.top(), 0); y <= std::min(rows.bottom(), image.height() - 1); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 100) return true;
        return false;
    };
    const auto marked = [this] {
        QStringList texts;
        for (const auto& mark : Editor()->extraSelections())
            texts << QString::number(mark.cursor.blockNumber()) + mark.cursor.selectedText();
        return texts.join(' ');
    };
    struct Case {
        int line;      // scrolled into sight
        int pointSize; // a large one wraps the line
        QString tip, marks;
    };
    for (const Case& t : {Case{151, 0, "рифма б, мужская, точная", "151о 153о"},
                          Case{152, 0, "рифма А, женская, точная", "150ога 152ого"},
                          Case{176, 40, "рифма б, мужская, точная", "176о 178о"}}) {
        if (t.pointSize) Editor()->setFont(QFont(Editor()->font().family(), t.pointSize));
        QTextCursor cursor(Editor()->document()->findBlockByNumber(t.line));
        cursor.movePosition(QTextCursor::EndOfBlock);
        Editor()->setTextCursor(cursor);
        Editor()->ensureCursorVisible();
        const QRect end = row(t.line, true), blank = row(t.line - t.line % 5 + 4, false);
        QTest::mouseMove(Editor()->viewport(), {}); // from elsewhere, so that it is a move
        QTest::mouseMove(column, {column->width() / 2, end.center().y()});
        EXPECT_EQ(column->toolTip(), t.tip) << t.line;
        EXPECT_EQ(marked(), t.marks) << t.line;
        EXPECT_TRUE(inked(end) && !inked(blank)) << t.line;
        // A wrapped line's letter stands at its end, where it rhymes.
        if (t.pointSize) {
            EXPECT_TRUE(row(t.line, false).top() < end.top() && !inked(row(t.line, false)));
        }
    }
    QTest::mouseMove(Editor()->viewport(), {column->width(), 5});
    EXPECT_TRUE(marked().isEmpty() && column->toolTip().isEmpty());

    // Hidden, it gives the text its room.
    const int textLeft = Editor()->viewport()->x();
    Trigger(c::kSettingsMenu);
    Click(c::kRhymesCheck);
    Trigger(c::kMainMenu);
    EXPECT_TRUE(!column->isVisible() && Editor()->viewport()->x() < textLeft);
}

TEST_F(Window, TheReportsFollowTheColoursOfTheChosenMetre) {
    const auto report = [this](const char* item) {
        Trigger(item);
        QFile file(desk_.takeLast());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    Analyse({U"мама мыла раму мама", U"дорога"}, 1);
    EXPECT_EQ(report(c::kVerseReportItem),
              "Kvat-1.05: О стихотворении\n\nСтруктура стихотворения:\n\n01010101\n010\n\nгде, 1 "
              "- ударная гласная, 0 - безударная гласная.\n\nРифмовка по строфам:\n\n1. хХ\n\nгде, "
              "а - мужская рифма, А - женская, А′ - дактилическая, А″ - гипердактилическая, х - "
              "строка без рифмы.\n");
    Choose(c::kMetreList, 3);
    EXPECT_TRUE(report(c::kVerseReportItem).contains("\n10010010\n100\n"));
    EXPECT_TRUE(report(c::kHelpTextItem).startsWith("Kvat-1.05: FAO\n\n1. "));
}

// The pictures are framed only while the pointer is over them.
TEST_F(Window, PlayPauseResumeAndStopMoveTheMarkerAndTheLampAndFrameTheirPictures) {
    auto& playback = window_->Playback();
    const auto lamp = [this] { return Find(c::kLamp)->palette().color(QPalette::Window); };
    const auto framed = [this](const char* name) {
        return Find<QLabel>(name)->frameShape() == QFrame::Box;
    };
    QTest::mouseMove(Find(c::kPlayButton));
    EXPECT_TRUE(framed(c::kPlayButton));
    Click(c::kPlayButton); // the pause picture takes its place
    EXPECT_TRUE(!Find(c::kPlayButton)->isVisible() && Find(c::kPauseButton)->isVisible());
    EXPECT_FALSE(framed(c::kPlayButton));
    QTest::mouseMove(Find(c::kStopButton));
    EXPECT_TRUE(framed(c::kStopButton) && !framed(c::kPauseButton));
    QTest::mouseMove(Find(c::kLamp), {0, 0});
    EXPECT_FALSE(framed(c::kStopButton));
    EXPECT_TRUE(Find(c::kMarker)->isVisible() && Find(c::kMarker)->x() * 15 == 1050);
    EXPECT_TRUE(std::filesystem::exists(playback.filePath()) && playback.timerActive());
    Click(c::kPauseButton);
    EXPECT_EQ(playback.state(), PlaybackController::State::kPaused);
    EXPECT_TRUE(Find(c::kPlayButton)->isVisible() && !Find(c::kPauseButton)->isVisible());
    Click(c::kPlayButton);
    playback.Tick(); // the marker walks one column a tick, the lamp showing the colours
    EXPECT_NE(lamp(), QColor(Qt::white));
    for (int i = 0; i < 100 && playback.state() == PlaybackController::State::kPlaying; ++i)
        playback.Tick();
    EXPECT_TRUE(playback.state() == PlaybackController::State::kStopped && !Shown(c::kMarker));
    EXPECT_TRUE(std::filesystem::exists(playback.copyPath())); // kept, as ticked at start
    EXPECT_EQ(lamp(), QColor(Qt::white));
}

// The marker walks one note a tick from the first; the lamp shows that note's syllable however
// far the marker walks before the score starts to scroll under it.
TEST_F(Window, TheLampShowsTheSyllableUnderTheMarkerInAnyWidth) {
    auto& playback = window_->Playback();
    for (const QSize size : {window_->size(), QSize(1200, 900)}) {
        window_->resize(size);
        const std::vector<ColourValue> colours =
            window_->findChild<ScoreCanvas*>()->Sheet().colours;
        Click(c::kPlayButton);
        for (std::size_t note = 1; note < 20; ++note) {
            playback.Tick();
            EXPECT_EQ(Find(c::kLamp)->palette().color(QPalette::Window), ToQColor(colours[note]))
                << size.width() << " " << note;
        }
        Click(c::kStopButton);
    }
}

TEST_F(Window, AVerseWithoutAVowelIsNotPlayedAndLeavesNoFile) {
    namespace fs = std::filesystem;
    fs::remove_all(folder_ / "c");
    for (const QString verse : {"", "123 ..."}) {
        Editor()->setPlainText(verse);
        QTest::keyClick(Editor(), Qt::Key_F5);
        Click(c::kPlayButton);
        EXPECT_TRUE(window_->Playback().state() == PlaybackController::State::kStopped &&
                    !Shown(c::kMarker) && Shown(c::kPlayButton));
        Click(c::kStopButton);
    }
    EXPECT_EQ(desk_.filter("мелодии нет").size(), 4);
    EXPECT_FALSE(fs::exists(folder_ / "c") || fs::exists(window_->Playback().filePath()));
}

TEST_F(Window, TheKeptCopyIsNamedAfterThePoemAndReplacedByItsLaterVersionsOnly) {
    namespace fs = std::filesystem;
    fs::remove_all(folder_ / "c");
    fs::create_directories(folder_ / "c");
    const fs::path other = folder_ / "c" / "Мороз и солнце.mid";
    std::ofstream(other) << "another poem";
    // Played again, edited, or played after a restart: the poem's own copy is replaced.
    const std::pair<QString, const char*> cases[] = {
        {"\n  Мороз: и солнце?\nдень чудесный", "Мороз и солнце (2).mid"},
        {"\n  Мороз: и солнце?\nдень чудесный!", "Мороз и солнце (2).mid"},
        {"Буря, мглою небо кроет,", "Буря мглою небо кроет.mid"},
        {"Буря, мглою небо кроет,\nвихри", "Буря мглою небо кроет.mid"}};
    for (int start = 0; start < 2; ++start, window_.reset(), SetUp())
        for (const auto& [verse, copy] : cases) {
            Editor()->setPlainText(verse);
            Click(c::kPlayButton);
            Click(c::kStopButton);
            EXPECT_EQ(window_->Playback().copyPath(), folder_ / "c" / copy);
        }
    EXPECT_EQ(fs::file_size(other), 12u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "c"), fs::directory_iterator()), 3);
}

TEST_F(Window, ListsShowTheirLongestItemsWhole) {
    // The synthesizer alone: the list says no other device was found.
    Find<SettingsPage>(c::kSettingsPage)->SetDevices({"Midi Through:Midi Through Port-0 14:0"});
    const auto* devices = qobject_cast<QStandardItemModel*>(List(c::kDeviceList)->model());
    EXPECT_TRUE(devices->rowCount() == 2 && !devices->item(1)->isEnabled());
    std::vector<const char*> names(c::kNoteLists.begin(), c::kNoteLists.end());
    names.insert(names.end(), {c::kGroupList, c::kDeviceList});
    for (const char* name : names) {
        QComboBox* list = List(name);
        QStyleOptionComboBox option;
        option.initFrom(list);
        const int field =
            list->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width();
        for (int i = 0; i < list->count(); ++i)
            EXPECT_GE(field, list->fontMetrics().horizontalAdvance(list->itemText(i)))
                << name << " " << list->itemText(i).toStdString();
    }
}

// A second start hands its file to the window open and ends; the window comes forward with it.
TEST_F(Window, ASecondStartHandsItsFileToTheWindowOpen) {
    const auto socket = folder_ / "window.socket", poem = folder_ / "poem.txt";
    std::ofstream(socket) << "left behind by a crash";
    std::ofstream(poem) << "лес\n";
    const QString name = QString::fromStdString(socket.string());
    SingleInstance first(nullptr, name), second(nullptr, name);
    EXPECT_FALSE(second.HandOver({})); // no window listens yet
    ASSERT_TRUE(first.Listen());
    QObject::connect(&first, &SingleInstance::started, window_.get(), &MainWindow::ComeForward);
    window_->showMinimized();
    EXPECT_TRUE(second.HandOver({QString::fromStdString(poem.string())}));
    EXPECT_TRUE(Await([this] { return Editor()->toPlainText() == "лес\n"; }));
    EXPECT_FALSE(window_->isMinimized());
}

// Whatever the machine lacks of sound, starting says nothing on the terminal.
TEST(WindowStart, WritesNothingOnStandardError) {
    const auto log = test::SoundTestFolder() / "stderr.txt";
    std::fflush(stderr);
    const int terminal = dup(2), file = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
    {
        SoundServices sound = SystemSoundServices();
        sound.openOutput(0); // waits for the synthesizer and its drivers' probing
        QStringList messages;
        MainWindow window(std::move(sound), std::make_unique<Desk>(messages));
        window.StartUp();
    }
    std::fflush(stderr);
    dup2(terminal, 2);
    close(terminal);
    EXPECT_EQ(std::filesystem::file_size(log), 0u);
}

} // namespace
} // namespace kvat
