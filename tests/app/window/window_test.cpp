// The window as a user meets it: start-up, pages, lists, hand placement, paste, reports and
// playback, each control found by its object name.

#include "app/window/control_names.h"
#include "app/window/main_window.h"
#include "app/window/verse_editor.h"
#include "midi/arrangement.h"
#include "sound/dummy_sequencer.h"
#include "support/recording_output.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
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

// Message boxes and the desktop's opener, written down instead of shown.
struct Sink : MessageSink {
    explicit Sink(QStringList& shown) : shown(shown) {}
    void Critical(const QString& title, const QString& text) override { shown << title + "|" + text; }
    void Exclamation(const QString& title, const QString& text) override { shown << "!" + title + "|" + text; }
    QStringList& shown;
};
struct Opener : DesktopOpener {
    explicit Opener(QList<QUrl>& opened) : opened(opened) {}
    void Open(const QUrl& url) override { opened << url; }
    QList<QUrl>& opened;
};

class Window : public testing::Test {
protected:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void SetUp() override {
        // No sound card here: a sequencer that keeps time on a clock, outputs that record.
        SoundServices sound;
        sound.openOutput = test::RecordingOpener(log_);
        sound.sequencer = std::make_unique<DummySequencer>();
        sound.devices = {"Синтезатор", "Порт 1"};
        const std::filesystem::path folder = QDir::temp().filePath(
            QString("kvat-window-test-%1").arg(QCoreApplication::applicationPid())).toStdString();
        sound.folders = {folder / "work", folder / "copy"};
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
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    void Choose(const char* list, int index) {
        Find<QComboBox>(list)->setCurrentIndex(index);
        emit Find<QComboBox>(list)->activated(index);
    }
    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    bool Shown(const char* name) { return Find(name)->isVisibleTo(window_.get()); }
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
        QMouseEvent move(QEvent::MouseMove, PointAt(position), Editor()->viewport()->mapToGlobal(PointAt(position)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Editor()->viewport(), &move);
        return Editor()->viewport()->toolTip();
    }
    void ClickAt(int position) { QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, PointAt(position)); }

    QStringList shown_;
    QList<QUrl> opened_;
    std::shared_ptr<test::OutputLog> log_ = std::make_shared<test::OutputLog>();
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Window, StartsOnTheMainPageFromTheDefaultSettings) {
    EXPECT_EQ(window_->CurrentPage(), Page::kMain);
    EXPECT_FALSE(Find<QAction>(c::kMainMenu)->isEnabled());
    EXPECT_TRUE(Find<QAction>(c::kSettingsMenu)->isEnabled());
    // What the window plays at first is what the defaults play.
    const std::vector<std::string> tokens = {"60+", "64", "67++", "0"};
    EXPECT_EQ(ArrangeMelody(tokens, window_->CurrentSoundSettings()),
              ArrangeMelody(tokens, SoundSettings{}));
    MelodySettings melody = window_->CurrentMelodySettings();
    EXPECT_EQ(melody.method, MelodySettings{}.method);
    EXPECT_EQ(melody.lengthen, MelodySettings{}.lengthen);
    EXPECT_EQ(Find<QComboBox>(c::kMethodList)->currentText(), "Частотный (Велтунов)");
    EXPECT_EQ(Find<QComboBox>(c::kAccompanimentList)->currentIndex(), 89);
    EXPECT_EQ(Text(c::kDynamicsValue), "80");
    EXPECT_EQ(Text(c::kTempoValue), "108");
    EXPECT_EQ(Text(c::kBoostValue), "20");
    EXPECT_EQ(Find<QScrollBar>(c::kBoostBar)->maximum(), 2);
    EXPECT_EQ(Text(c::kDrumMapValue), "Карта: 5");
    EXPECT_TRUE(Find<QCheckBox>(c::kKeepFileCheck)->isChecked());
    EXPECT_EQ(Find<QGroupBox>(c::kTonalPanel)->title(), "Настройки метода: частотный (Велтунов)");
    // The sample quatrain: analysed, coloured, drawn, and no orthography message.
    EXPECT_EQ(Find<QComboBox>(c::kMetreList)->count(), 6);
    EXPECT_TRUE(shown_.isEmpty());
    const int notes = Find<QScrollBar>(c::kScoreScroll)->maximum();
    EXPECT_GT(notes, 20);
    EXPECT_EQ(window_->ColourList().count("\r\n"), notes);
    for (const char* list : c::kNoteLists) EXPECT_TRUE(Find<QComboBox>(list)->currentIndex() >= 0);
}

