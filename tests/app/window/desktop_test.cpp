// The window as a desktop program: the verse as a file in the encodings people have, the
// question before unsaved edits go, the exports, the choices kept between runs, drops, and a
// window that grows from its design size.

#include "app/window/control_names.h"
#include "app/window/export_actions.h"
#include "app/window/file_actions.h"
#include "app/window/kept_verse.h"
#include "app/window/main_window.h"
#include "app/window/settings_store.h"
#include "app/window/verse_editor.h"
#include "cli/options.h"
#include "midi/arrangement.h"
#include "sound/dummy_sequencer.h"
#include "sound/sound_font.h"
#include "support/recording_output.h"
#include "support/sound_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace kvat {
namespace {

namespace c = control;
using Unsaved = FileDialogs::Unsaved;

class Desktop : public testing::Test {
protected:
    // Dialogs answered from the test's lists, messages and questions written down.
    struct Desk : MessageSink, DesktopOpener, FileDialogs {
        explicit Desk(Desktop& test) : t(test) {}
        void Critical(const QString& title, const QString& text) override {
            t.log_ << title, t.texts_ << text;
        }
        void Exclamation(const QString& title, const QString&) override { t.log_ << title; }
        void Open(const QUrl&) override {}
        QString OpenPath(const QString&, const QString&) override {
            return t.log_ << "choose", QString();
        }
        QString SavePath(const QString& title, const QString& suggested, const QString&) override {
            return t.saves_ << title + " " + suggested, QString();
        }
        Unsaved AskUnsaved(const QString& name) override {
            return t.log_ << "ask " + name, t.answers_.takeFirst();
        }
        bool AskReset() override { return t.resets_.takeFirst(); }
        Desktop& t;
    };

    void SetUp() override { QSettings().clear(), Start(); }
    void Start() {
        const auto folder = test::SoundTestFolder();
        const auto desk = [this] { return std::make_unique<Desk>(*this); };
        SoundServices sound{std::make_unique<DummySequencer>(), {}, {}, {folder, folder}};
        sound.voice = test::RecordingVoice(sung_);
        window_ = std::make_unique<MainWindow>(std::move(sound), desk(), desk(), desk());
        window_->StartUp();
        window_->show();
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }
    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QFile::ReadOnly), file.readAll(); // empty when there is no file
    }
    template <class T = QWidget> T* Find(const char* name) { return window_->findChild<T*>(name); }
    VerseEditor* Editor() { return Find<VerseEditor>(c::kEditor); }
    void Type(const QString& text) { QTextCursor(Editor()->document()).insertText(text); }

    QTemporaryDir dir_;
    QStringList log_, texts_;
    std::vector<test::SungCall> sung_; // what the voice was given to sing
    QList<Unsaved> answers_;
    QList<bool> resets_;
    QStringList saves_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Desktop, OpensEveryEncodingAsItStandsAndSavesOnlyAnEdit) {
    const char16_t utf16[] = u"\uFEFF  мир —  дом\n\nлес\n";
    // Blank lines, dashes, spaces and the last line's end belong to a poem.
    const QString poem = "  мир —  дом\n\nлес\n";
    const std::pair<QString, QByteArray> files[] = {
        {"utf16.txt", QByteArray(reinterpret_cast<const char*>(utf16), sizeof utf16 - 2)},
        {"utf8.txt", "\xEF\xBB\xBF  мир —  дом\n\nлес\n"},
        {"cp1251.txt", "  \xEC\xE8\xF0 \x97  \xE4\xEE\xEC\n\n\xEB\xE5\xF1\n"},
        {"koi8.txt", "  \xCD\xC9\xD2 \x97  \xC4\xCF\xCD\n\n\xCC\xC5\xD3\n"}, // ≈ for the dash
        {"crlf.txt", "  мир —  дом\r\n\r\nлес\r\n"},
    };
    for (const auto& [name, bytes] : files) {
        ASSERT_TRUE(window_->Files().Open(Write(name, bytes))) << name.toStdString();
        EXPECT_EQ(Editor()->toPlainText(),
                  QString(poem).replace("—", name == "koi8.txt" ? "≈" : "—"));
        EXPECT_TRUE(window_->windowTitle() == name + "[*] — Kvat" && !window_->isWindowModified());
        ASSERT_TRUE(window_->Files().Save()); // nothing edited, nothing written
        EXPECT_EQ(Read(window_->Files().Path()), bytes) << name.toStdString();
    }
    EXPECT_TRUE(window_->Files().Recent().size() == kRecentFileCount &&
                window_->Files().Recent().front().endsWith("crlf.txt"));
    // Not text: the verse stays as it was.
    EXPECT_FALSE(window_->Files().Open(Write("bin.txt", QByteArray("a\0b", 3))));
    EXPECT_TRUE(Editor()->toPlainText() == poem && log_.count("Открыть") == 1);

    Type("ночь,");
    EXPECT_TRUE(window_->isWindowModified());
    ASSERT_TRUE(window_->Files().Save()); // in UTF-8, the file's line ends kept
    EXPECT_EQ(QString::fromUtf8(Read(window_->Files().Path())), "ночь,  мир —  дом\r\n\r\nлес\r\n");
    EXPECT_FALSE(window_->isWindowModified());
}

