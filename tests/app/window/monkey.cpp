// The monkey: a seeded random walk through the window as a careless user takes it (keys, typed
// words, clicks, wheel turns, menu choices, play and stop, files opened, saved and exported,
// restarts and crashes), checking after every step that the verse changed only by what went
// into the editor, that a clean title means the file holds the verse, that nothing out of sight
// holds the focus, and that no file outside the scratch folder was touched. A child process
// walks; the parent reports the seed and the last steps when the child fails or dies.
//
//   kvat_monkey [--seed N] [--seconds S] [--steps N]   (--steps N replays a failure's walk)

#include "app/playback/sound_services.h"
#include "app/window/control_names.h"
#include "app/window/file_actions.h"
#include "app/window/main_window.h"
#include "app/window/qt_text.h"
#include "app/window/verse_editor.h"
#include "help/sample_verse.h"
#include "text/text_file.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>
#include <deque>
#include <filesystem>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvat {
namespace {

using Clock = std::chrono::steady_clock;
int report = 2; // where the walking child tells its steps and its failure

void Tell(const std::string& line) {
    (void)!write(report, (line + "\n").data(), line.size() + 1);
}

[[noreturn]] void Fail(const std::string& why) {
    Tell("FAIL " + why);
    _exit(3);
}

// Verse files as people have them: stanzas and dashes, an old encoding, nothing, not text.
const std::pair<const char*, QByteArray> kVerses[] = {
    {"stanzas.txt", "Мороз и солнце; день чудесный!\n\n  Ещё ты дремлешь —  друг\n"},
    {"cp1251.txt", "\xEC\xE8\xF0 \x97 \xE4\xEE\xEC\r\n\r\n\xEB\xE5\xF1\r\n"},
    {"empty.txt", ""},
    {"binary.txt", QByteArray("\x01\0\x02", 3)},
};
const char* const kWords[] = {"лес ", "мгла", "Ёж, ", "\n", "дом — ", "123", "ыа", "qw "};
const char* const kKeys[] = {
    "Tab",    "Shift+Tab", "Ctrl+Tab",  "Space",  "Return", "Esc",         "Up",     "Down",
    "Left",   "End",       "Backspace", "Del",    "F5",     "Ctrl+A",      "Ctrl+Z", "Ctrl+X",
    "Ctrl+V", "Ctrl+S",    "Ctrl+O",    "Ctrl+Q", "Alt+F",  "Ctrl+Shift+S"};

// A file's text as the window shows it; nothing for one that is not text.
std::optional<QString> Shown(const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const auto decoded = DecodeTextFile(std::string_view(bytes.constData(), bytes.size()));
    return decoded ? std::optional(Q(decoded->text).replace("\r\n", "\n")) : std::nullopt;
}

QString SampleVerse() { // what a start without a kept verse shows
    QStringList lines;
    for (auto line : kSampleVerse) lines << Q(std::u32string(line));
    return lines.join('\n');
}

// Every file, its size and time, where a Kvat escaping the scratch folder would write in the
// user's own home.
QStringList Untouched() {
    const QString home = QString::fromLocal8Bit(getpwuid(getuid())->pw_dir);
    QStringList files;
    for (const char* folder :
         {"/.config/Kvat", "/.local/share/Kvat", "/.cache/Kvat", "/Music/Kvat"})
        for (QDirIterator it(home + folder, QDir::Files | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            const QFileInfo file(it.next());
            files << file.filePath() + QString::number(file.size()) +
                         file.lastModified().toString();
        }
    return files;
}

class Monkey {
public:
    Monkey(std::uint64_t seed, QString scratch) : random_(seed), scratch_(std::move(scratch)) {}

    void Walk(long steps, int seconds) {
        for (const auto& [name, bytes] : kVerses) {
            QFile file(scratch_ + "/" + name);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                Fail("the verse files cannot be written");
        }
        const QStringList untouched = Untouched();
        // A box or a menu that holds a step up (the credits, the WAV's progress, the menu bar's
        // overflow) is closed, as an impatient user would, not waited for.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (Clock::now() - stepStart_ < std::chrono::milliseconds(300)) return;
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
        closer.start(50);
        Start();
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        for (long step = 1; steps ? step <= steps : Clock::now() < end; ++step) {
            const QString verse = Editor()->toPlainText();
            stepStart_ = Clock::now();
            const std::string what = std::to_string(step) + " " + Step();
            stepStart_ = Clock::time_point::max();
            Tell(what);
            QApplication::processEvents();
            Check(verse, what);
            if (Untouched() != untouched) Fail("a file outside the scratch folder changed");
        }
        window_.reset();
    }

private:
    // The desktop's answers, drawn from the walk's numbers.
    struct Desk : MessageSink, DesktopOpener, FileDialogs {
        explicit Desk(Monkey& monkey) : m(monkey) {}
        void Critical(const QString&, const QString&) override {}
        void Exclamation(const QString&, const QString&) override {}
        void Open(const QUrl&) override {}
        QString OpenPath(const QString&, const QString&) override {
            const std::size_t k = m.Pick(std::size(kVerses) + 1);
            return k < std::size(kVerses) ? m.scratch_ + "/" + kVerses[k].first : QString();
        }
        // Now and then over a verse file, which may be the one open.
        QString SavePath(const QString&, const QString& suggested, const QString&) override {
            const std::size_t k = m.Pick(4);
            return k == 0
                       ? QString()
                       : m.scratch_ + "/" +
                             (k == 1 ? kVerses[m.Pick(2)].first : QFileInfo(suggested).fileName());
        }
        Unsaved AskUnsaved(const QString&) override { return static_cast<Unsaved>(m.Pick(3)); }
        bool AskReset() override { return m.Pick(2) == 0; }
        Monkey& m;
    };

    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }
    template <class T, std::size_t n> const T& Any(const T (&items)[n]) { return items[Pick(n)]; }
    VerseEditor* Editor() const { return window_->findChild<VerseEditor*>(control::kEditor); }
    QWidget* Surface() const { // what the keys and the pointer reach: an open popup first
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup : window_.get();
    }
    QWidget* AnyWidget() {
        QList<QWidget*> shown = Surface()->findChildren<QWidget*>();
        shown.removeIf([](QWidget* w) { return !w->isVisible() || !w->isEnabled(); });
        return shown.isEmpty() ? Surface() : shown[static_cast<qsizetype>(Pick(shown.size()))];
    }

    void Start() {
        window_ = std::make_unique<MainWindow>(SystemSoundServices(), std::make_unique<Desk>(*this),
                                               std::make_unique<Desk>(*this),
                                               std::make_unique<Desk>(*this));
        window_->StartUp();
        window_->show();
        window_->activateWindow();
        (void)QTest::qWaitForWindowActive(window_.get(), 1000);
    }

    // One random action, told so that a failure can be followed.
    std::string Step() {
        QWidget* focus = window_->focusWidget(); // where the window's keys go
        const std::string on = focus ? " on " + focus->objectName().toStdString() : "";
        editing_ = focus == Editor() || QApplication::activePopupWidget();
        QWindow* keys = Surface()->windowHandle();
        switch (Pick(12)) {
        case 0:
        case 1:
        case 2: {
            const char* name = Any(kKeys);
            const QKeyCombination key = QKeySequence(name)[0];
            QTest::keyClick(keys, key.key(), key.keyboardModifiers());
            return std::string("key ") + name + on;
        }
        case 3:
        case 4: {
            const QString word = Any(kWords);
            for (QChar c : word)
                QTest::sendKeyEvent(QTest::Click, keys,
                                    c == '\n' ? Qt::Key_Return : Qt::Key_unknown,
                                    c == '\n' ? QString("\r") : QString(c), {});
            return "type «" + word.toStdString() + "»" + on;
        }
        case 5:
        case 6: {
            QWidget* target = AnyWidget();
            const QPoint at(int(Pick(target->width() + 1)), int(Pick(target->height() + 1)));
            const auto button = Pick(5) ? Qt::LeftButton : Qt::RightButton;
            editing_ = editing_ || target == Editor()->viewport();
            QTest::mouseMove(target, at);
            QTest::mouseClick(target, button, {}, at);
            return (button == Qt::LeftButton ? "click " : "right click ") +
                   target->objectName().toStdString() +
                   QString(" at %1,%2").arg(at.x()).arg(at.y()).toStdString();
        }
        case 7: {
            QWidget* target = AnyWidget();
            const QPointF at(target->width() / 2.0, target->height() / 2.0);
            const int delta = Pick(2) ? 120 : -120;
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                              Pick(4) ? Qt::NoModifier : Qt::ControlModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(target, &wheel);
            return "wheel " + std::to_string(delta) + " over " + target->objectName().toStdString();
        }
        case 8:
        case 9: {
            QList<QAction*> items = window_->menuBar()->actions();
            for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>()) items += menu->actions();
            items.removeIf(
                [](QAction* a) { return !a->isEnabled() || a->menu() || a->isSeparator(); });
            QAction* item = items[static_cast<qsizetype>(Pick(items.size()))];
            const std::string text = item->text().toStdString(); // a recent file's item goes
            item->trigger();
            return "menu " + text;
        }
        case 10:
            QGuiApplication::clipboard()->setText(QString(Any(kWords)) + Any(kWords));
            return "copy «" + QGuiApplication::clipboard()->text().toStdString() + "» elsewhere";
        default:
            if (Pick(4)) {
                window_->resize(int(300 + Pick(1000)), int(200 + Pick(800)));
                return "resize";
            }
            // A moment after the last edit the process dies; the next start follows.
            window_->Files().KeepUnsaved();
            crashed_ = window_->Files().Modified() ? Editor()->toPlainText() : SampleVerse();
            window_.reset();
            Start();
            return "crash and start again";
        }
    }

