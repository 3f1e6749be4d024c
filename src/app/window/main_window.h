#pragma once
// The one window: four pages of which one is shown, the menus that switch them, and the method
// panels. Each page owns its controls and produces its part of the melody and sound settings;
// the window joins those parts, wires the pages to each other and to sound through signals,
// and runs the core on the values.

#include "app/playback/sound_services.h"
#include "app/window/file_dialogs.h"
#include "app/window/platform_services.h"
#include "app/window/window_choices.h"
#include "melody/melody.h"
#include "midi/sound_settings.h"
#include "piece/piece.h"
#include "verse/metre.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPushButton;
class QSettings;

namespace kvat {

class AboutPage;
class ExportActions;
class FileActions;
class InstrumentsPage;
class MainPage;
class MethodPanels;
class SettingsPage;
struct WindowChoices;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    enum class Page { kMain, kSettings, kInstruments, kAbout };

    // The services default to real dialogs and the desktop's own programs; without a sequencer
    // the window plays nothing and keeps time on a clock.
    explicit MainWindow(SoundServices sound, std::unique_ptr<MessageSink> messages = nullptr,
                        std::unique_ptr<DesktopOpener> opener = nullptr,
                        std::unique_ptr<FileDialogs> dialogs = nullptr);
    ~MainWindow() override;

    // The start-up sequence: analysis, devices, font, the settings remembered from the last
    // run (or the defaults), first drawing, note map.
    void StartUp();
    // Forgets every remembered choice (not the recent files, the last folder or the window's
    // place) and returns the window to the start-up defaults.
    void ResetSettings();
    // Keeps the choices and the window's place for the next start.
    void SaveSettings();
    // Another start of the program: the window comes forward and opens the first of its files.
    void ComeForward(const QStringList& files);

    FileActions& Files() const { return *files_; }
    ExportActions& Exports() const { return *exports_; }

    Page CurrentPage() const { return page_; }
    const MetreState& Metre() const;
    PlaybackController& Playback() const { return *playback_; }
    // The colour list of the last drawing, one "&H…" line per drawn syllable.
    QString ColourList() const;

    MelodySettings CurrentMelodySettings() const;
    SoundSettings CurrentSoundSettings() const;
    WindowChoices CurrentChoices() const;
    // The piece the window shows, plays and exports, built from the verse and every page.
    Piece CurrentPiece() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildFileMenu();
    void Apply(const MelodySettings& melody, const SoundSettings& sound,
               const WindowChoices& choices);
    void BindSound();
    void BindTransportKeys();
    void ShowPage(Page page);
    std::array<QWidget*, 4> Pages() const; // by Page
    void PlacePanels();
    // The settings page shows the time signature of a method that has its own.
    void ShowMethodTime();
    void DrawScore();
    void OnMethodChosen(int index);
    void Play(std::optional<int> fromColumn = std::nullopt);
    void WriteReportAndOpen(const std::u32string& text);

    std::unique_ptr<MessageSink> messages_;
    std::unique_ptr<DesktopOpener> opener_;
    std::unique_ptr<FileDialogs> dialogs_;
    FileActions* files_ = nullptr;
    ExportActions* exports_ = nullptr;
    WindowChoices defaultChoices_; // as the window starts, with the first device chosen
    SoundServices sound_;
    // Declared after the sequencer it plays on, so that it is gone first.
    std::unique_ptr<PlaybackController> playback_;
    Preview* preview_ = nullptr;
    Page page_ = Page::kMain;

    QPushButton* focusSink_ = nullptr;
    QAction* mainAction_ = nullptr;
    QAction* settingsAction_ = nullptr;
    QAction* instrumentsAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;

    MainPage* main_ = nullptr;
    SettingsPage* settings_ = nullptr;
    InstrumentsPage* instruments_ = nullptr;
    AboutPage* about_ = nullptr;
    MethodPanels* panels_ = nullptr;
};

} // namespace kvat
