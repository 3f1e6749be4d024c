// The monkey: a seeded random walk through the window as a careless user takes it (keys, typed
// words, clicks, wheel turns, menu choices, play and stop, files opened, saved and exported,
// restarts and crashes), checking after every step that the verse changed only by what went
// into the editor, that a clean title means the file holds the verse, that nothing out of sight
// holds the focus, and that no file outside the scratch folder was touched. On a failure, or
// when the sanitizers stop it, it prints the seed and its last steps.
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
#include <QDirIterator>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>
#include <deque>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace kvat {
namespace {

using Clock = std::chrono::steady_clock;

std::uint64_t seed = std::random_device()();
long walked = 0;               // steps taken
std::deque<std::string> steps; // the last ones, for the report

void Report(const char* why) {
    std::fprintf(stderr, "monkey: seed %lu failed at step %ld: %s; its last steps:\n", seed, walked,
                 why);
    for (const auto& step : steps) std::fprintf(stderr, "  %s\n", step.c_str());
    std::fprintf(stderr, "replay: kvat_monkey --seed %lu --steps %ld\n", seed, walked);
}

[[noreturn]] void Fail(const std::string& why) {
    Report(why.c_str());
    _exit(3);
}

// Verse files as people have them: stanzas and dashes, an old encoding, nothing, not text.
const std::pair<const char*, QByteArray> kVerses[] = {
    {"stanzas.txt", "Мороз и солнце; день чудесный!\n\n  Ещё ты дремлешь —  друг\n"},
    {"cp1251.txt", "\xEC\xE8\xF0 \x97 \xE4\xEE\xEC\r\n\r\n\xEB\xE5\xF1\r\n"},
    {"empty.txt", ""},
    {"binary.txt", QByteArray("\x01\0\x02", 3)},
};
const char* const kWords[] = {"лес ", "мгла", "Ёж, ", "\r", "дом — ", "123", "ыа", "qw "};
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

// Every file, with its size and time, where a Kvat escaping the scratch folder would write in
// the user's own home.
QStringList Untouched() {
    const QString home = QString::fromLocal8Bit(getpwuid(getuid())->pw_dir);
    QStringList files;
    for (const char* in : {"/.config/Kvat", "/.local/share/Kvat", "/.cache/Kvat", "/Music/Kvat"})
        for (QDirIterator it(home + in, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QFileInfo file(it.next());
            files << file.filePath() + QString::number(file.size()) +
                         file.lastModified().toString();
        }
    return files;
}

class Monkey {
public:
    explicit Monkey(QString scratch) : scratch_(std::move(scratch)) {
        for (const auto& [name, bytes] : kVerses) {
            QFile file(scratch_ + "/" + name);
            file.open(QIODevice::WriteOnly), file.write(bytes);
        }
    }

    void Walk(long count, int seconds) {
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
        for (walked = 1; count ? walked <= count : Clock::now() < end; ++walked) {
            BackToTheWindow();
            const QString verse = Editor()->toPlainText();
            stepStart_ = Clock::now();
            steps.push_back(std::to_string(walked) + " " + Step());
            stepStart_ = Clock::time_point::max();
            if (steps.size() > 40) steps.pop_front();
            QApplication::processEvents();
            Check(verse);
            if (Untouched() != untouched) Fail("a file outside the scratch folder changed");
        }
        window_.reset();
        std::printf("monkey: seed %lu, %ld steps, nothing found\n", seed, walked - 1);
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
            const QString name =
                k == 1 ? kVerses[m.Pick(2)].first : QFileInfo(suggested).fileName();
            return k == 0 ? QString() : m.scratch_ + "/" + name;
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
    static QString SampleVerse() { // what a start without a kept verse shows
        QStringList lines;
        for (auto line : kSampleVerse) lines << Q(std::u32string(line));
        return lines.join('\n');
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

    // A window manager makes the window active again once a box over it has closed; the
    // offscreen platform leaves no window active, and a window's keys then reach controls that
    // do not know they hold the focus.
    void BackToTheWindow() {
        if (!window_->isVisible() || QApplication::activeModalWidget() ||
            QApplication::activePopupWidget() || QApplication::activeWindow() == window_.get())
            return;
        window_->activateWindow();
        (void)QTest::qWaitForWindowActive(window_.get(), 1000);
    }

    // One random action, told so that a failure can be followed.
    std::string Step() {
        QWidget* focus = window_->focusWidget(); // where the window's keys go
        const std::string on = focus ? " on " + focus->objectName().toStdString() : "";
        editing_ = focus == Editor() || QApplication::activePopupWidget();
        QWindow* keys = Surface()->windowHandle();
        QWidget* target = AnyWidget();
        const QPoint at(int(Pick(target->width() + 1)), int(Pick(target->height() + 1)));
        const std::string where = " " + target->objectName().toStdString() +
                                  QString(" at %1,%2").arg(at.x()).arg(at.y()).toStdString();
        switch (Pick(10)) {
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
                                    c == '\r' ? Qt::Key_Return : Qt::Key_unknown, QString(c), {});
            return "type «" + QString(word).replace('\r', "⏎").toStdString() + "»" + on;
        }
        case 5:
        case 6:
            editing_ = editing_ || target == Editor()->viewport();
            QTest::mouseMove(target, at);
            QTest::mouseClick(target, Pick(5) ? Qt::LeftButton : Qt::RightButton, {}, at);
            return "click" + where;
        case 7: {
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, Pick(2) ? 120 : -120},
                              Qt::NoButton, Pick(4) ? Qt::NoModifier : Qt::ControlModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
            return "wheel" + where;
        }
        case 8: {
            QList<QAction*> items = window_->menuBar()->actions();
            for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>()) items += menu->actions();
            items.removeIf(
                [](QAction* a) { return !a->isEnabled() || a->menu() || a->isSeparator(); });
            QAction* item = items[static_cast<qsizetype>(Pick(items.size()))];
            const std::string text = item->text().toStdString(); // a recent file's item goes
            item->trigger();
            return "menu " + text;
        }
        default:
            // A moment after the last edit the process dies; the next start follows.
            window_->Files().KeepUnsaved();
            crashed_ = window_->Files().Modified() ? Editor()->toPlainText() : SampleVerse();
            window_.reset();
            Start();
            return "crash and start again";
        }
    }