TEST_F(Desktop, UnsavedEditsAreAskedAboutBeforeTheyGo) {
    const QString first = Write("a.txt", "лес"), second = Write("b.txt", "дом");
    ASSERT_TRUE(window_->Files().Open(first));
    Type("ель ");
    answers_ = {Unsaved::kCancel};
    EXPECT_FALSE(window_->Files().Open(second));
    EXPECT_TRUE(Editor()->toPlainText() == "ель лес" && window_->isWindowModified());
    answers_ = {Unsaved::kSave};
    EXPECT_TRUE(window_->Files().Open(second));
    EXPECT_TRUE(Read(first) == "ель лес" && Editor()->toPlainText() == "дом");
    Type("сад ");
    answers_ = {Unsaved::kCancel, Unsaved::kDiscard}; // asked before a file is chosen
    for (int i = 0; i < 2; ++i) Find<QAction>(c::kOpenItem)->trigger();
    answers_ = {Unsaved::kCancel, Unsaved::kDiscard};
    EXPECT_TRUE(!window_->close() && window_->close()); // cancelled, then the edits dropped
    EXPECT_EQ(Read(second), "дом");
    EXPECT_EQ(log_, (QStringList{"ask a.txt", "ask a.txt", "ask b.txt", "ask b.txt", "choose",
                                 "ask b.txt", "ask b.txt"}));
}

TEST_F(Desktop, SaveAndExportDialogsSayWhatTheySaveAndSuggestThePoemsName) {
    window_->Files().SaveAs(); // no file yet: the verse's first line names it
    ASSERT_TRUE(window_->Files().Open(Write("koi8r.txt", "\xCC\xC5\xD3")));
    for (QAction* item : Find<QMenu>(c::kExportMenu)->actions())
        (item->menu() ? item->menu()->actions().front() : item)->trigger();
    window_->Files().SaveAs();
    const QString here = dir_.path() + "/";
    EXPECT_TRUE(saves_.size() == 8 && saves_[4] == "Экспорт в SVG " + here + "koi8r.svg");
    EXPECT_EQ(saves_.front(),
              "Сохранить стихотворение " + QDir::homePath() + "/Буря мглою небо кроет.txt");
    EXPECT_EQ(saves_.back(), "Сохранить стихотворение " + here + "koi8r.txt");
}

TEST_F(Desktop, AnUnsavedVerseOutlivesACrashInAFileOfItsOwnAndGoesWhenDropped) {
    const QString poem = Write("a.txt", "лес");
    ASSERT_TRUE(window_->Files().Open(poem));
    Type("ель ");
    // Kept a moment after the edit, in a file the next start finds after a crash.
    ASSERT_TRUE(QTest::qWaitFor([] { return QFile::exists(KeptVersePath()); }, 10000));
    window_.reset();
    Start();
    EXPECT_TRUE(Editor()->toPlainText() == "ель лес" && window_->isWindowModified() &&
                window_->Files().Path() == poem);
    answers_ = {Unsaved::kDiscard};
    ASSERT_TRUE(window_->close());
    EXPECT_FALSE(QFile::exists(KeptVersePath()) || Read(QSettings().fileName()).contains("ель"));
    Start(); // dropped: the verse the window starts with
    EXPECT_TRUE(!Editor()->toPlainText().contains("ель") && !window_->isWindowModified());
}

