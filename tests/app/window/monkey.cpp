// The monkey: a seeded random walk through the window as a careless user takes it (keys, typed
// words, clicks, wheel turns, menu choices, play and stop, files opened, saved and exported,
// restarts), checking after every step that the verse changed only by what went into the
// editor, that a clean title means the file holds the verse, that nothing out of sight holds
// the focus, and that no file outside the scratch folder was touched. A child process walks;
// the parent reports the seed and the last steps when the child fails or dies.
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
#include <QTemporaryDir>
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

using Unsaved = FileDialogs::Unsaved;

int report = 2; // where the walking child tells its steps and its failure

void Tell(const std::string& line) {
    const std::string text = line + "\n";
    (void)!write(report, text.data(), text.size());
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
const std::pair<Qt::Key, Qt::KeyboardModifiers> kKeys[] = {
    {Qt::Key_Tab, {}},          {Qt::Key_Tab, Qt::ShiftModifier}, {Qt::Key_Tab, Qt::ControlModifier},
    {Qt::Key_Space, {}},        {Qt::Key_Return, {}},             {Qt::Key_Escape, {}},
    {Qt::Key_Up, {}},           {Qt::Key_Down, {}},               {Qt::Key_Left, {}},
    {Qt::Key_PageUp, {}},       {Qt::Key_End, {}},                {Qt::Key_Backspace, {}},
    {Qt::Key_Delete, {}},       {Qt::Key_F5, {}},                 {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
    {Qt::Key_S, Qt::ControlModifier}, {Qt::Key_O, Qt::ControlModifier}, {Qt::Key_Q, Qt::ControlModifier},
    {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier},             {Qt::Key_F, Qt::AltModifier},
};

// A file's text as the window shows it; nothing for one that is not text.
std::optional<QString> Shown(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    const auto decoded = DecodeTextFile(std::string_view(bytes.constData(), bytes.size()));
    if (!decoded) return std::nullopt;
    return Q(decoded->text).replace("\r\n", "\n");
}

// Every file under `folders` with its size and time: the places in the user's own home that a
// Kvat escaping the scratch folder would write to.
QStringList Snapshot(const QStringList& folders) {
    QStringList files;
    for (const QString& folder : folders)
        for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QFileInfo info(it.next());
            files << info.filePath() + QString(" %1 ").arg(info.size()) +
                         info.lastModified().toString(Qt::ISODateWithMs);
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
        const QString home = QString::fromLocal8Bit(getpwuid(getuid())->pw_dir);
        const QStringList watched = {home + "/.config/Kvat", home + "/.local/share/Kvat",
                                     home + "/.cache/Kvat", home + "/Music/Kvat"};
        const QStringList untouched = Snapshot(watched);
        // A box or a menu that holds a step up (the credits, the WAV's progress, the menu bar's
        // overflow) is closed, as an impatient user would, not waited for.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (!stepping_ || std::chrono::steady_clock::now() - stepStart_ < kPatience) return;
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
            if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
        closer.start(50);
        Start();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        for (long step = 1; steps ? step <= steps : std::chrono::steady_clock::now() < end;
             ++step) {
            const QString verse = Editor()->toPlainText();
            stepping_ = true, stepStart_ = std::chrono::steady_clock::now();
            const std::string what = std::to_string(step) + " " + Step();
            stepping_ = false;
            Tell(what);
            QApplication::processEvents();
            Check(verse, what);
            if (Snapshot(watched) != untouched) Fail("a file outside the scratch folder changed");
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
            return k == 0   ? QString()
                   : k == 1 ? m.scratch_ + "/" + kVerses[m.Pick(2)].first
                            : m.scratch_ + "/" + QFileInfo(suggested).fileName();
        }
        Unsaved AskUnsaved(const QString&) override { return static_cast<Unsaved>(m.Pick(3)); }
        bool AskReset() override { return m.Pick(2) == 0; }
        Monkey& m;
    };

    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }
    VerseEditor* Editor() const { return window_->findChild<VerseEditor*>(control::kEditor); }
    QWidget* Surface() const { // what the keys and the pointer reach: an open popup first
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup : window_.get();
    }
    template <class T> T* Any(QList<T*> items) {
        items.removeIf([](T* item) { return !item->isVisible() || !item->isEnabled(); });
        return items.isEmpty() ? nullptr : items[static_cast<qsizetype>(Pick(items.size()))];
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

    // One random action, said so that a failure can be followed.
    std::string Step() {
        QWidget* focus = window_->focusWidget(); // where the window's keys go
        const std::string on = focus ? " on " + focus->objectName().toStdString() : "";
        editing_ = focus == Editor() || QApplication::activePopupWidget();
        QWindow* keys = Surface()->windowHandle();
        switch (Pick(12)) {
        case 0:
        case 1:
        case 2: {
            const auto& [key, modifiers] = kKeys[Pick(std::size(kKeys))];
            QTest::keyClick(keys, key, modifiers);
            return "key " + QKeySequence(key | modifiers).toString().toStdString() + on;
        }
        case 3:
        case 4: {
            const QString word = kWords[Pick(std::size(kWords))];
            for (QChar c : word)
                QTest::sendKeyEvent(QTest::Click, keys, c == '\n' ? Qt::Key_Return : Qt::Key_unknown,
                                    c == '\n' ? QString("\r") : QString(c), {});
            return "type «" + word.toStdString() + "»" + on;
        }
        case 5:
        case 6: {
            QWidget* target = Any(Surface()->findChildren<QWidget*>());
            if (!target) target = Surface();
            const QPoint at(static_cast<int>(Pick(target->width() + 1)),
                            static_cast<int>(Pick(target->height() + 1)));
            const auto button = Pick(5) ? Qt::LeftButton : Qt::RightButton;
            editing_ = editing_ || target == Editor()->viewport();
            QTest::mouseMove(target, at);
            QTest::mouseClick(target, button, {}, at);
            return (button == Qt::LeftButton ? "click " : "right click ") +
                   target->objectName().toStdString() + QString(" at %1,%2").arg(at.x()).arg(at.y()).toStdString();
        }
        case 7: {
            QWidget* target = Any(Surface()->findChildren<QWidget*>());
            if (!target) return "no wheel";
            const int delta = Pick(2) ? 120 : -120;
            const QPointF at(target->width() / 2.0, target->height() / 2.0);
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                              Pick(4) ? Qt::NoModifier : Qt::ControlModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(target, &wheel);
            return "wheel " + std::to_string(delta) + " over " + target->objectName().toStdString();
        }
        case 8:
        case 9: {
            QList<QAction*> actions = window_->menuBar()->actions();
            for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
                actions += menu->actions();
            actions.removeIf([](QAction* a) { return !a->isEnabled() || a->menu() || a->isSeparator(); });
            if (actions.isEmpty()) return "no menu item";
            QAction* action = actions[static_cast<qsizetype>(Pick(actions.size()))];
            const std::string text = action->text().toStdString(); // a recent file's item goes
            action->trigger();
            return "menu " + text;
        }
        case 10: {
            const QString text = kWords[Pick(std::size(kWords))];
            QGuiApplication::clipboard()->setText(text + kWords[Pick(std::size(kWords))]);
            return "copy «" + text.toStdString() + "…» elsewhere";
        }
        default:
            if (Pick(4)) {
                window_->resize(static_cast<int>(300 + Pick(1000)), static_cast<int>(200 + Pick(800)));
                return "resize";
            }
            // A moment after the last edit the process dies; the next start follows.
            window_->Files().KeepUnsaved();
            crashed_ = window_->Files().Modified() ? Editor()->toPlainText() : Sample();
            window_.reset();
            Start();
            return "crash and start again";
        }
    }

    static QString Sample() { // the verse a start without a kept one shows
        QStringList lines;
        for (auto line : kSampleVerse) lines << Q(std::u32string(line));
        return lines.join('\n');
    }

    // The walk's checks; `verse` is the verse before the step.
    void Check(const QString& verse, const std::string& step) {
        if (!window_->isVisible()) { // closed, asked about its edits: the next start is clean
            window_.reset();
            Start();
            if (Editor()->toPlainText() != Sample() || window_->isWindowModified())
                Fail("the start after a close shows an edit the close dropped or saved");
            return;
        }
        const QString now = Editor()->toPlainText(), path = window_->Files().Path();
        if (!crashed_.isNull()) {
            if (now != crashed_) Fail("the start after a crash lost the verse");
            crashed_ = QString();
            return;
        }
        if (const QWidget* focus = window_->focusWidget(); focus && !focus->isVisible())
            Fail("a hidden control holds the focus: " + focus->objectName().toStdString());
        if (window_->isWindowModified() != window_->Files().Modified())
            Fail("the title's modified mark is stale after " + step);
        // Clean: the file holds the verse. An open file read anew is a change the user asked for.
        const bool clean = !path.isEmpty() && !window_->Files().Modified();
        if (clean && QFile::exists(path) && Shown(path) != now)
            Fail("the title says saved, but " + path.toStdString() + " holds another text");
        if (now != verse && !editing_ && !clean) Fail("the verse changed by " + step);
    }

    std::mt19937_64 random_;
    QString scratch_;
    std::unique_ptr<MainWindow> window_;
    static constexpr auto kPatience = std::chrono::milliseconds(300);
    bool stepping_ = false;
    std::chrono::steady_clock::time_point stepStart_;
    bool editing_ = false;
    QString crashed_; // the verse before a crash, till the start after it is checked
};

// The child's world: every folder the window writes to lies in `scratch`.
int RunChild(std::uint64_t seed, long steps, int seconds, const QString& scratch) {
    for (const char* folder : {"/home", "/config", "/data", "/cache", "/runtime", "/tmp"})
        mkdir((scratch + folder).toLocal8Bit().constData(), 0700);
    const std::pair<const char*, const char*> places[] = {
        {"HOME", "/home"},       {"XDG_CONFIG_HOME", "/config"}, {"XDG_DATA_HOME", "/data"},
        {"XDG_CACHE_HOME", "/cache"}, {"XDG_RUNTIME_DIR", "/runtime"}, {"TMPDIR", "/tmp"}};
    for (const auto& [name, folder] : places) qputenv(name, (scratch + folder).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "kvat_monkey";
    char* argv[] = {name, nullptr};
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
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    long steps = 0;
    int seconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seed") seed = std::stoull(argv[i + 1]);
        if (option == "--steps") steps = std::stol(argv[i + 1]);
        if (option == "--seconds") seconds = std::stoi(argv[i + 1]);
    }
    char folder[] = "/tmp/kvat-monkey-XXXXXX";
    if (!mkdtemp(folder)) return 2;
    int pipe[2];
    if (::pipe(pipe) != 0) return 2;
    const pid_t child = fork();
    if (child == 0) {
        close(pipe[0]);
        kvat::report = pipe[1];
        std::exit(kvat::RunChild(seed, steps, seconds, folder)); // the sanitizers look for leaks
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
        if (line.starts_with("FAIL ")) failure = line.substr(5);
        else if (++taken, last.push_back(line), last.size() > 40) last.pop_front();
        line.clear();
    }
    int status = 0;
    waitpid(child, &status, 0);
    const bool passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (passed) {
        std::printf("monkey: seed %llu, %ld steps, nothing found\n",
                    static_cast<unsigned long long>(seed), taken);
        std::filesystem::remove_all(folder);
        return 0;
    }
    if (failure.empty())
        failure = WIFSIGNALED(status) ? "died of signal " + std::to_string(WTERMSIG(status))
                                      : "ended with status " + std::to_string(WEXITSTATUS(status));
    std::printf("monkey: seed %llu failed at step %ld: %s\nthe last steps:\n",
                static_cast<unsigned long long>(seed), taken, failure.c_str());
    for (const auto& step : last) std::printf("  %s\n", step.c_str());
    std::printf("replay: kvat_monkey --seed %llu --steps %ld (the scratch folder: %s)\n",
                static_cast<unsigned long long>(seed), taken, folder);
    return 1;
}
