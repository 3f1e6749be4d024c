// The window's speed on long verses, as a user meets it: each action is timed from the call
// that a key, click or pointer's move makes until the event loop has stayed idle for 100 ms (so the
// editor's layout, the painting and any timers it starts are counted). Prints figures, asserts
// nothing.
//
//   kvat_window_bench VERSE.txt          paste, metre change, «по словарю», back to the rule
//   kvat_window_bench --open FILE        the file opened through «Файл → Открыть», with the
//                                        longest the window went without answering and the
//                                        process's peak memory
//
// tools/long_verse.py makes the verses (10000 lines; 5MB).

#include "app/window/control_names.h"
#include "app/window/file_actions.h"
#include "app/window/main_window.h"
#include "sound/dummy_sequencer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

using namespace kvat;

constexpr qint64 kIdleMs = 100;

// The peak resident memory of the process so far, in MiB.
long PeakMiB() {
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss / 1024 : -1;
}

// From the action to the last event it caused, and the longest the event loop did not turn, ms.
using Figures = std::pair<qint64, qint64>;

// Notes when the last event other than the pulse's reached any object.
class Activity : public QObject {
public:
    Activity(const QElapsedTimer& clock, const QTimer& pulse) : clock_(clock), pulse_(pulse) {
        qApp->installEventFilter(this);
    }
    qint64 last = 0;

protected:
    bool eventFilter(QObject* watched, QEvent*) override {
        if (watched != &pulse_) last = clock_.elapsed();
        return false;
    }

private:
    const QElapsedTimer& clock_;
    const QTimer& pulse_;
};

// Runs `action`, then the event loop until no event has come for kIdleMs. A 10 ms timer
// measures how long the loop went without turning: what a user feels as a frozen window.
Figures Measure(const std::function<void()>& action) {
    QElapsedTimer clock;
    qint64 lastTurn = 0, stall = 0;
    QTimer pulse;
    pulse.setInterval(10);
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        stall = std::max(stall, clock.elapsed() - lastTurn);
        lastTurn = clock.elapsed();
    });
    clock.start();
    pulse.start();
    Activity activity(clock, pulse);
    action();
    activity.last = clock.elapsed();
    stall = std::max(stall, activity.last - lastTurn);
    while (clock.elapsed() - activity.last < kIdleMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return {activity.last, stall};
}

void Print(const char* what, const Figures& f) {
    std::printf("%-34s %8lld ms   (longest without answering %6lld ms)\n", what, f.first, f.second);
    std::fflush(stdout);
}

// The orthography's messages are not shown: a dialog would wait for a click.
struct NoMessages : MessageSink {
    void Critical(const QString&, const QString&) override {}
    void Exclamation(const QString&, const QString&) override {}
};

void LongVerse(MainWindow& window, const QString& text) {
    auto* editor = window.findChild<QWidget*>(control::kEditor);
    Measure([&] { QMetaObject::invokeMethod(editor, "clear"); });
    QGuiApplication::clipboard()->setText(text);
    Print("paste", Measure([&] { window.findChild<QAction*>(control::kPasteItem)->trigger(); }));
    auto* metres = window.findChild<QComboBox*>(control::kMetreList);
    const auto choose = [metres](int index) {
        metres->setCurrentIndex(index);
        emit metres->activated(index);
    };
    Print("metre change", Measure([&] { choose((metres->currentIndex() + 1) % 5); }));
    Print("metre: by hand", Measure([&] { choose(5); }));
    Print("metre: back to the first", Measure([&] { choose(0); }));
    // The dictionary's first start, on a worker, is not what is measured: it is warmed first.
    const auto stress = [&](int mode) {
        window.findChild<QRadioButton*>(control::kStressOptions[mode])->click();
    };
    window.findChild<QAction*>(control::kSettingsMenu)->trigger();
    stress(1);
    QEventLoop warm;
    QTimer::singleShot(20000, &warm, &QEventLoop::quit);
    warm.exec();
    stress(0);
    Measure([] {});
    Print("stress: by the dictionary", Measure([&] { stress(1); }));
    Print("stress: by the rule", Measure([&] { stress(0); }));
    window.findChild<QAction*>(control::kMainMenu)->trigger();
    Print("typing a letter", Measure([&] {
              QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, "а");
              QCoreApplication::sendEvent(editor, &key);
          }));
    auto* column = window.findChild<QWidget*>(control::kRhymeColumn);
    Print("pointing at a rhyme", Measure([&] {
              const QPointF at(column->width() / 2.0, 8);
              QMouseEvent move(QEvent::MouseMove, at, column->mapToGlobal(at), Qt::NoButton,
                               Qt::NoButton, Qt::NoModifier);
              QCoreApplication::sendEvent(column, &move);
          }));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0); // a blinking cursor would never let the window idle
    const QStringList args = QApplication::arguments();
    const bool open = args.size() == 3 && args[1] == "--open";
    if (args.size() != 2 && !open) {
        std::fprintf(stderr, "usage: kvat_window_bench VERSE.txt | --open FILE\n");
        return 2;
    }
    // Never the user's own settings, nor the user's music folder.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    const std::filesystem::path work = folder.path().toStdString();
    MainWindow window(SoundServices{std::make_unique<DummySequencer>(), {}, {}, {work, work}},
                      std::make_unique<NoMessages>());
    window.StartUp();
    window.resize(1200, 900);
    window.show();
    Measure([] {});
    std::printf("start-up peak memory %ld MiB\n", PeakMiB());
    if (open) {
        Print("open", Measure([&] { window.Files().Open(args[2]); }));
        std::printf("peak memory %ld MiB\n", PeakMiB());
    } else {
        QFile file(args[1]);
        if (!file.open(QIODevice::ReadOnly)) return 1;
        LongVerse(window, QString::fromUtf8(file.readAll()));
    }
    window.Files().MarkClean();
    return 0;
}