TEST_F(Desktop, ExportsWriteWhatTheWindowShows) {
    const std::tuple<OutputFormat, QString, QByteArray> cases[] = {
        {OutputFormat::kMidi, "mid", "MThd"},   {OutputFormat::kMusicXml, "musicxml", "<?xml"},
        {OutputFormat::kPdf, "pdf", "%PDF"},    {OutputFormat::kSvg, "svg", "<?xml"},
        {OutputFormat::kPng, "png", "\x89PNG"}, {OutputFormat::kWav, "wav", "RIFF"},
    };
    for (const auto& [format, extension, start] : cases) {
        if (format == OutputFormat::kWav && !FindSoundFont()) continue; // no SoundFont here
        const QString path = dir_.filePath("kvat." + extension);
        ASSERT_TRUE(window_->Exports().Export(format, path)) << extension.toStdString();
        EXPECT_TRUE(Read(path).startsWith(start)) << extension.toStdString();
    }
    EXPECT_TRUE(Read(dir_.filePath("kvat.musicxml")).contains("Буря мглою небо кроет,"));
    for (const QString verse : {"", "123 ..."}) { // no vowel, no melody: nothing is written
        Editor()->setPlainText(verse);
        EXPECT_FALSE(window_->Exports().Export(OutputFormat::kMidi, dir_.filePath("none.mid")));
    }
    // Nor over the verse's own file, which the title would still call saved.
    answers_ = {Unsaved::kDiscard};
    ASSERT_TRUE(window_->Files().Open(Write("poem.txt", "лес")));
    EXPECT_FALSE(window_->Exports().Export(OutputFormat::kPdf, dir_.filePath("poem.txt")));
    EXPECT_TRUE(!QFile::exists(dir_.filePath("none.mid")) &&
                Read(dir_.filePath("poem.txt")) == "лес" && log_.count("Экспорт") == 3);
}

// The window and kvat write one piece: the same choices give the same files, whole, byte for byte.
TEST_F(Desktop, MidiAndMusicXmlExportsAreTheFilesKvatWritesForTheSameChoices) {
    const char* const choices[] = {
        "",
        "--method 3 --tempo 0 --dynamics 7 --boost 7 --group brass --drums 36,42 --effect sustain",
        "--method 8 --lengthen no --mezzo 40 --bass 0 --accompaniment 48 --time-signature 3/4 "
        "--drum-map 3 --effect modulation",
        "--method 5 --key 2 --dynamics 4 --boost 1 --time-signature 12/16 --soprano 73 --tenor 9",
        "--method 10 --tonic Eb --mode minor --range bass --mezzo 52 --accompaniment 0",
    };
    const std::pair<OutputFormat, const char*> writers[] = {{OutputFormat::kMidi, "midi"},
                                                            {OutputFormat::kMusicXml, "score"}};
    for (const char* choice : choices) {
        std::string error;
        auto args = QString(choice).split(' ', Qt::SkipEmptyParts);
        std::vector<std::string> words{"midi"};
        for (const QString& arg : args) words.push_back(arg.toStdString());
        const auto options = cli::ParseOptions(words, error);
        ASSERT_TRUE(options) << error;
        {
            QSettings store;
            SaveMelody(store, options->melody);
            SaveSound(store, options->sound);
        }
        Start();
        const QString verse = Write("verse.txt", Editor()->toPlainText().toUtf8());
        for (const auto& [format, command] : writers) {
            const std::string_view ext = FormatRow(format).extension;
            const QString extension = QString::fromLatin1(ext.data(), qsizetype(ext.size()));
            const QString exported = dir_.filePath("window." + extension);
            const QString written = dir_.filePath("kvat." + extension);
            ASSERT_TRUE(window_->Exports().Export(format, exported));
            EXPECT_EQ(
                QProcess::execute(KVAT_BINARY, QStringList{command, verse, "-o", written} + args),
                0);
            const QByteArray bytes = Read(written);
            EXPECT_TRUE(!bytes.isEmpty() && Read(exported) == bytes) << choice << ' ' << command;
        }
    }
}