    // The walk's checks; `verse` is the verse before the step.
    void Check(const QString& verse, const std::string& step) {
        if (!window_->isVisible()) { // closed, asked about its edits: the next start is clean
            window_.reset();
            Start();
            if (Editor()->toPlainText() != SampleVerse() || window_->isWindowModified())
                Fail("the start after a close shows an edit the close dropped or saved");
            return;
        }
        const QString now = Editor()->toPlainText(), path = window_->Files().Path();
        if (!crashed_.isNull()) {
            if (std::exchange(crashed_, QString()) != now) Fail("the start after a crash lost it");
            return;
        }
        if (const QWidget* focus = window_->focusWidget(); focus && !focus->isVisible())
            Fail("a hidden control holds the focus: " + focus->objectName().toStdString());
        if (window_->isWindowModified() != window_->Files().Modified())
            Fail("the title's modified mark is stale after " + step);
        // Clean, the file holds the verse; a file opened or read anew is a change asked for.
        const bool clean = !path.isEmpty() && !window_->Files().Modified();
        if (clean && QFile::exists(path) && Shown(path) != now)
            Fail("the title says saved, but " + path.toStdString() + " holds another text");
        if (now != verse && !editing_ && !clean) Fail("the verse changed by " + step);
    }

    std::mt19937_64 random_;
    QString scratch_;
    std::unique_ptr<MainWindow> window_;
    Clock::time_point stepStart_ = Clock::time_point::max();
    bool editing_ = false;
    QString crashed_; // the verse before a crash, till the start after it is checked
};

