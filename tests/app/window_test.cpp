// The window as a user meets it: start-up, pages, lists, hand placement, paste and reports.

#include "app/dummy_sequencer.h"
#include "app/live_output.h"
#include "app/playback.h"
#include "app/main_window.h"
#include "app/score_view.h"
#include "app/verse_editor.h"
#include "midi/sound_settings.h"
#include "verse/colouring.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

using namespace kvat;

namespace {

struct Recorded {
    QStringList critical, exclamation;
    QList<QUrl> opened;
};

class RecordingSink : public MessageSink {
public:
    explicit RecordingSink(Recorded& r) : r_(r) {}
    void Critical(const QString& title, const QString& text) override { r_.critical << title + "|" + text; }
    void Exclamation(const QString& title, const QString& text) override { r_.exclamation << title + "|" + text; }

private:
    Recorded& r_;
};

class RecordingOpener : public DesktopOpener {
public:
    explicit RecordingOpener(Recorded& r) : r_(r) {}
    void Open(const QUrl& url) override { r_.opened << url; }

private:
    Recorded& r_;
};

// No sound card here: a sequencer that keeps time on a clock and outputs that write down what
// they are sent.
std::shared_ptr<OutputLog> previewLog;

SoundServices SilentSound() {
    SoundServices sound;
    previewLog = std::make_shared<OutputLog>();
    sound.openOutput = [](int device) { return std::make_unique<RecordingOutput>(device, previewLog); };
    sound.sequencer = std::make_unique<DummySequencer>();
    sound.devices = {"Синтезатор", "Порт 1"};
    static const QString folder = QDir::temp().filePath(QString("kvat-window-test-%1").arg(QCoreApplication::applicationPid()));
    sound.folders = {std::filesystem::path(folder.toStdString()) / "work", std::filesystem::path(folder.toStdString()) / "copy"};
    return sound;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

    Recorded recorded_;
    std::unique_ptr<MainWindow> window_;

    template <class T>
    T* Find(const QString& name) {
        T* child = window_->findChild<T*>(name);
        if (!child) qFatal("no control %s", qPrintable(name));
        return child;
    }
    QAction* Action(const QString& name) { return Find<QAction>(name); }
    QMenu* HelpMenu() { return Find<QMenu>("Help"); }
    VerseEditor* Editor() { return Find<VerseEditor>("RichTextBox1"); }
    void Choose(const QString& combo, int index) {
        QComboBox* list = Find<QComboBox>(combo);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    // A point in the middle of the character at a document position, in viewport coordinates.
    QPoint PointAt(int position) {
        QTextCursor cursor(Editor()->document());
        cursor.setPosition(position);
        const QRect left = Editor()->cursorRect(cursor);
        cursor.setPosition(position + 1);
        const QRect right = Editor()->cursorRect(cursor);
        return QPoint((left.x() + right.x()) / 2, left.center().y());
    }
    void MoveTo(const QPoint& point) {
        QMouseEvent move(QEvent::MouseMove, point, Editor()->viewport()->mapToGlobal(point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Editor()->viewport(), &move);
    }
    QString Tooltip() { return Editor()->viewport()->toolTip(); }

private slots:
    void init() {
        recorded_ = {};
        window_ = std::make_unique<MainWindow>(SilentSound(), std::make_unique<RecordingSink>(recorded_),
                                               std::make_unique<RecordingOpener>(recorded_));
        window_->StartUp();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void startUpShowsTheMainPageWithItsDefaults() {
        QCOMPARE(window_->CurrentPage(), MainWindow::Page::kMain);
        QVERIFY(!Action("Main")->isEnabled());
        QVERIFY(Action("Adjustment")->isEnabled() && HelpMenu()->menuAction()->isEnabled());
        QCOMPARE(Find<QComboBox>("Combo2")->currentText(), QString("Частотный (Велтунов)"));
        QCOMPARE(Find<QComboBox>("Combo5")->currentText(), QString("Аллегро модерато"));
        QCOMPARE(Find<QComboBox>("Combo4")->currentText(), QString("Форте"));
        QCOMPARE(Find<QComboBox>("Combo14")->currentText(), QString("4"));
        QCOMPARE(Find<QComboBox>("Combo15")->currentText(), QString("2"));
        QCOMPARE(Find<QLabel>("Label2")->text(), QString("80"));
        QCOMPARE(Find<QLabel>("Label10")->text(), QString("108"));
        QCOMPARE(Find<QLabel>("Label20")->text(), QString("20"));
        QCOMPARE(Find<QScrollBar>("VScroll3")->maximum(), 2);
        QCOMPARE(Find<QComboBox>("Combo13")->currentIndex(), 89);
        QCOMPARE(Find<QComboBox>("Combo11")->currentText(), QString("Low Tom"));
        QVERIFY(!Find<QCheckBox>("Check7")->isChecked());
        QVERIFY(Find<QCheckBox>("Check6")->isChecked() && Find<QCheckBox>("Check1")->isChecked());
        QCOMPARE(Find<QGroupBox>("Frame5")->title(), QString("Настройки метода: частотный (Велтунов)"));
        // The sample quatrain: analysed, coloured, drawn, and no orthography message.
        QCOMPARE(Find<QComboBox>("Combo1")->count(), 6);
        QVERIFY(recorded_.critical.isEmpty());
        const int notes = Find<QScrollBar>("HScroll9")->maximum();
        QVERIFY(notes > 20);
        QCOMPARE(window_->ColourList().count("\r\n"), notes);
        for (int i = 0; i < 10; ++i) {
            const int note = Find<QComboBox>(QString("Combo17(%1)").arg(i))->currentIndex();
            QVERIFY(note >= 0 && note < 12);
        }
    }

    void pagesSwitchAndPlaceTheMethodPanel() {
        Choose("Combo2", 6);
        Action("Adjustment")->trigger();
        QCOMPARE(window_->CurrentPage(), MainWindow::Page::kSettings);
        QVERIFY(!Action("Adjustment")->isEnabled() && Action("Main")->isEnabled());
        auto* frame9 = Find<QGroupBox>("Frame9");
        QVERIFY(frame9->isVisibleTo(window_.get()));
        QCOMPARE(frame9->pos() * 15, QPoint(240, 3480));
        QCOMPARE(frame9->title(), QString("Настройки метода: тональный (объемный)"));

        Action("Instruments")->trigger();
        for (const char* name : {"Frame6", "Frame7", "Frame8", "Frame9", "Frame10"})
            QVERIFY(!Find<QGroupBox>(name)->isVisibleTo(window_.get()));

        Choose("Combo2", 3);
        Action("Adjustment")->trigger();
        for (const char* name : {"Frame6", "Frame7", "Frame8", "Frame9", "Frame10"})
            QVERIFY(!Find<QGroupBox>(name)->isVisibleTo(window_.get()));

        Action("Help3")->trigger();
        QCOMPARE(window_->CurrentPage(), MainWindow::Page::kAbout);
        QVERIFY(!HelpMenu()->menuAction()->isEnabled());
        QVERIFY(Find<QLabel>("Picture4")->text().contains("В программе использованы:"));
    }

    void theFreeNoteMapMethodAsksForNotes() {
        Choose("Combo2", 2);
        QCOMPARE(recorded_.exclamation,
                 QStringList{"Настройки метода|Выберите или сгенерируйте ноты соответствующие буквам."});
        QCOMPARE(window_->CurrentPage(), MainWindow::Page::kSettings);
        QVERIFY(Find<QGroupBox>("Frame10")->isVisibleTo(window_.get()));
    }

    void aMetreChoiceRecoloursTheEditor() {
        Editor()->SetVerse({U"мама мыла раму", U"дорога"});
        Find<QWidget>("Command1")->setFocus();
        QTest::mouseClick(Find<QWidget>("Command1"), Qt::LeftButton);
        Choose("Combo1", 3);
        QCOMPARE(window_->Metre().metre, 3);
        QCOMPARE(Editor()->Paint(), (VowelPaint{"100100", "100"}));
        Choose("Combo1", 1);
        QCOMPARE(Editor()->Paint(), (VowelPaint{"010101", "010"}));
    }

    void handPlacementPaintsTheVowelUnderThePointer() {
        Editor()->SetVerse({U"дорога домой"});
        QTest::mouseClick(Find<QWidget>("Command1"), Qt::LeftButton);
        Choose("Combo1", 5);
        QCOMPARE(Editor()->Paint(), (VowelPaint{"00000"}));
        QCOMPARE(window_->Metre().templates[5], std::string("00000\r\n"));

        MoveTo(PointAt(1)); // the «о» of «дорога»
        QCOMPARE(Editor()->HoverVowel(), QString("о"));
        QCOMPARE(Tooltip(), QString(" Нажатие на левую кнопку мыши установит ударение в слове "
                                    "\"дорога\" на букву \"о\". "));
        QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, PointAt(1));
        QCOMPARE(Editor()->Paint(), (VowelPaint{"10000"}));
        QCOMPARE(window_->Metre().templates[5], std::string("10000\r\n"));
        QCOMPARE(window_->Metre().metre, 5);
        MoveTo(PointAt(1));
        QVERIFY(Tooltip().startsWith(" Нажатие на левую кнопку мыши снимет ударение в слове \"дорога\" с буквы"));
        QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, PointAt(1));
        QCOMPARE(Editor()->Paint(), (VowelPaint{"00000"}));

        MoveTo(PointAt(2)); // the «р»
        QVERIFY(Editor()->HoverVowel().isEmpty());
        QCOMPARE(Tooltip(), QString(" Наведите курсор на гласную букву, чтобы установить или убрать ударение в слове. "));
        QTest::mouseClick(Editor()->viewport(), Qt::LeftButton, {}, PointAt(2));
        QCOMPARE(Editor()->Paint(), (VowelPaint{"00000"}));

        // A line added after the last click still gets its pattern when the score is drawn.
        QTextCursor end(Editor()->document());
        end.movePosition(QTextCursor::End);
        end.insertText("\nлес");
        Action("Adjustment")->trigger();
        Action("Main")->trigger();
        QCOMPARE(window_->Metre().templates[5], std::string("00000\r\n\r\n0\r\n"));
        QVERIFY(Find<QScrollBar>("HScroll9")->maximum() > 0);

        // Back on a metre the editor is a plain text field again.
        Choose("Combo1", 1);
        MoveTo(PointAt(1));
        QVERIFY(Tooltip().isEmpty());
    }

    void pasteCleansTheTextAndAnalyses() {
        Editor()->clear();
        QGuiApplication::clipboard()->setText("  Мороз и солнце — день чудесный!\n\n  Ещё ты дремлешь,  друг прелестный  \n");
        Find<QAction>("Menu_Copi")->trigger();
        QCOMPARE(Editor()->toPlainText(), QString("Мороз и солнце день чудесный!\nЕщё ты дремлешь, друг прелестный"));
        QCOMPARE(Find<QComboBox>("Combo1")->count(), 6);
        QVERIFY(recorded_.critical.isEmpty());
    }

    void theVerseReportFollowsTheColours() {
        Editor()->SetVerse({U"мама мыла раму мама", U"дорога"});
        QTest::mouseClick(Find<QWidget>("Command1"), Qt::LeftButton);
        Choose("Combo1", 1);
        Find<QAction>("Help1")->trigger();
        QCOMPARE(recorded_.opened.size(), 1);
        QFile report(recorded_.opened[0].toLocalFile());
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(report.readAll()),
                 QString("Kvat-1.05: О стихотворении\n\nСтруктура стихотворения:\n\n01010101\n010\n\n"
                         "где, 1 - ударная гласная, 0 - безударная гласная.\n"));
        Find<QAction>("Help2")->trigger();
        QFile faq(recorded_.opened[1].toLocalFile());
        QVERIFY(faq.open(QIODevice::ReadOnly));
        QVERIFY(faq.readAll().startsWith("Kvat-1.05: FAO\n\n1. "));
    }

    void scrollBarsNameTheirValues() {
        auto* key = Find<QScrollBar>("VScroll4");
        key->setValue(-5);
        QCOMPARE(Find<QLabel>("Label9")->text(), QString("-5"));
        QCOMPARE(Find<QLabel>("Label24")->text(), QString(" Играть на 5 тонов ниже"));
        Find<QScrollBar>("VScroll5")->setValue(1);
        QCOMPARE(Find<QLabel>("Label27")->text(), QString(" Сместить на 0,5 шага"));
        Choose("Combo2", 5);
        auto* centre = Find<QScrollBar>("VScroll8");
        QCOMPARE(centre->minimum(), -1); // the sample's last line has seven vowels
        QCOMPARE(centre->maximum(), 1);
        centre->setValue(-1);
        QCOMPARE(Find<QLabel>("Label43")->text(), QString(" Сместить центр на -1 икт"));
        Find<QScrollBar>("HScroll6")->setValue(3);
        QCOMPARE(Find<QLabel>("Label19")->text(), QString("Карта: 3"));
    }

    void dynamicsTempoAndTimeSignature() {
        Choose("Combo4", 0);
        QCOMPARE(Find<QScrollBar>("VScroll3")->maximum(), 0);
        QCOMPARE(Find<QLabel>("Label20")->text(), QString("0"));
        QCOMPARE(Find<QLabel>("Label2")->text(), QString("100"));
        Find<QScrollBar>("VScroll1")->setValue(7);
        QCOMPARE(Find<QComboBox>("Combo4")->currentText(), QString("Пиано-пианиссимо"));
        QCOMPARE(Find<QScrollBar>("VScroll3")->maximum(), 7);
        Find<QScrollBar>("VScroll2")->setValue(38);
        QCOMPARE(Find<QLabel>("Label10")->text(), QString("40"));

        Choose("Combo14", 5);
        auto* denominators = Find<QComboBox>("Combo15");
        QCOMPARE(denominators->count(), 2);
        QCOMPARE(denominators->currentText(), QString("8"));
        Choose("Combo14", 1);
        QCOMPARE(denominators->itemText(3), QString("16"));
        QCOMPARE(window_->CurrentSoundSettings().numerator, 3);
    }

    void groupPresetChoosesFourVoices() {
        auto* check = Find<QCheckBox>("Check3");
        QVERIFY(!Find<QComboBox>("Combo10")->isEnabled());
        Find<QComboBox>("Combo10")->setCurrentIndex(2);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(check->isChecked());
        QVERIFY(Find<QComboBox>("Combo10")->isEnabled());
        QVERIFY(!Find<QComboBox>("Combo6")->isEnabled());
        for (const char* name : {"Check7", "Check8", "Check9"}) QVERIFY(Find<QCheckBox>(name)->isChecked());
        QCOMPARE(Find<QComboBox>("Combo6")->currentText(), QString("Trumpet"));
        QCOMPARE(Find<QComboBox>("Combo9")->currentIndex(), 58);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(Find<QComboBox>("Combo6")->isEnabled());
        QVERIFY(!Find<QComboBox>("Combo10")->isEnabled());
        QCOMPARE(Find<QComboBox>("Combo7")->currentIndex(), 60);
    }

    void playPauseResumeAndStop() {
        auto& playback = window_->Playback();
        const QString work = QString::fromStdString(playback.filePath().string());
        const QString copy = QString::fromStdString(playback.copyPath().string());
        QFile::remove(copy);
        auto* play = Find<QLabel>("Image1");
        auto* pause = Find<QLabel>("Image2");
        auto* marker = Find<QWidget>("Line6");
        QTest::mouseClick(play, Qt::LeftButton);
        QCOMPARE(playback.state(), PlaybackController::State::Playing);
        QVERIFY(!play->isVisible() && pause->isVisible());
        QVERIFY(marker->isVisible());
        QCOMPARE(marker->x() * 15, 1050);
        QVERIFY(QFile::exists(work));
        QVERIFY(playback.timerActive());

        QTest::mouseClick(pause, Qt::LeftButton);
        QCOMPARE(playback.state(), PlaybackController::State::Paused);
        QVERIFY(play->isVisible() && !pause->isVisible());
        QVERIFY(QFile::exists(work));
        QTest::mouseClick(play, Qt::LeftButton);
        QCOMPARE(playback.state(), PlaybackController::State::Playing);

        // The marker walks one column a tick; the last columns stop playback.
        const int columns = Find<QScrollBar>("HScroll9")->maximum();
        for (int i = 0; i < columns && playback.state() == PlaybackController::State::Playing; ++i)
            playback.Tick();
        QCOMPARE(playback.state(), PlaybackController::State::Stopped);
        QVERIFY(!marker->isVisible());
        QVERIFY(!QFile::exists(work));
        QVERIFY(QFile::exists(copy)); // "Сохранять midi-файл" is ticked at start
        QCOMPARE(Find<QWidget>("Picture3")->palette().color(QPalette::Window), QColor(Qt::white));
    }

    void speakersSoundTheirInstrumentOnTheChosenDevice() {
        Find<QComboBox>("Combo3")->setCurrentIndex(1);
        QTest::mouseClick(Find<QLabel>("Image5(0)"), Qt::LeftButton);
        QVERIFY(previewLog->size() >= 3);
        QCOMPARE((*previewLog)[0].kind, OutputEvent::Kind::Opened);
        QCOMPARE((*previewLog)[0].device, 1);
        QCOMPARE((*previewLog)[1].message, (ShortMessage{0xC0, 2, 0}));
        QCOMPARE((*previewLog)[2].message, (ShortMessage{0x90, 60, 127}));
        Find<QComboBox>("Combo17(3)")->setCurrentIndex(5);
        QTest::mouseClick(Find<QLabel>("Image6(3)"), Qt::LeftButton);
        QVERIFY(std::find(previewLog->begin(), previewLog->end(),
                          OutputEvent{OutputEvent::Kind::Message, 1, ShortMessage{0x90, 65, 127}}) != previewLog->end());
        QCOMPARE(Find<QComboBox>("Combo3")->itemText(0), QString("Синтезатор"));
    }

    void theColourOptionKeepsTheColourList() {
        const QString before = window_->ColourList();
        QTest::mouseClick(Find<QCheckBox>("Check2"), Qt::LeftButton);
        QCOMPARE(window_->ColourList(), before);
        QVERIFY(before.endsWith("&HFFFFFF\r\n"));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication app(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