TEST_F(Window, PagesSwitchAndTheChosenMethodsPanelLiesOverTheTonalOne) {
    Choose(c::kMethodList, 6);
    Trigger(c::kSettingsMenu);
    EXPECT_EQ(window_->CurrentPage(), Page::kSettings);
    EXPECT_TRUE(Find<QAction>(c::kMainMenu)->isEnabled() && !Find<QAction>(c::kSettingsMenu)->isEnabled());
    EXPECT_TRUE(Shown(c::kCentrePanel));
    EXPECT_EQ(Find(c::kCentrePanel)->pos() * 15, QPoint(240, 3480));
    EXPECT_EQ(Find<QGroupBox>(c::kCentrePanel)->title(), "Настройки метода: тональный (объемный)");
    const char* floating[] = {c::kSoftShiftPanel, c::kFixedPanel, c::kCentrePanel, c::kTemplatePanel, c::kNoteMapPanel};
    Trigger(c::kInstrumentsMenu);
    for (const char* panel : floating) EXPECT_FALSE(Shown(panel)) << panel;
    Choose(c::kMethodList, 3); // served by the tonal panel itself
    Trigger(c::kSettingsMenu);
    for (const char* panel : floating) EXPECT_FALSE(Shown(panel)) << panel;
    Trigger(c::kAboutItem);
    EXPECT_EQ(window_->CurrentPage(), Page::kAbout);
    EXPECT_FALSE(Find<QMenu>(c::kHelpMenu)->menuAction()->isEnabled());
    EXPECT_TRUE(Text(c::kAboutText).contains("В программе использованы:"));
}

TEST_F(Window, TheNoteMapMethodAsksForNotes) {
    Choose(c::kMethodList, 2);
    EXPECT_EQ(shown_, QStringList{"!Настройки метода|Выберите или сгенерируйте ноты соответствующие буквам."});
    EXPECT_EQ(window_->CurrentPage(), Page::kSettings);
    EXPECT_TRUE(Shown(c::kNoteMapPanel));
}

TEST_F(Window, EachMethodReadsItsOwnPanelsBars) {
    const struct {
        int method;
        const char* bar;
        int value;
    } cases[] = {{3, c::kTonalKey.bar, -2}, {6, c::kCentreKey.bar, 3}, {9, c::kTemplateKey.bar, 5}};
    for (const auto& k : cases) {
        Choose(c::kMethodList, k.method);
        Find<QScrollBar>(k.bar)->setValue(k.value);
        EXPECT_EQ(window_->CurrentMelodySettings().keyShift, k.value) << k.method;
    }
    Find<QScrollBar>(c::kSoftShift.bar)->setValue(4);
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
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"00000"}));
    EXPECT_EQ(window_->Metre().templates[5], "00000\r\n");
    EXPECT_EQ(HoverTip(1), // the «о» of «дорога»
              " Нажатие на левую кнопку мыши установит ударение в слове \"дорога\" на букву \"о\". ");
    ClickAt(1);
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"10000"}));
    EXPECT_EQ(window_->Metre().templates[5], "10000\r\n");
    EXPECT_TRUE(HoverTip(1).startsWith(" Нажатие на левую кнопку мыши снимет ударение в слове \"дорога\""));
    ClickAt(1);
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"00000"}));
    EXPECT_EQ(HoverTip(2), " Наведите курсор на гласную букву, чтобы установить или убрать ударение в слове. ");
    ClickAt(2); // the «р»
    EXPECT_EQ(Editor()->Paint(), (VowelPaint{"00000"}));
    // A line added after the last click still gets its pattern when the score is drawn.
    QTextCursor end(Editor()->document());
    end.movePosition(QTextCursor::End);
    end.insertText("\nлес");
    Trigger(c::kSettingsMenu);
    Trigger(c::kMainMenu);
    EXPECT_EQ(window_->Metre().templates[5], "00000\r\n\r\n0\r\n");
    // Back on a metre the editor is a plain text field again.
    Choose(c::kMetreList, 1);
    EXPECT_TRUE(HoverTip(1).isEmpty());
}

TEST_F(Window, PasteCleansTheTextAndAnalyses) {
    Editor()->clear();
    QGuiApplication::clipboard()->setText("  Мороз и солнце — день чудесный!\n\n  Ещё ты дремлешь,  друг прелестный  \n");
    Trigger(c::kPasteItem);
    EXPECT_EQ(Editor()->toPlainText(), "Мороз и солнце день чудесный!\nЕщё ты дремлешь, друг прелестный");
    EXPECT_EQ(Find<QComboBox>(c::kMetreList)->count(), 6);
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
    EXPECT_EQ(report(c::kVerseReportItem), "Kvat-1.05: О стихотворении\n\nСтруктура стихотворения:\n\n"
                                           "01010101\n010\n\nгде, 1 - ударная гласная, 0 - безударная гласная.\n");
    EXPECT_TRUE(report(c::kHelpTextItem).startsWith("Kvat-1.05: FAO\n\n1. "));
}