    // The walk's checks; `verse` is the verse before the step.
    void Check(const QString& verse) {
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
            Fail("the title's modified mark is stale");
        // Clean, the file holds the verse; a file opened or read anew is a change asked for.
        const bool clean = !path.isEmpty() && !window_->Files().Modified();
        if (clean && QFile::exists(path) && Shown(path) != now)
            Fail("the title says saved, but " + path.toStdString() + " holds another text");
        if (now != verse && !editing_ && !clean) Fail("the verse changed by that step");
    }

    std::mt19937_64 random_{seed};
    QString scratch_;
    std::unique_ptr<MainWindow> window_;
    Clock::time_point stepStart_ = Clock::time_point::max();
    bool editing_ = false;
    QString crashed_; // the verse before a crash, till the start after it is checked
};

} // namespace
} // namespace kvat

int main(int argc, char** argv) {
    long count = 0, seconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const auto value = std::stoull(argv[i + 1]);
        option == "--seed" ? kvat::seed = value
                           : (option == "--steps" ? count : seconds) = long(value);
    }
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback([] { kvat::Report("the sanitizers stopped it"); });
#endif
    // The window's world, every folder it writes to, lies in the scratch folder.
    const QTemporaryDir scratch(QDir::tempPath() + "/kvat-monkey-XXXXXX");
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_RUNTIME_DIR", "TMPDIR"}) {
        const QByteArray folder = (scratch.path() + "/" + name).toLocal8Bit();
        mkdir(folder.constData(), 0700), qputenv(name, folder);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kvat");
    QApplication::setOrganizationName("Kvat");
    QApplication::setQuitOnLastWindowClosed(false); // the walk starts the window again
    kvat::Monkey(scratch.path() + "/HOME").Walk(count, int(seconds));
    return 0;
}