TEST_F(Desktop, ChoicesComeBackAtTheNextStartUntilAResetThatKeepsTheFiles) {
    ASSERT_TRUE(window_->Files().Open(Write("a.txt", "лес")));
    Find<QComboBox>(c::kMethodList)->setCurrentIndex(MethodIndex(Method::kSong));
    for (const auto& [list, index] : {std::pair{c::kTonicList, 3},
                                      {c::kModeList, 1},
                                      {c::kRangeList, 2},
                                      {c::kTempoList, 20},
                                      {c::kOctaveList, 2}})
        Find<QComboBox>(list)->setCurrentIndex(index);
    Find<QComboBox>(c::kSingerList)->setCurrentIndex(1);
    for (const char* box : {c::kVoiceChecks[1], c::kColourCheck, c::kRhymesCheck,
                            c::kStressOptions[1], c::kSingingCheck})
        Find<QAbstractButton>(box)->toggle();
    // Each family of methods keeps its own key.
    const std::pair<const char*, int> keys[] = {
        {c::kTonalKey.bar, -2}, {c::kCentreKey.bar, 3}, {c::kTemplateKey.bar, 5}};
    for (const auto& [bar, value] : keys) Find<QScrollBar>(bar)->setValue(value);
    window_->resize(700, 800);
    const std::vector<std::string> tokens = {"60+", "64", "67++", "0"};
    const TrackBytes sound = ArrangeMelody(tokens, window_->CurrentSoundSettings());
    const MelodySettings melody = window_->CurrentMelodySettings();
    ASSERT_TRUE(window_->close());

    Start();
    EXPECT_EQ(ArrangeMelody(tokens, window_->CurrentSoundSettings()), sound);
    EXPECT_EQ(window_->CurrentMelodySettings(), melody);
    EXPECT_EQ(melody.song, (SongSettings{3, SongMode::kMinor, SongRange::kTenor}));
    const SoundSettings kept = window_->CurrentSoundSettings();
    EXPECT_TRUE(kept.singing && kept.singer == VoiceKind::kFemale);
    EXPECT_TRUE(Find<QCheckBox>(c::kColourCheck)->isChecked() &&
                window_->size() == QSize(700, 800));
    for (const auto& [bar, value] : keys) EXPECT_EQ(Find<QScrollBar>(bar)->value(), value) << bar;
    EXPECT_TRUE(Find<QComboBox>(c::kOctaveList)->currentIndex() == 2 &&
                Find<QAbstractButton>(c::kStressOptions[1])->isChecked());
    EXPECT_TRUE(!Find<QCheckBox>(c::kRhymesCheck)->isChecked() &&
                Find(c::kRhymeColumn)->isHidden());

    resets_ = {false, true}; // asked first: «Отмена» leaves every choice
    Find<QAction>(c::kResetItem)->trigger();
    EXPECT_TRUE(Find<QCheckBox>(c::kColourCheck)->isChecked());
    Find<QAction>(c::kResetItem)->trigger();
    for (int run = 0; run < 2; ++run, Start()) {
        EXPECT_EQ(ArrangeMelody(tokens, window_->CurrentSoundSettings()),
                  ArrangeMelody(tokens, SoundSettings{}));
        const MelodySettings melody = window_->CurrentMelodySettings();
        EXPECT_TRUE(melody.method == MelodySettings{}.method && melody.song == SongSettings{} &&
                    !Find<QCheckBox>(c::kColourCheck)->isChecked() &&
                    Find<QScrollBar>(c::kTemplateKey.bar)->value() == 0 &&
                    Find<QAbstractButton>(c::kStressOptions[0])->isChecked() &&
                    !Find(c::kRhymeColumn)->isHidden());
        // The recent files and the last folder are no choices: they stay, and so does the menu.
        EXPECT_TRUE(window_->Files().Recent().size() == 1 &&
                    window_->Files().Folder() == dir_.path() &&
                    Find<QMenu>(c::kRecentMenu)->actions().size() == 1);
    }
}

