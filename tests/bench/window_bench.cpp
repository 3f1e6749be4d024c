// The window's speed on long verses, as a user meets it: each action is timed from the call
// that a key or click makes until the event loop has stayed idle for 100 ms (so the editor's
// layout, the painting and any timers it starts are counted). Prints figures, asserts nothing.
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
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace {

using namespace kvat;

constexpr qint64 kIdleMs = 100;

// The peak resident memory of the process so far, in MiB.
long PeakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) / 1024;
    return -1;
}

struct Figures {
    double ms = 0;    // from the action to the last event it caused
    double stall = 0; // the longest the event loop did not turn, ms
};

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
    return {static_cast<double>(activity.last), static_cast<double>(stall)};
}

void Print(const char* what, const Figures& f) {
    std::printf("%-34s %8.0f ms   (longest without answering %6.0f ms)\n", what, f.ms, f.stall);
    std::fflush(stdout);
}

// The orthography's messages are counted, not shown: a dialog would wait for a click.
struct CountedMessages : MessageSink {
    void Critical(const QString&, const QString&) override { ++count; }
    void Exclamation(const QString&, const QString&) override { ++count; }
    int count = 0;
};

template <class T = QWidget> T* Find(MainWindow& window, const char* name) {
    return window.findChild<T*>(name);
}

void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void LongVerse(MainWindow& window, const QString& text) {
    auto* editor = Find(window, control::kEditor);
    Measure([&] { QMetaObject::invokeMethod(editor, "clear"); });
    QGuiApplication::clipboard()->setText(text);
    Print("paste", Measure([&] { Find<QAction>(window, control::kPasteItem)->trigger(); }));
    auto* metres = Find<QComboBox>(window, control::kMetreList);
    Print("metre change", Measure([&] { Choose(metres, (metres->currentIndex() + 1) % 5); }));
    Print("metre: by hand", Measure([&] { Choose(metres, 5); }));
    Print("metre: back to the first", Measure([&] { Choose(metres, 0); }));
    // The dictionary's first start, on a worker, is not what is measured: it is warmed first.
    const auto stress = [&](int mode) {
        Find<QRadioButton>(window, control::kStressOptions[mode])->click();
    };
    Find<QAction>(window, control::kSettingsMenu)->trigger();
    stress(1);
    QEventLoop warm;
    QTimer::singleShot(20000, &warm, &QEventLoop::quit);
    warm.exec();
    stress(0);
    Measure([] {});
    Print("stress: by the dictionary", Measure([&] { stress(1); }));
    Print("stress: by the rule", Measure([&] { stress(0); }));
    Find<QAction>(window, control::kMainMenu)->trigger();
    Print("typing a letter", Measure([&] {
              QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, "а");
              QCoreApplication::sendEvent(editor, &key);
          }));
}

void OpenFile(MainWindow& window, const QString& path) {
    Print("open", Measure([&] { window.Files().Open(path); }));
    std::printf("peak memory %ld MiB\n", PeakMiB());
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
                      std::make_unique<CountedMessages>());
    window.StartUp();
    window.resize(1200, 900);
    window.show();
    Measure([] {});
    std::printf("start-up peak memory %ld MiB\n", PeakMiB());
    if (open) {
        OpenFile(window, args[2]);
    } else {
        QFile file(args[1]);
        if (!file.open(QIODevice::ReadOnly)) return 1;
        LongVerse(window, QString::fromUtf8(file.readAll()));
    }
    window.Files().MarkClean();
    return 0;
}
