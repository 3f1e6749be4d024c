// The window as a desktop program: the verse as a file in the encodings people have, the
// question before unsaved edits go, the exports, the choices kept between runs, drops, and a
// window that grows from its design size.

#include "app/window/control_names.h"
#include "app/window/export_actions.h"
#include "app/window/file_actions.h"
#include "app/window/kept_verse.h"
#include "app/window/main_window.h"
#include "app/window/verse_editor.h"
#include "midi/arrangement.h"
#include "sound/dummy_sequencer.h"
#include "sound/sound_font.h"
#include "support/qt_print.h"
#include "support/sound_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
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
        void Critical(const QString& title, const QString&) override { t.log_ << title; }
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
    QStringList log_;
    QList<Unsaved> answers_;
    QList<bool> resets_;
    QStringList saves_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Desktop, OpensEveryEncodingAsItStandsAndSavesOnlyAnEdit) {
    const char16_t utf16[] = u"\uFEFF  мир —  дом\n\nлес\n";
    // Blank lines, dashes, spaces and the last line's end belong to a poem.
    const QString poem = "  мир —  дом\n\nлес\n";
    const std::tuple<QString, QByteArray, QString> files[] = {
        {"utf8.txt", "\xEF\xBB\xBF  мир —  дом\n\nлес\n", poem},
        {"utf16.txt", QByteArray(reinterpret_cast<const char*>(utf16), sizeof utf16 - 2), poem},
        {"cp1251.txt", "  \xEC\xE8\xF0 \x97  \xE4\xEE\xEC\n\n\xEB\xE5\xF1\n", poem},
        {"koi8.txt", "  \xCD\xC9\xD2 -  \xC4\xCF\xCD\n\n\xCC\xC5\xD3", "  мир -  дом\n\nлес"},
        {"crlf.txt", "  мир —  дом\r\n\r\nлес\r\n", poem},
    };
    for (const auto& [name, bytes, shown] : files) {
        ASSERT_TRUE(window_->Files().Open(Write(name, bytes))) << name.toStdString();
        EXPECT_EQ(Editor()->toPlainText().toStdString(), shown.toStdString()) << name.toStdString();
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
    for (QAction* item : Find<QMenu>(c::kExportMenu)->actions()) item->trigger();
    window_->Files().SaveAs();
    const QString home = QDir::homePath() + "/", here = dir_.path() + "/";
    EXPECT_EQ(
        saves_,
        (QStringList{"Сохранить стихотворение " + home + "Буря мглою небо кроет.txt",
                     "Экспорт в MIDI " + here + "koi8r.mid",
                     "Экспорт в MusicXML " + here + "koi8r.musicxml",
                     "Экспорт в PDF " + here + "koi8r.pdf", "Экспорт в SVG " + here + "koi8r.svg",
                     "Экспорт в PNG " + here + "koi8r.png", "Экспорт в WAV " + here + "koi8r.wav",
                     "Сохранить стихотворение " + here + "koi8r.txt"}));
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
    const std::tuple<ExportFormat, QString, QByteArray> cases[] = {
        {ExportFormat::kMidi, "mid", "MThd"},   {ExportFormat::kMusicXml, "musicxml", "<?xml"},
        {ExportFormat::kPdf, "pdf", "%PDF"},    {ExportFormat::kSvg, "svg", "<?xml"},
        {ExportFormat::kPng, "png", "\x89PNG"}, {ExportFormat::kWav, "wav", "RIFF"},
    };
    for (const auto& [format, extension, start] : cases) {
        if (format == ExportFormat::kWav && !FindSoundFont()) continue; // no SoundFont here
        const QString path = dir_.filePath("kvat." + extension);
        ASSERT_TRUE(window_->Exports().Export(format, path)) << extension.toStdString();
        EXPECT_TRUE(Read(path).startsWith(start)) << extension.toStdString();
    }
    EXPECT_TRUE(Read(dir_.filePath("kvat.musicxml")).contains("Буря мглою небо кроет,"));
    for (const QString verse : {"", "123 ..."}) { // no vowel, no melody: nothing is written
        Editor()->setPlainText(verse);
        EXPECT_FALSE(window_->Exports().Export(ExportFormat::kMidi, dir_.filePath("none.mid")));
    }
    // Nor over the verse's own file, which the title would still call saved.
    answers_ = {Unsaved::kDiscard};
    ASSERT_TRUE(window_->Files().Open(Write("poem.txt", "лес")));
    EXPECT_FALSE(window_->Exports().Export(ExportFormat::kPdf, dir_.filePath("poem.txt")));
    EXPECT_TRUE(!QFile::exists(dir_.filePath("none.mid")) &&
                Read(dir_.filePath("poem.txt")) == "лес" && log_.count("Экспорт") == 3);
}

TEST_F(Desktop, ChoicesComeBackAtTheNextStartUntilAResetThatKeepsTheFiles) {
    ASSERT_TRUE(window_->Files().Open(Write("a.txt", "лес")));
    Find<QComboBox>(c::kMethodList)->setCurrentIndex(4);
    Find<QComboBox>(c::kTempoList)->setCurrentIndex(20);
    Find<QComboBox>(c::kOctaveList)->setCurrentIndex(2);
    for (const char* box : {c::kVoiceChecks[1], c::kColourCheck, c::kStressOptions[1]})
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
    EXPECT_TRUE(window_->CurrentMelodySettings().method == melody.method &&
                window_->CurrentMelodySettings().noteMap == melody.noteMap);
    EXPECT_TRUE(Find<QCheckBox>(c::kColourCheck)->isChecked() &&
                window_->size() == QSize(700, 800));
    for (const auto& [bar, value] : keys) EXPECT_EQ(Find<QScrollBar>(bar)->value(), value) << bar;
    EXPECT_TRUE(Find<QComboBox>(c::kOctaveList)->currentIndex() == 2 &&
                Find<QAbstractButton>(c::kStressOptions[1])->isChecked());

    resets_ = {false, true}; // asked first: «Отмена» leaves every choice
    Find<QAction>(c::kResetItem)->trigger();
    EXPECT_TRUE(Find<QCheckBox>(c::kColourCheck)->isChecked());
    Find<QAction>(c::kResetItem)->trigger();
    for (int run = 0; run < 2; ++run, Start()) {
        EXPECT_EQ(ArrangeMelody(tokens, window_->CurrentSoundSettings()),
                  ArrangeMelody(tokens, SoundSettings{}));
        EXPECT_TRUE(window_->CurrentMelodySettings().method == MelodySettings{}.method &&
                    !Find<QCheckBox>(c::kColourCheck)->isChecked() &&
                    Find<QScrollBar>(c::kTemplateKey.bar)->value() == 0 &&
                    Find<QAbstractButton>(c::kStressOptions[0])->isChecked());
        // The recent files and the last folder are no choices: they stay, and so does the menu.
        EXPECT_TRUE(window_->Files().Recent().size() == 1 &&
                    window_->Files().Folder() == dir_.path() &&
                    Find<QMenu>(c::kRecentMenu)->actions().size() == 1);
    }
}

TEST_F(Desktop, TheEditorAndTheScoreTakeTheRoomTheWindowGains) {
    const QSize design = window_->size();
    const int designLines = Editor()->height();
    const int canvas = Find(c::kScoreCanvas)->width(), viewport = Find(c::kScoreViewport)->width();
    window_->resize(1200, 900);
    for (const char* wide : {c::kEditor, c::kScoreViewport, c::kScoreScroll, c::kLamp})
        EXPECT_GE(Find(wide)->width(), 1200 - 40) << wide;
    EXPECT_GT(Editor()->height(), designLines + 300);
    // The staff runs on to the wider viewport's right edge at the last note too.
    EXPECT_NEAR(Find(c::kScoreCanvas)->width() - canvas,
                Find(c::kScoreViewport)->width() - viewport, 1);
    window_->resize(100, 100);
    EXPECT_EQ(window_->size(), design);
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