// «Голос»: its speaker sings in the voice chosen, playback sings with it on, the WAV offers it
// or the voice alone.
TEST_F(Desktop, TheVoiceSingsWhereChosen) {
    Find<QAction>(c::kInstrumentsMenu)->trigger();
    Find<QCheckBox>(c::kSingingCheck)->click();
    Find<QComboBox>(c::kSingerList)->setCurrentIndex(1);
    QTest::mouseClick(Find(c::kSpeakers[4]), Qt::LeftButton);
    Find<QAction>(c::kMainMenu)->trigger();
    QTest::mouseClick(Find(c::kPlayButton), Qt::LeftButton);
    ASSERT_EQ(sung_.size(), 2U); // the syllable, then the verse
    for (const auto& call : sung_) EXPECT_TRUE(call.track && test::Sounds(*call.track));
    QByteArray wavs[3]; // without the voice, with it, the voice alone
    const QString path = dir_.filePath("sung.wav");
    for (const auto singing : {WavSinging::kNone, WavSinging::kWithVoice, WavSinging::kVoiceOnly})
        if (FindSoundFont() && window_->Exports().Export(OutputFormat::kWav, path, singing))
            wavs[static_cast<int>(singing)] = Read(path);
    EXPECT_TRUE(!FindSoundFont() || (!wavs[2].isEmpty() && wavs[0] != wavs[1] &&
                                     wavs[1] != wavs[2] && wavs[0] != wavs[2]));
}

// The PDF is printed music: the systems stacked on the pages of the paper the locale prints on,
// few pages however long the poem.
TEST_F(Desktop, ThePdfStacksTheSystemsOnPagesOfTheLocalesPaper) {
    const std::tuple<const char*, int, int, const char*> cases[] = {
        {"ru_RU.UTF-8", 5, 1, "595.000000 842.000000"},    // A4
        {"en_US.UTF-8", 400, 50, "612.000000 792.000000"}, // US Letter, 3 600 notes
    };
    for (const auto& [locale, lines, most, paper] : cases) {
        qputenv("LC_PAPER", locale);
        ASSERT_TRUE(window_->Files().Open(
            Write("стих.txt", QByteArray("Буря мглою небо кроет,\n").repeated(lines))));
        ASSERT_TRUE(window_->Exports().Export(OutputFormat::kPdf, dir_.filePath("ноты.pdf")));
        const QByteArray pdf = Read(dir_.filePath("ноты.pdf"));
        const qsizetype pages = pdf.count("/Type /Page\n");
        EXPECT_TRUE(pages >= 1 && pages <= most) << locale << " " << pages;
        EXPECT_EQ(pdf.count("/MediaBox [0 0 " + QByteArray(paper) + "]"), pages) << locale;
    }
    qunsetenv("LC_PAPER");
}

// The staff's height on screen: from its top line to its bottom one, the rows drawn dark
// across nearly the whole canvas.
int StaffHeight(QWidget* canvas) {
    const QImage image = canvas->grab().toImage();
    std::vector<int> lines;
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 160;
        if (dark > image.width() * 9 / 10) lines.push_back(y);
    }
    return lines.empty() ? 0 : lines.back() - lines.front();
}

