// The window as a user meets it: start-up, pages and panels, hand placement, paste, reports,
// playback and previews, each control found by its object name.

#include "app/window/control_names.h"
#include "app/window/main_window.h"
#include "app/window/verse_editor.h"
#include "sound/dummy_sequencer.h"
#include "support/recording_output.h"
#include "support/sound_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kvat {
namespace {

namespace c = control;
using Page = MainWindow::Page;
using State = PlaybackController::State;

// Message boxes and the desktop's opener, written down instead of shown.
struct Sink : MessageSink {
    explicit Sink(QStringList& shown) : shown(shown) {}
    void Critical(const QString& title, const QString& text) override {
        shown << title + "|" + text;
    }
    void Exclamation(const QString& title, const QString& text) override {
        Critical("!" + title, text);
    }
    QStringList& shown;
};
struct Opener : DesktopOpener {
    explicit Opener(QList<QUrl>& opened) : opened(opened) {}
    void Open(const QUrl& url) override { opened << url; }
    QList<QUrl>& opened;
};

class Window : public testing::Test {
protected:
    static void SetUpTestSuite() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void SetUp() override {
        // No sound card here: a sequencer that keeps time on a clock, outputs that record.
        SoundServices sound{std::make_unique<DummySequencer>(),
                            test::RecordingOpener(log_),
                            {"Синтезатор", "Порт 1"},
                            {test::SoundTestFolder() / "work", test::SoundTestFolder() / "copy"}};
        window_ = std::make_unique<MainWindow>(std::move(sound), std::make_unique<Sink>(shown_),
                                               std::make_unique<Opener>(opened_));
        window_->StartUp();
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    template <class T = QWidget> T* Find(const char* name) {
        T* child = window_->findChild<T*>(name);
        if (!child) ADD_FAILURE() << "no control " << name;
        return child;
    }
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
    void Analyse(const Lines& verse) {
        Editor()->SetVerse(verse);
        Click(c::kAnalyseButton);
    }
    // The middle of the character at a document position, in the editor's viewport.
    QPoint PointAt(int position) {
        QTextCursor cursor(Editor()->document());
        cursor.setPosition(position);
        const QRect left = Editor()->cursorRect(cursor);
        cursor.setPosition(position + 1);
        return QPoint((left.x() + Editor()->cursorRect(cursor).x()) / 2, left.center().y());
    }
    QString HoverTip(int position) {
        const QPoint at = PointAt(position);
        QMouseEvent move(QEvent::MouseMove, at, Editor()->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Editor()->viewport(), &move);
        return Editor()->viewport()->toolTip();
    }
    void ClickAt(int position) {
        QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, PointAt(position));
    }

    QStringList shown_;
    QList<QUrl> opened_;
    std::shared_ptr<test::OutputLog> log_ = std::make_shared<test::OutputLog>();
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Window, StartsOnTheMainPageFromTheDefaultSettings) {
    EXPECT_EQ(window_->CurrentPage(), Page::kMain);
    EXPECT_FALSE(Find<QAction>(c::kMainMenu)->isEnabled());
    // What the window plays at first is what the defaults play.
    const std::vector<std::string> tokens = {"60+", "64", "67++", "0"};
    EXPECT_EQ(ArrangeMelody(tokens, window_->CurrentSoundSettings()),
              ArrangeMelody(tokens, SoundSettings{}));
    EXPECT_EQ(window_->CurrentMelodySettings().method, MelodySettings{}.method);
    EXPECT_EQ(window_->CurrentMelodySettings().lengthen, MelodySettings{}.lengthen);
    // The handlers ran as if the user had chosen them.
    for (auto [label, text] : {std::pair{c::kDynamicsValue, "80"},
                               {c::kTempoValue, "108"},
                               {c::kBoostValue, "20"},
                               {c::kDrumMapValue, "Карта: 5"}})
        EXPECT_EQ(Text(label), text);
    EXPECT_EQ(Find<QGroupBox>(c::kTonalPanel)->title(), "Настройки метода: частотный (Велтунов)");
    // The sample quatrain: analysed, coloured, drawn, and no orthography message.
    EXPECT_EQ(List(c::kMetreList)->count(), 6);
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_GT(Bar(c::kScoreScroll)->maximum(), 20);
    EXPECT_EQ(window_->ColourList().count("\r\n"), Bar(c::kScoreScroll)->maximum());
    for (const char* list : c::kNoteLists) EXPECT_GE(List(list)->currentIndex(), 0);
}

TEST_F(Window, PagesSwitchAndTheChosenMethodsPanelLiesOverTheTonalOne) {
    const char* floating[] = {c::kSoftShiftPanel, c::kFixedPanel, c::kCentrePanel,
                              c::kTemplatePanel, c::kNoteMapPanel};
    Choose(c::kMethodList, 6);
    Trigger(c::kSettingsMenu);
    EXPECT_EQ(window_->CurrentPage(), Page::kSettings);
    EXPECT_FALSE(Find<QAction>(c::kSettingsMenu)->isEnabled());
    EXPECT_TRUE(Shown(c::kCentrePanel));
    EXPECT_EQ(Find(c::kCentrePanel)->pos() * 15, QPoint(240, 3480));
    EXPECT_EQ(Find<QGroupBox>(c::kCentrePanel)->title(), "Настройки метода: тональный (объемный)");
    Trigger(c::kInstrumentsMenu);
    for (const char* panel : floating) EXPECT_FALSE(Shown(panel)) << panel;
    Choose(c::kMethodList, 3); // served by the tonal panel itself
    Trigger(c::kSettingsMenu);
    for (const char* panel : floating) EXPECT_FALSE(Shown(panel)) << panel;
    Trigger(c::kAboutItem);
    EXPECT_FALSE(Find<QMenu>(c::kHelpMenu)->menuAction()->isEnabled());
    EXPECT_TRUE(Text(c::kAboutText).contains("В программе использованы:"));
    Choose(c::kMethodList, 2); // the note map: the user is sent to fill it in
    EXPECT_EQ(shown_, QStringList{"!Настройки метода|Выберите или сгенерируйте ноты "
                                  "соответствующие буквам."});
    EXPECT_TRUE(window_->CurrentPage() == Page::kSettings && Shown(c::kNoteMapPanel));
}

TEST_F(Window, EachMethodReadsItsOwnPanelsBars) {
    const std::tuple<int, const char*, int> cases[] = {
        {3, c::kTonalKey.bar, -2}, {6, c::kCentreKey.bar, 3}, {9, c::kTemplateKey.bar, 5}};
    for (const auto& [method, bar, value] : cases) {
        Choose(c::kMethodList, method);
        Bar(bar)->setValue(value);
        EXPECT_EQ(window_->CurrentMelodySettings().keyShift, value) << method;
    }
    Bar(c::kSoftShift.bar)->setValue(4);
    EXPECT_EQ(window_->CurrentMelodySettings().softVowelShift, 4);
}

TEST_F(Window, AMetreChoiceRecoloursTheEditor) {
    Analyse({U"мама мыла раму", U"дорога"});
    Choose(c::kMetreList, 3);
    EXPECT_EQ(window_->Metre().metre, 3);
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"100100", "100"}));
    Choose(c::kMetreList, 1);
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"010101", "010"}));
}

