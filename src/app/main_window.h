#pragma once
// The one window, Form1: four pages of which one is shown, the menus that switch them, and the
// handlers of every control. The core computes; this class reads the controls, calls it and
// shows the results.

#include "app/platform_services.h"
#include "app/sound_services.h"
#include "verse/metre.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <random>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QColor;

namespace kvat {

class DesktopOpener;
class MessageSink;
class ScoreViewport;
class VerseEditor;
struct MelodySettings;
struct SoundSettings;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    enum class Page { kMain, kSettings, kInstruments, kAbout };

    // The services default to real dialogs and the desktop's own programs; without a sequencer
    // the window plays nothing and keeps time on a clock.
    explicit MainWindow(SoundServices sound, std::unique_ptr<MessageSink> messages = nullptr,
                        std::unique_ptr<DesktopOpener> opener = nullptr);
    ~MainWindow() override;

    // The start-up sequence: analysis, devices, font, defaults, first drawing, note map.
    void StartUp();

    Page CurrentPage() const { return page_; }
    const MetreState& Metre() const { return metre_; }
    PlaybackController& Playback() const { return *playback_; }
    // The colour list of the last drawing, one "&H…" line per drawn syllable.
    QString ColourList() const;
    // Where the reports are written: a folder of this user's own.
    QString ReportPath() const;

    MelodySettings CurrentMelodySettings() const;
    SoundSettings CurrentSoundSettings() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the pages.
    void BuildMenus();
    QFrame* BuildMainPage();
    QFrame* BuildSettingsPage();
    QFrame* BuildInstrumentsPage();
    QFrame* BuildAboutPage();
    void BuildMethodPanels(QWidget* central, QWidget* settings);
    QGroupBox* BuildKeyPanel(QWidget* parent, const QString& name, const QString& caption,
                             const QString& label, QScrollBar*& bar, QLabel*& value,
                             QLabel*& text, const char* names[3]);
    void BuildNoteMapPanel(QWidget* central);

    // Pages and the floating method panels.
    void ShowPage(Page page);
    void MetodNum();

    // Analysis, colouring, drawing.
    void AnalyseVerse();
    void OnMetreChosen(int index);
    void ColourEditor();
    void ReadHandPattern();
    void DrawScore();
    void OnIctusToggled();
    void OnPaste(const QString& clipboard);

    // Settings handlers.
    void OnMethodChosen(int index);
    void OnDynamicsChosen(int index);
    void OnTempoChosen(int index);
    void Takt(int numerator);
    void OnGroupPresetToggled(bool on);
    void OnGroupChosen(int index);
    void GenerateNoteMap();

    // Sound.
    void BindSound();
    void Play();
    void LightLamp(int index);
    void PaintLamp(const QColor& colour);

    // Help menu.
    void DrawAboutText();
    void ShowVerseReport();
    void ShowHelpText();
    void WriteReportAndOpen(const QString& text);

    std::unique_ptr<MessageSink> messages_;
    std::unique_ptr<DesktopOpener> opener_;
    SoundServices sound_;
    // Declared after the sequencer it plays on, so that it is gone first.
    std::unique_ptr<PlaybackController> playback_;
    Preview* preview_ = nullptr;
    MetreState metre_;
    std::mt19937_64 random_;
    QString tempoTerm_;
    int dynamicsGlyph_ = 111;
    Page page_ = Page::kMain;
    bool drawing_ = false;

    // Menus.
    QAction* mainAction_ = nullptr;
    QAction* adjustmentAction_ = nullptr;
    QAction* instrumentsAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;

    // Pages.
    QFrame* mainPage_ = nullptr;
    QFrame* settingsPage_ = nullptr;
    QFrame* instrumentsPage_ = nullptr;
    QFrame* aboutPage_ = nullptr;

    // Main page.
    VerseEditor* editor_ = nullptr;
    QComboBox* metreList_ = nullptr;  // Combo1
    QComboBox* methodList_ = nullptr; // Combo2
    ScoreViewport* score_ = nullptr;  // Picture2 with Picture1
    QScrollBar* scoreScroll_ = nullptr; // HScroll9
    QWidget* lamp_ = nullptr;         // Picture3
    std::array<QLabel*, 3> transport_{}; // Image1 play, Image2 pause, Image3 stop

    // Settings page.
    QComboBox* deviceList_ = nullptr;    // Combo3
    QComboBox* dynamicsList_ = nullptr;  // Combo4
    QLabel* dynamicsValue_ = nullptr;    // Label2
    QScrollBar* dynamicsScroll_ = nullptr; // VScroll1
    QScrollBar* boostScroll_ = nullptr;  // VScroll3
    QLabel* boostValue_ = nullptr;       // Label20
    QComboBox* tempoList_ = nullptr;     // Combo5
    QLabel* tempoValue_ = nullptr;       // Label10
    QScrollBar* tempoScroll_ = nullptr;  // VScroll2
    QComboBox* numeratorList_ = nullptr; // Combo14
    QComboBox* denominatorList_ = nullptr; // Combo15
    QCheckBox* lengthen_ = nullptr;      // Check6
    QCheckBox* colourOption_ = nullptr;  // Check2
    QCheckBox* keepFile_ = nullptr;      // Check1

    // Method panels.
    QGroupBox* frame5_ = nullptr;
    QGroupBox* frame6_ = nullptr;
    QGroupBox* frame7_ = nullptr;
    QGroupBox* frame8_ = nullptr;
    QGroupBox* frame9_ = nullptr;
    QGroupBox* frame10_ = nullptr;
    QScrollBar* vscroll4_ = nullptr;
    QScrollBar* vscroll5_ = nullptr;
    QScrollBar* vscroll6_ = nullptr;
    QScrollBar* vscroll7_ = nullptr;
    QScrollBar* vscroll8_ = nullptr;
    std::array<QComboBox*, 10> noteLists_{}; // Combo17
    std::array<QLabel*, 10> notePreviews_{}; // Image6
    QComboBox* octaveList_ = nullptr;        // Combo18

    // Instruments page.
    std::array<QComboBox*, 4> voiceLists_{};  // Combo6..Combo9
    std::array<QCheckBox*, 3> voiceChecks_{}; // Check7..Check9
    std::array<QLabel*, 4> voiceLabels_{};
    QCheckBox* groupCheck_ = nullptr;         // Check3
    QComboBox* groupList_ = nullptr;          // Combo10
    QCheckBox* drumsCheck_ = nullptr;         // Check4
    QComboBox* drumFirst_ = nullptr;          // Combo11
    QComboBox* drumLast_ = nullptr;           // Combo12
    QScrollBar* drumMap_ = nullptr;           // HScroll6
    QLabel* drumMapLabel_ = nullptr;          // Label19
    QCheckBox* accompanimentCheck_ = nullptr; // Check5
    QComboBox* accompanimentList_ = nullptr;  // Combo13
    QComboBox* effectList_ = nullptr;         // Combo16
    std::array<QLabel*, 8> instrumentPreviews_{}; // Image5, no element 4

    // About page.
    QLabel* aboutText_ = nullptr; // Picture4
};

} // namespace kvat