// The editor and the score take the room the window gains, down to its design size.
TEST_F(Desktop, TheScoreGrowsAndZoomsTheListsKeepTheirWidthTheOtherPagesStandInTheMiddle) {
    const QSize design = window_->size();
    const int list = Find(c::kMetreList)->width(), staff = StaffHeight(Find(c::kScoreCanvas));
    const int lines = Editor()->height(), canvas = Find(c::kScoreCanvas)->width(),
              viewport = Find(c::kScoreViewport)->width();
    window_->resize(1200, 900);
    for (const char* wide : {c::kEditor, c::kScoreViewport, c::kScoreScroll, c::kLamp})
        EXPECT_GE(Find(wide)->width(), 1200 - 40) << wide;
    EXPECT_GT(Editor()->height(), lines + 300);
    // The staff runs on to the wider viewport's right edge at the last note too.
    EXPECT_NEAR(Find(c::kScoreCanvas)->width() - canvas,
                Find(c::kScoreViewport)->width() - viewport, 1);
    EXPECT_EQ(Find(c::kMetreList)->width(), list);
    EXPECT_GT(StaffHeight(Find(c::kScoreCanvas)), staff * 3 / 2);
    const QPoint middle = window_->centralWidget()->rect().center();
    for (const char* page : {c::kSettingsPage, c::kInstrumentsPage, c::kAboutPage})
        EXPECT_LE((Find(page)->geometry().center() - middle).manhattanLength(), 12) << page;

    window_->activateWindow(); // the keys act on the page that holds the focus
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    // With Ctrl: a key, or the wheel turned by a delta.
    const std::tuple<const char*, Qt::Key, int, int> zooms[] = {
        {"Ctrl+plus", Qt::Key_Plus, 0, 1}, {"Ctrl+minus", Qt::Key_Minus, 0, -1},
        {"wheel down", {}, -120, -1},      {"wheel up twice", {}, 240, 1},
        {"Ctrl+=", Qt::Key_Equal, 0, 1},   {"Ctrl+0", Qt::Key_0, 0, -1},
    };
    const int room = Find(c::kScoreViewport)->height() + Editor()->height();
    for (const auto& [name, key, delta, direction] : zooms) {
        const int before = StaffHeight(Find(c::kScoreCanvas));
        QWheelEvent turn({5, 5}, {5, 5}, {}, {0, delta}, {}, Qt::ControlModifier, Qt::NoScrollPhase,
                         false);
        if (delta == 0) QTest::keyClick(Editor(), key, Qt::ControlModifier);
        if (delta != 0) QCoreApplication::sendEvent(Find(c::kScoreViewport), &turn);
        EXPECT_EQ((StaffHeight(Find(c::kScoreCanvas)) - before) * direction > 0, true) << name;
        EXPECT_EQ(Find(c::kScoreViewport)->height() + Editor()->height(), room) << name;
    }
    window_->resize(100, 100);
    EXPECT_EQ(window_->size(), design);
}

// Qt's own dialogs speak Russian, as the window does; so does every message of the window's
// own, the system's reasons included (the command line keeps its English for other programs).
TEST_F(Desktop, QtsDialogsAndTheWindowsMessagesAreRussian) {
    QFileDialog dialog(window_.get());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList shown;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) shown << label->text();
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) shown << button->text();
    for (const char* text : {"Имя файла", "Сохранить", "Отмена"})
        EXPECT_TRUE(shown.join('|').remove('&').contains(text)) << text;

    const QString file = Write("стих.txt", "лес");
    const std::pair<const char*, std::function<void()>> failures[] = {
        {"a file taken for a folder",
         [&] { window_->Exports().Export(OutputFormat::kMidi, file + "/а.mid"); }},
        {"a folder", [&] { window_->Exports().Export(OutputFormat::kMusicXml, dir_.path()); }},
        {"a missing file", [&] { window_->Files().Open(dir_.filePath("нет.txt")); }},
        {"too wide a picture",
         [&] {
             window_->Files().Open(Write("долгий.txt", QByteArray("Буря мглою.\n").repeated(200)));
             window_->Exports().Export(OutputFormat::kPng, dir_.filePath("ноты.png"));
         }},
    };
    for (const auto& [name, fail] : failures) {
        texts_.clear();
        fail();
        ASSERT_EQ(texts_.size(), 1) << name;
        // File names stand in «»; format and program names may stay as they are spelt.
        const QString text = texts_[0].remove(QRegularExpression("«[^»]*»|PDF"));
        EXPECT_TRUE(text.contains(QRegularExpression("[а-я]{4}")) &&
                    !text.contains(QRegularExpression("[A-Za-z]")))
            << name << ": " << texts_[0].toStdString();
    }
}

TEST_F(Desktop, ADroppedVerseFileIsOpened) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Write("drop.txt", "лес"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(Editor()->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(Editor()->viewport(), &drop);
    EXPECT_TRUE(Editor()->toPlainText() == "лес" && window_->Files().Path().endsWith("drop.txt"));
}

} // namespace
} // namespace kvat