TEST_F(Window, HandPlacementPaintsTheVowelUnderThePointer) {
    Analyse({U"дорога домой"});
    Choose(c::kMetreList, 5);
    EXPECT_EQ(window_->Metre().templates[5], "00000\r\n");
    EXPECT_EQ(HoverTip(1), // the «о» of «дорога»
              " Нажатие на левую кнопку мыши установит ударение в слове \"дорога\" на букву "
              "\"о\". ");
    ClickAt(1);
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"10000"}));
    EXPECT_EQ(window_->Metre().templates[5], "10000\r\n");
    EXPECT_TRUE(HoverTip(1).startsWith(" Нажатие на левую кнопку мыши снимет ударение"));
    ClickAt(1);
    EXPECT_EQ(HoverTip(2), " Наведите курсор на гласную букву, чтобы установить или убрать "
                           "ударение в слове. ");
    ClickAt(2); // the «р»
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"00000"}));
    // A line added after the last click still gets its pattern when the score is drawn.
    QTextCursor end(Editor()->document());
    end.movePosition(QTextCursor::End);
    end.insertText("\nлес");
    Trigger(c::kSettingsMenu);
    Trigger(c::kMainMenu);
    EXPECT_EQ(window_->Metre().templates[5], "00000\r\n\r\n0\r\n");
    Choose(c::kMetreList, 1); // back on a metre the editor is a plain text field again
    EXPECT_TRUE(HoverTip(1).isEmpty());
}

TEST_F(Window, PasteCleansTheTextAndAnalyses) {
    Editor()->clear();
    QGuiApplication::clipboard()->setText(
        "  Мороз и солнце — день чудесный!\n\n  Ещё ты дремлешь,  друг прелестный  \n");
    Trigger(c::kPasteItem);
    EXPECT_EQ(Editor()->toPlainText(),
              "Мороз и солнце день чудесный!\nЕщё ты дремлешь, друг прелестный");
    EXPECT_EQ(List(c::kMetreList)->count(), 6);
    EXPECT_TRUE(shown_.isEmpty());
}