TEST_F(Window, BarsNameTheirValuesAndListsFollowEachOther) {
    Find<QScrollBar>(c::kTonalKey.bar)->setValue(-5);
    EXPECT_EQ(Text(c::kTonalKey.value), "-5");
    EXPECT_EQ(Text(c::kTonalKey.text), " Играть на 5 тонов ниже");
    Find<QScrollBar>(c::kSoftShift.bar)->setValue(1);
    EXPECT_EQ(Text(c::kSoftShift.text), " Сместить на 0,5 шага");
    Choose(c::kMethodList, 5);
    auto* centre = Find<QScrollBar>(c::kCentreShift.bar);
    EXPECT_EQ(std::pair(centre->minimum(), centre->maximum()), std::pair(-1, 1)); // 7 vowels last
    centre->setValue(-1);
    EXPECT_EQ(Text(c::kCentreShift.text), " Сместить центр на -1 икт");
    Choose(c::kDynamicsList, 0);
    EXPECT_EQ(Find<QScrollBar>(c::kBoostBar)->maximum(), 0);
    EXPECT_EQ(Text(c::kBoostValue), "0");
    EXPECT_EQ(Text(c::kDynamicsValue), "100");
    Find<QScrollBar>(c::kDynamicsBar)->setValue(7);
    EXPECT_EQ(Find<QComboBox>(c::kDynamicsList)->currentText(), "Пиано-пианиссимо");
    Find<QScrollBar>(c::kTempoBar)->setValue(38);
    EXPECT_EQ(Text(c::kTempoValue), "40");
    Choose(c::kNumeratorList, 5);
    EXPECT_EQ(Find<QComboBox>(c::kDenominatorList)->count(), 2);
    EXPECT_EQ(Find<QComboBox>(c::kDenominatorList)->currentText(), "8");
    Choose(c::kNumeratorList, 1);
    EXPECT_EQ(Find<QComboBox>(c::kDenominatorList)->itemText(3), "16");
    EXPECT_EQ(window_->CurrentSoundSettings().numerator, 3);
}

TEST_F(Window, AGroupPresetChoosesFourVoices) {
    auto* group = Find<QComboBox>(c::kGroupList);
    EXPECT_FALSE(group->isEnabled());
    group->setCurrentIndex(2);
    Click(c::kGroupCheck);
    EXPECT_TRUE(group->isEnabled() && !Find(c::kVoiceLists[0])->isEnabled());
    for (const char* check : c::kVoiceChecks) EXPECT_TRUE(Find<QCheckBox>(check)->isChecked());
    EXPECT_EQ(Find<QComboBox>(c::kVoiceLists[0])->currentText(), "Trumpet");
    EXPECT_EQ(Find<QComboBox>(c::kVoiceLists[3])->currentIndex(), 58);
    Click(c::kGroupCheck);
    EXPECT_TRUE(Find(c::kVoiceLists[0])->isEnabled() && !group->isEnabled());
    EXPECT_EQ(window_->CurrentSoundSettings().mezzo.program, 60);
}

TEST_F(Window, PlayPauseResumeAndStopMoveTheMarker) {
    auto& playback = window_->Playback();
    const QString work = QString::fromStdString(playback.filePath().string());
    QFile::remove(QString::fromStdString(playback.copyPath().string()));
    Click(c::kPlayButton);
    EXPECT_EQ(playback.state(), PlaybackController::State::Playing);
    EXPECT_TRUE(!Find(c::kPlayButton)->isVisible() && Find(c::kPauseButton)->isVisible());
    EXPECT_TRUE(Find(c::kMarker)->isVisible());
    EXPECT_EQ(Find(c::kMarker)->x() * 15, 1050);
    EXPECT_TRUE(QFile::exists(work) && playback.timerActive());
    Click(c::kPauseButton);
    EXPECT_EQ(playback.state(), PlaybackController::State::Paused);
    EXPECT_TRUE(Find(c::kPlayButton)->isVisible() && !Find(c::kPauseButton)->isVisible());
    Click(c::kPlayButton);
    EXPECT_EQ(playback.state(), PlaybackController::State::Playing);
    // The marker walks one column a tick, the lamp showing the colours; the last columns stop.
    playback.Tick();
    EXPECT_NE(Find(c::kLamp)->palette().color(QPalette::Window), QColor(Qt::white));
    for (int i = 0; i < 1000 && playback.state() == PlaybackController::State::Playing; ++i) playback.Tick();
    EXPECT_EQ(playback.state(), PlaybackController::State::Stopped);
    EXPECT_FALSE(Find(c::kMarker)->isVisible());
    EXPECT_FALSE(QFile::exists(work));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(playback.copyPath().string()))); // kept at start
    EXPECT_EQ(Find(c::kLamp)->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(Window, SpeakersSoundTheirChoiceOnTheChosenDevice) {
    EXPECT_EQ(Find<QComboBox>(c::kDeviceList)->itemText(0), "Синтезатор");
    Find<QComboBox>(c::kDeviceList)->setCurrentIndex(1);
    Click(c::kSpeakers[0]);
    using test::OutputEvent;
    ASSERT_GE(log_->size(), 3u);
    EXPECT_EQ((*log_)[0], (OutputEvent{OutputEvent::Kind::Opened, 1, {}}));
    EXPECT_EQ((*log_)[1].message, (ShortMessage{0xC0, 2, 0}));
    EXPECT_EQ((*log_)[2].message, (ShortMessage{0x90, 60, 127}));
    Find<QComboBox>(c::kNoteLists[3])->setCurrentIndex(5);
    Click(c::kNoteSpeakers[3]);
    EXPECT_NE(std::find(log_->begin(), log_->end(), OutputEvent{OutputEvent::Kind::Message, 1, {0x90, 65, 127}}),
              log_->end());
}

} // namespace
} // namespace kvat