// The child's world: every folder the window writes to lies in `scratch`.
int Walk(std::uint64_t seed, long steps, int seconds, const QString& scratch) {
    for (const auto& [name, folder] : {std::pair{"HOME", "/home"},
                                       {"XDG_CONFIG_HOME", "/config"},
                                       {"XDG_DATA_HOME", "/data"},
                                       {"XDG_CACHE_HOME", "/cache"},
                                       {"XDG_RUNTIME_DIR", "/runtime"},
                                       {"TMPDIR", "/tmp"}}) {
        mkdir((scratch + folder).toLocal8Bit().constData(), 0700);
        qputenv(name, (scratch + folder).toLocal8Bit());
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "kvat_monkey", *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kvat");
    QApplication::setOrganizationName("Kvat");
    QApplication::setQuitOnLastWindowClosed(false); // the walk starts the window again
    Monkey(seed, scratch + "/home").Walk(steps, seconds);
    return 0;
}

} // namespace
} // namespace kvat

int main(int argc, char** argv) {
    std::uint64_t seed = std::random_device()();
    long steps = 0, seconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const auto value = std::stoull(argv[i + 1]);
        option == "--seed" ? seed = value : (option == "--steps" ? steps : seconds) = long(value);
    }
    char scratch[] = "/tmp/kvat-monkey-XXXXXX";
    int pipe[2];
    if (!mkdtemp(scratch) || ::pipe(pipe) != 0) return 2;
    const pid_t child = fork();
    if (child == 0) {
        close(pipe[0]);
        kvat::report = pipe[1];
        std::exit(kvat::Walk(seed, steps, int(seconds), scratch)); // the sanitizers look for leaks
    }
    close(pipe[1]);
    std::deque<std::string> last; // the steps that led to a failure
    std::string line, failure;
    long taken = 0;
    for (char c; read(pipe[0], &c, 1) == 1;) {
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line.starts_with("FAIL "))
            failure = line.substr(5);
        else if (++taken, last.push_back(line), last.size() > 40)
            last.pop_front();
        line.clear();
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        std::printf("monkey: seed %lu, %ld steps, nothing found\n", seed, taken);
        std::filesystem::remove_all(scratch);
        return 0;
    }
    if (failure.empty())
        failure = WIFSIGNALED(status) ? "died of signal " + std::to_string(WTERMSIG(status))
                                      : "ended with status " + std::to_string(WEXITSTATUS(status));
    std::printf("monkey: seed %lu failed at step %ld: %s\nthe last steps:\n", seed, taken,
                failure.c_str());
    for (const auto& step : last) std::printf("  %s\n", step.c_str());
    std::printf("replay: kvat_monkey --seed %lu --steps %ld (its scratch folder: %s)\n", seed,
                taken, scratch);
    return 1;
}
