#pragma once
// Every control's object name, by what the control is. The names are the window's design names;
// they are written here alone, and the window and its tests find the controls by them.

#include <array>

namespace kvat::control {

using Name = const char*;

// The window, its menus and the hidden button that takes the focus from a clicked control.
inline constexpr Name kWindow = "Form1";
inline constexpr Name kCentral = "Central";
inline constexpr Name kFocusSink = "Command69";
inline constexpr Name kMainMenu = "Main";
inline constexpr Name kSettingsMenu = "Adjustment";
inline constexpr Name kInstrumentsMenu = "Instruments";
inline constexpr Name kHelpMenu = "Help";
inline constexpr Name kVerseReportItem = "Help1";
inline constexpr Name kHelpTextItem = "Help2";
// The File menu, which the desktop version added before the pages' menus.
inline constexpr Name kFileMenu = "File";
inline constexpr Name kOpenItem = "FileOpen";
inline constexpr Name kSaveItem = "FileSave";
inline constexpr Name kSaveAsItem = "FileSaveAs";
inline constexpr Name kExportMenu = "FileExport";
inline constexpr Name kWavMenu = "FileExportWav";
inline constexpr Name kRecentMenu = "FileRecent";
inline constexpr Name kResetItem = "FileReset";
inline constexpr Name kQuitItem = "FileQuit";
inline constexpr Name kAboutItem = "Help3";

// The main page.
inline constexpr Name kMainPage = "Frame1";
inline constexpr Name kEditor = "RichTextBox1";
inline constexpr Name kEditMenu = "Menu_Edit";
inline constexpr Name kRhymeColumn = "RhymeColumn"; // inside the editor's frame, at its left
inline constexpr Name kPasteItem = "Menu_Copi";
inline constexpr Name kMetreLabel = "LabelMetre";
inline constexpr Name kMetreList = "Combo1";
inline constexpr Name kAnalyseButton = "Command1";
inline constexpr Name kMethodLabel = "LabelMethod";
inline constexpr Name kMethodList = "Combo2";
inline constexpr Name kScoreViewport = "Picture2";
inline constexpr Name kScoreCanvas = "Picture1";
inline constexpr Name kMarker = "Line6";
inline constexpr Name kScoreScroll = "HScroll9";
inline constexpr Name kLamp = "Picture3";
inline constexpr Name kPlayButton = "Image1";
inline constexpr Name kPauseButton = "Image2";
inline constexpr Name kStopButton = "Image3";

// The settings page.
inline constexpr Name kSettingsPage = "Frame2";
inline constexpr Name kDeviceLabel = "LabelDevice";
inline constexpr Name kDeviceList = "Combo3";
inline constexpr Name kDynamicsLabel = "Label4";
inline constexpr Name kDynamicsList = "Combo4";
inline constexpr Name kDynamicsValue = "Label2";
inline constexpr Name kDynamicsBar = "VScroll1";
inline constexpr Name kBoostLabel = "LabelBoost";
inline constexpr Name kBoostValue = "Label20";
inline constexpr Name kBoostBar = "VScroll3";
inline constexpr Name kTempoLabel = "Label3";
inline constexpr Name kTempoList = "Combo5";
inline constexpr Name kTempoValue = "Label10";
inline constexpr Name kTempoBar = "VScroll2";
inline constexpr Name kTimeSignatureLabel = "LabelTimeSignature";
inline constexpr Name kNumeratorList = "Combo14";
inline constexpr Name kFractionSlash = "Label12";
inline constexpr Name kDenominatorList = "Combo15";
inline constexpr Name kMethodTime = "LabelMethodTime"; // in the lists' place: a method's own
inline constexpr Name kLengthenCheck = "Check6";
inline constexpr Name kColourCheck = "Check2";
inline constexpr Name kKeepFileCheck = "Check1";
inline constexpr Name kRhymesCheck = "CheckRhymes";
inline constexpr Name kStressLabel = "LabelStressMode";
// By StressMode: the rule, then the dictionary.
inline constexpr std::array<Name, 2> kStressOptions = {"StressMode(0)", "StressMode(1)"};

// The method panels: one label, bar, value and text per setting.
struct BarNames {
    Name label, bar, value, text;
};
inline constexpr Name kTonalPanel = "Frame5"; // on the settings page; the others float over it
inline constexpr BarNames kTonalKey = {"Label8", "VScroll4", "Label9", "Label24"};
inline constexpr Name kFixedPanel = "Frame7";
inline constexpr Name kFixedPanelText = "Label44";
inline constexpr Name kSoftShiftPanel = "Frame6";
inline constexpr BarNames kSoftShift = {"Label28", "VScroll5", "Label25", "Label27"};
inline constexpr Name kCentrePanel = "Frame9";
inline constexpr BarNames kCentreKey = {"Label40", "VScroll7", "Label38", "Label39"};
inline constexpr BarNames kCentreShift = {"Label41", "VScroll8", "Label42", "Label43"};
inline constexpr Name kTemplatePanel = "Frame8";
inline constexpr BarNames kTemplateKey = {"Label37", "VScroll6", "Label36", "Label29"};
inline constexpr Name kNoteMapPanel = "Frame10";
inline constexpr Name kSongPanel = "FrameSong";
inline constexpr Name kTonicLabel = "LabelTonic";
inline constexpr Name kTonicList = "ComboTonic";
inline constexpr Name kModeLabel = "LabelMode";
inline constexpr Name kModeList = "ComboMode";
inline constexpr Name kRangeLabel = "LabelRange";
inline constexpr Name kRangeList = "ComboRange";
inline constexpr std::array<Name, 10> kVowelLabels = {
    "Label45(0)", "Label45(1)", "Label45(2)", "Label45(3)", "Label45(4)",
    "Label45(5)", "Label45(6)", "Label45(7)", "Label45(8)", "Label45(9)"};
inline constexpr std::array<Name, 10> kNoteLists = {
    "Combo17(0)", "Combo17(1)", "Combo17(2)", "Combo17(3)", "Combo17(4)",
    "Combo17(5)", "Combo17(6)", "Combo17(7)", "Combo17(8)", "Combo17(9)"};
inline constexpr std::array<Name, 10> kNoteSpeakers = {
    "Image6(0)", "Image6(1)", "Image6(2)", "Image6(3)", "Image6(4)",
    "Image6(5)", "Image6(6)", "Image6(7)", "Image6(8)", "Image6(9)"};
inline constexpr Name kOctaveList = "Combo18";
inline constexpr Name kGenerateButton = "Command2";

// The instruments page. Speaker k sounds what Preview::PlaySpeaker(k) plays.
inline constexpr Name kInstrumentsPage = "Frame4";
inline constexpr Name kVoicesLabel = "LabelVoices";
inline constexpr std::array<Name, 4> kVoiceLabels = {"LabelVoice0", "LabelVoice1", "LabelVoice2",
                                                     "LabelVoice3"};
inline constexpr std::array<Name, 4> kVoiceLists = {"Combo6", "Combo7", "Combo8", "Combo9"};
inline constexpr std::array<Name, 3> kVoiceChecks = {"Check7", "Check8", "Check9"};
inline constexpr std::array<Name, 8> kSpeakers = {"Image5(0)", "Image5(1)", "Image5(2)",
                                                  "Image5(3)", "Image5(4)", "Image5(5)",
                                                  "Image5(6)", "Image5(7)"};
inline constexpr Name kGroupsLabel = "LabelGroups";
inline constexpr Name kGroupCheck = "Check3";
inline constexpr Name kGroupList = "Combo10";
inline constexpr Name kDrumsLabel = "LabelDrums";
inline constexpr Name kDrumsCheck = "Check4";
inline constexpr Name kDrumFirstList = "Combo11";
inline constexpr Name kDrumLastList = "Combo12";
inline constexpr Name kDrumMapValue = "Label19";
inline constexpr Name kDrumMapBar = "HScroll6";
inline constexpr Name kAccompanimentLabel = "LabelAccompaniment";
inline constexpr Name kAccompanimentCheck = "Check5";
inline constexpr Name kAccompanimentList = "Combo13";
inline constexpr Name kEffectsLabel = "LabelEffects";
inline constexpr Name kEffectList = "Combo16";
inline constexpr Name kSingingLabel = "LabelSinging";
inline constexpr Name kSingingCheck = "CheckSinging";
inline constexpr Name kSingerList = "ComboSinger";

// The About page.
inline constexpr Name kAboutPage = "Frame3";
inline constexpr Name kAboutIcon = "Image4";
inline constexpr Name kAboutTitle = "Label30";
inline constexpr Name kAboutSubtitle = "Label31";
inline constexpr Name kAboutText = "Picture4";
inline constexpr Name kSiteLabel = "Label32";
inline constexpr Name kSiteLink = "Label33";
inline constexpr Name kMailLabel = "Label34";
inline constexpr Name kMailLink = "Label22";
inline constexpr Name kWriteToUs = "Label35";
inline constexpr Name kCreditsLink = "Credits";

} // namespace kvat::control