TEST_F(Window, TheReportsAreWrittenAndOpened) {
    const auto report = [this](const char* item) {
        Trigger(item);
        QFile file(opened_.value(0).toLocalFile());
        opened_.clear();
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    Analyse({U"мама мыла раму мама", U"дорога"});
    Choose(c::kMetreList, 1);
    EXPECT_EQ(report(c::kVerseReportItem),
              "Kvat-1.05: О стихотворении\n\nСтруктура стихотворения:\n\n01010101\n010\n\nгде, 1 "
              "- ударная гласная, 0 - безударная гласная.\n");
    EXPECT_TRUE(report(c::kHelpTextItem).startsWith("Kvat-1.05: FAO\n\n1. "));
}

TEST_F(Window, BarsNameTheirValuesAndListsFollowEachOther) {
    Choose(c::kMethodList, 5);
    const std::tuple<const char*, int, const char*, QString> bars[] = {
        {c::kTonalKey.bar, -5, c::kTonalKey.text, " Играть на 5 тонов ниже"},
        {c::kSoftShift.bar, 1, c::kSoftShift.text, " Сместить на 0,5 шага"},
        {c::kCentreShift.bar, -1, c::kCentreShift.text, " Сместить центр на -1 икт"},
        {c::kTempoBar, 38, c::kTempoValue, "40"}};
    for (const auto& [bar, value, label, text] : bars) {
        Bar(bar)->setValue(value);
        EXPECT_EQ(Text(label), text) << bar;
    }
    EXPECT_EQ(Bar(c::kCentreShift.bar)->minimum(), -1); // the sample's last line: 7 vowels
    Choose(c::kDynamicsList, 0);                        // the loudest leaves no room for the boost
    EXPECT_EQ(Bar(c::kBoostBar)->maximum(), 0);
    EXPECT_EQ(Text(c::kBoostValue), "0");
    Bar(c::kDynamicsBar)->setValue(7);
    EXPECT_EQ(List(c::kDynamicsList)->currentText(), "Пиано-пианиссимо");
    Choose(c::kNumeratorList, 5);
    EXPECT_EQ(List(c::kDenominatorList)->currentText(), "8");
    Choose(c::kNumeratorList, 1);
    EXPECT_EQ(List(c::kDenominatorList)->itemText(3), "16");
    EXPECT_EQ(window_->CurrentSoundSettings().numerator, 3);
}

TEST_F(Window, AGroupPresetChoosesFourVoices) {
    List(c::kGroupList)->setCurrentIndex(2);
    Click(c::kGroupCheck);
    EXPECT_TRUE(List(c::kGroupList)->isEnabled() && !List(c::kVoiceLists[0])->isEnabled());
    for (const char* check : c::kVoiceChecks) EXPECT_TRUE(Find<QCheckBox>(check)->isChecked());
    EXPECT_EQ(List(c::kVoiceLists[0])->currentText(), "Trumpet");
    EXPECT_EQ(List(c::kVoiceLists[3])->currentIndex(), 58);
    Click(c::kGroupCheck);
    EXPECT_TRUE(List(c::kVoiceLists[0])->isEnabled() && !List(c::kGroupList)->isEnabled());
}

TEST_F(Window, PlayPauseResumeAndStopMoveTheMarkerAndTheLamp) {
    auto& playback = window_->Playback();
    const QColor white(Qt::white);
    Click(c::kPlayButton);
    EXPECT_TRUE(!Find(c::kPlayButton)->isVisible() && Find(c::kPauseButton)->isVisible());
    EXPECT_TRUE(Find(c::kMarker)->isVisible());
    EXPECT_EQ(Find(c::kMarker)->x() * 15, 1050);
    EXPECT_TRUE(std::filesystem::exists(playback.filePath()) && playback.timerActive());
    Click(c::kPauseButton);
    EXPECT_EQ(playback.state(), State::Paused);
    EXPECT_TRUE(Find(c::kPlayButton)->isVisible() && !Find(c::kPauseButton)->isVisible());
    Click(c::kPlayButton);
    playback.Tick(); // the marker walks one column a tick, the lamp showing the colours
    EXPECT_NE(Find(c::kLamp)->palette().color(QPalette::Window), white);
    for (int i = 0; i < 100 && playback.state() == State::Playing; ++i) playback.Tick();
    EXPECT_EQ(playback.state(), State::Stopped);
    EXPECT_FALSE(Find(c::kMarker)->isVisible());
    EXPECT_FALSE(std::filesystem::exists(playback.filePath()));
    EXPECT_TRUE(std::filesystem::exists(playback.copyPath())); // kept, as ticked at start
    EXPECT_EQ(Find(c::kLamp)->palette().color(QPalette::Window), white);
}

TEST_F(Window, SpeakersSoundTheirChoiceOnTheChosenDevice) {
    using test::OutputEvent;
    List(c::kDeviceList)->setCurrentIndex(1);
    Click(c::kSpeakers[0]);
    List(c::kNoteLists[3])->setCurrentIndex(5);
    Click(c::kNoteSpeakers[3]);
    const auto sent = [](std::uint8_t status, std::uint8_t key, std::uint8_t velocity) {
        return OutputEvent{OutputEvent::Kind::Message, 1, {status, key, velocity}};
    };
    ASSERT_GE(log_->size(), 7u);
    EXPECT_EQ((*log_)[0], (OutputEvent{OutputEvent::Kind::Opened, 1, {}}));
    EXPECT_EQ((*log_)[1], sent(0xC0, 2, 0));    // the soprano's program
    EXPECT_EQ((*log_)[2], sent(0x90, 60, 127)); // middle C
    EXPECT_EQ((*log_)[3], sent(0x80, 60, 0));   // cut off by the second press
    EXPECT_EQ((*log_)[7], sent(0x90, 65, 127)); // the fourth vowel's note, F
}

} // namespace
} // namespace kvat
