#include "app/window/main_window.h"

#include "app/render/symbol_font.h"
#include "app/window/about_page.h"
#include "app/window/control_names.h"
#include "app/window/export_actions.h"
#include "app/window/export_files.h"
#include "app/window/file_actions.h"
#include "app/window/file_dialogs.h"
#include "app/window/instruments_page.h"
#include "app/window/long_work.h"
#include "app/window/main_page.h"
#include "app/window/method_panels.h"
#include "app/window/platform_services.h"
#include "app/window/qt_text.h"
#include "app/window/qt_translations.h"
#include "app/window/report_file.h"
#include "app/window/settings_page.h"
#include "app/window/settings_store.h"
#include "app/window/twip_rect.h"
#include "help/help_texts.h"
#include "help/sample_verse.h"
#include "midi/midi_words.h"
#include "sound/dummy_sequencer.h"
#include "verse/syllables.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <array>
#include <chrono>

namespace kvat {
namespace {

constexpr int kPageWidth = 4455;
constexpr int kPageHeight = 6015;
constexpr int kPageLeft = 120; // where the main page stands and every page is brought
constexpr int kPageTop = 0;

constexpr int kPageRightMargin = 180, kPageBottomMargin = 120;
constexpr const char* kGeometryKey = "window/geometry";

int IndexOf(const std::optional<Method>& method) {
    return method ? MethodIndex(*method) : -1;
}

// The local verse file a drag carries, if it carries one.
QString DroppedTextFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).suffix().toLower() != "txt") return {};
    return url.toLocalFile();
}

} // namespace

MainWindow::MainWindow(SoundServices sound, std::unique_ptr<MessageSink> messages,
                       std::unique_ptr<DesktopOpener> opener, std::unique_ptr<FileDialogs> dialogs)
    : messages_(messages ? std::move(messages) : std::make_unique<DialogMessageSink>(this)),
      opener_(opener ? std::move(opener) : std::make_unique<SystemDesktopOpener>()),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<SystemFileDialogs>(this)),
      sound_(std::move(sound)) {
    InstallQtTranslations();
    setObjectName(control::kWindow);
    setWindowTitle("Kvat");
    auto* central = new QWidget(this);
    central->setObjectName(control::kCentral);
    setCentralWidget(central);

    // A hidden button takes the keyboard focus from a clicked control, so it loses its frame.
    focusSink_ = new QPushButton("Фокус", central);
    focusSink_->setObjectName(control::kFocusSink);
    focusSink_->setGeometry(-Px(2000), -Px(2000), Px(600), Px(255));

    main_ = new MainPage(central);
    settings_ = new SettingsPage(central);
    instruments_ = new InstrumentsPage(focusSink_, central);
    about_ = new AboutPage(central);
    for (QFrame* page : std::initializer_list<QFrame*>{main_, settings_, instruments_, about_})
        page->setGeometry(TwipRect(kPageLeft, kPageTop, kPageWidth, kPageHeight));
    panels_ = new MethodPanels(settings_, central, focusSink_);
    settings_->ChainTabs(panels_->TabControls());

    connect(main_, &MainPage::scoreOutdated, this, &MainWindow::DrawScore);
    connect(main_, &MainPage::methodChosen, this, &MainWindow::OnMethodChosen);
    connect(settings_, &SettingsPage::colourToggled, this, &MainWindow::DrawScore);
    connect(settings_, &SettingsPage::stressModeChosen, main_, &MainPage::SetStressMode);
    connect(settings_, &SettingsPage::rhymesToggled, main_, &MainPage::ShowRhymeColumn);
    connect(about_, &AboutPage::linkClicked, this, [this](const QUrl& url) { opener_->Open(url); });
    files_ = new FileActions(*this, *dialogs_, *messages_,
                             {[this] { return main_->VerseText(); },
                              [this](const QString& text) { main_->LoadVerse(text); }});
    exports_ = new ExportActions(
        *this, *dialogs_, *messages_,
        [this] {
            return ExportPiece{CurrentPiece(), main_->ScoreWidth()};
        },
        [this] { return files_->Folder() + "/" + files_->Stem(); },
        [this] { return files_->Path(); });
    connect(main_, &MainPage::verseEdited, files_, &FileActions::VerseChanged);
    // A logout may end the process before the next edit is kept.
    connect(qApp, &QGuiApplication::commitDataRequest, files_, &FileActions::KeepUnsaved);
    BuildMenus();
    BindSound();
    BindTransportKeys();

    // Only the page at the main page's place is inside the window; the design's size is the
    // least it may have, and the main page takes whatever it gains.
    const QSize design(Px(kPageLeft + kPageWidth + kPageRightMargin),
                       Px(kPageTop + kPageHeight + kPageBottomMargin));
    central->setMinimumSize(design);
    resize(design.width(), design.height() + menuBar()->sizeHint().height());
    setMinimumSize(size());
    setAcceptDrops(true);
    installEventFilter(this);
    for (QPlainTextEdit* edit : findChildren<QPlainTextEdit*>()) {
        edit->installEventFilter(this);
        edit->viewport()->installEventFilter(this);
    }
    ShowPage(Page::kMain);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu("&Файл");
    file->setObjectName(control::kFileMenu);
    files_->AddOpenItems(*file);
    file->addSeparator();
    exports_->AddMenu(*file);
    file->addSeparator();
    file->addAction("Сбросить &настройки", this,
                    [this] {
                        if (dialogs_->AskReset()) ResetSettings();
                    })
        ->setObjectName(control::kResetItem);
    files_->AddCloseItems(*file);
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    BuildFileMenu();
    mainAction_ = bar->addAction("&Главная", this, [this] { ShowPage(Page::kMain); });
    mainAction_->setObjectName(control::kMainMenu);
    settingsAction_ = bar->addAction("&Настройки", this, [this] { ShowPage(Page::kSettings); });
    settingsAction_->setObjectName(control::kSettingsMenu);
    instrumentsAction_ =
        bar->addAction("&Инструменты", this, [this] { ShowPage(Page::kInstruments); });
    instrumentsAction_->setObjectName(control::kInstrumentsMenu);
    helpMenu_ = bar->addMenu("&Справка");
    helpMenu_->setObjectName(control::kHelpMenu);
    helpMenu_->addAction("&О стихе", this, [this] { WriteReportAndOpen(main_->VerseReport()); })
        ->setObjectName(control::kVerseReportItem);
    helpMenu_->addAction("&Помощь", this, [this] { WriteReportAndOpen(ShowFaq(kSampleVerse)); })
        ->setObjectName(control::kHelpTextItem);
    helpMenu_->addAction("&О программе", this, [this] { ShowPage(Page::kAbout); })
        ->setObjectName(control::kAboutItem);
}

void MainWindow::BindSound() {
    if (!sound_.sequencer) sound_.sequencer = std::make_unique<DummySequencer>();
    if (!sound_.openOutput) sound_.openOutput = [](int) { return std::unique_ptr<LiveOutput>(); };
    playback_ = std::make_unique<PlaybackController>(*sound_.sequencer, sound_.folders);
    preview_ = new Preview(sound_.openOutput, this);
    playback_->SetVoiceOutput(sound_.voice);
    preview_->SetVoiceOutput(sound_.voice);

    main_->BindPlayback(*playback_);
    connect(main_, &MainPage::playClicked, this, [this] { Play(); });
    connect(main_, &MainPage::playFromClicked, this, [this](int column) { Play(column); });
    connect(playback_.get(), &PlaybackController::stopped, preview_, &Preview::CloseOutput);
    connect(settings_, &SettingsPage::keepFileToggled, playback_.get(),
            &PlaybackController::SetKeepCopy);
    connect(settings_, &SettingsPage::deviceChosen, preview_, &Preview::SetDevice);
    connect(instruments_, &InstrumentsPage::speakerClicked, this,
            [this](int k) { preview_->PlaySpeaker(k, CurrentSoundSettings()); });
    connect(panels_, &MethodPanels::notePreviewRequested, preview_, &Preview::PreviewNote);
}

// Keys no text field uses, so that they work from every page while the verse is typed.
void MainWindow::BindTransportKeys() {
    connect(new QShortcut(Qt::Key_F5, this), &QShortcut::activated, this, [this] {
        if (playback_->state() == PlaybackController::State::kPlaying)
            playback_->Pause();
        else
            Play();
    });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, [this] {
        if (playback_->state() != PlaybackController::State::kStopped) playback_->Stop();
    });
}

void MainWindow::StartUp() {
    main_->AnalyseVerse();
    settings_->SetDevices(sound_.devices);
    InstallSymbolFont();

    defaultChoices_ = CurrentChoices(); // with the devices listed, the first chosen
    QSettings store;
    const MelodySettings melody = LoadMelody(store);
    WindowChoices defaults = defaultChoices_;
    defaults.keyShifts.fill(melody.keyShift); // an earlier version kept one key for all
    Apply(melody, LoadSound(store), LoadChoices(store, defaults));
    restoreGeometry(store.value(kGeometryKey).toByteArray());
    files_->Restore(TakeLegacyUnsavedVerse(store));

    DrawScore();
    panels_->Seed(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    // A note map the user had keeps; a first start gets a random one.
    if (!HasSavedMelody(store)) panels_->GenerateNoteMap();
}

void MainWindow::Apply(const MelodySettings& melody, const SoundSettings& sound,
                       const WindowChoices& choices) {
    main_->Apply(melody);
    panels_->Apply(melody);
    panels_->Apply(choices);
    panels_->SetCaption(IndexOf(melody.method));
    settings_->Apply(sound);
    settings_->Apply(choices);
    instruments_->Apply(sound);
}

void MainWindow::ResetSettings() {
    QSettings store;
    ForgetChoices(store);
    Apply(MelodySettings{}, SoundSettings{}, defaultChoices_);
    panels_->GenerateNoteMap();
    DrawScore();
}

void MainWindow::SaveSettings() {
    QSettings store;
    SaveMelody(store, CurrentMelodySettings());
    SaveSound(store, CurrentSoundSettings());
    SaveChoices(store, CurrentChoices());
    store.setValue(kGeometryKey, saveGeometry());
}

void MainWindow::ComeForward(const QStringList& files) {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (!files.isEmpty()) files_->Open(files.front());
}

const MetreState& MainWindow::Metre() const {
    return main_->Metre();
}

QString MainWindow::ColourList() const {
    return main_->ColourList();
}

MelodySettings MainWindow::CurrentMelodySettings() const {
    MelodySettings settings;
    main_->ReadInto(settings); // the method first: the panels read the bars of its family
    settings_->ReadInto(settings);
    panels_->ReadInto(settings);
    return settings;
}

SoundSettings MainWindow::CurrentSoundSettings() const {
    SoundSettings settings;
    settings_->ReadInto(settings);
    instruments_->ReadInto(settings);
    return settings;
}

WindowChoices MainWindow::CurrentChoices() const {
    WindowChoices choices;
    settings_->ReadInto(choices);
    panels_->ReadInto(choices);
    return choices;
}

Piece MainWindow::CurrentPiece() const {
    const PieceSettings settings{CurrentMelodySettings(), CurrentSoundSettings(), true,
                                 CurrentChoices().colour};
    const Lines& lines = main_->VerseLines();
    const MetreState& metre = main_->FreshMetre();
    const std::vector<std::string> stress = main_->FreshStress();
    if (lines.size() < kLongVerseLines) return BuildPiece(lines, metre, stress, settings);
    return RunLongWork(main_, "Построение мелодии…",
                       [&] { return BuildPiece(lines, metre, stress, settings); });
}

void MainWindow::ShowPage(Page page) {
    page_ = page;
    mainAction_->setEnabled(page != Page::kMain);
    settingsAction_->setEnabled(page != Page::kSettings);
    instrumentsAction_->setEnabled(page != Page::kInstruments);
    helpMenu_->menuAction()->setEnabled(page != Page::kAbout);
    // A page out of sight is out of reach: disabled, it holds no focus and takes no key.
    QWidget* shown = Pages()[static_cast<std::size_t>(page)];
    for (QWidget* other : Pages())
        if (other != shown) {
            other->hide();
            other->setEnabled(false);
        }
    shown->setEnabled(true);
    shown->show(); // the main page hands the focus to the editor
    PlacePanels();
    if (page == Page::kSettings) ShowMethodTime();
    if (page == Page::kMain) DrawScore();
    if (page == Page::kAbout) about_->DrawText();
    // The other pages take the focus themselves, on no control: keys act nowhere till Tab.
    if (page != Page::kMain) shown->setFocus();
    // The hidden button hands a clicked control's focus on to the page shown, so the focus
    // never rests on a control out of sight.
    focusSink_->setFocusProxy(shown);
}

std::array<QWidget*, 4> MainWindow::Pages() const {
    return {main_, settings_, instruments_, about_};
}

void MainWindow::PlacePanels() {
    MelodySettings chosen;
    main_->ReadInto(chosen);
    panels_->Place(IndexOf(chosen.method), page_ == Page::kSettings);
}

void MainWindow::ShowMethodTime() {
    MelodySettings chosen;
    main_->ReadInto(chosen);
    std::optional<std::pair<int, int>> time;
    if (chosen.method && TimesItsNotes(*chosen.method))
        if (const auto bars = CurrentPiece().bars) time = std::pair(bars->beats, bars->beatType);
    settings_->ShowMethodTime(time);
}

void MainWindow::DrawScore() {
    // Out of sight the score is not drawn: the main page draws it as it comes back. Only the
    // centre range a centre method's panel shows is found at once.
    if (page_ != Page::kMain) {
        MelodySettings chosen;
        main_->ReadInto(chosen);
        if (chosen.method && HasCentreRange(*chosen.method))
            panels_->SetCentreRange(CurrentPiece().centreRange);
        return;
    }
    const Piece piece = CurrentPiece();
    const MainPage::Drawing drawing = main_->DrawScore(piece);
    const auto method = piece.settings.melody.method;
    if (method && HasCentreRange(*method)) panels_->SetCentreRange(piece.centreRange);
    playback_->SetScrollMaximum(drawing.scrollMaximum);
    // The messages come last, once the score stands drawn: a dialog runs the event loop, and
    // nothing may start half-way through a drawing.
    // One box for them all: a long verse's slips would otherwise be a box each.
    constexpr qsizetype kShown = 5;
    QStringList told;
    for (const auto& message : drawing.messages) told << Q(message);
    if (told.size() > kShown)
        told = told.first(kShown) << QString("…и ещё %1.").arg(told.size() - kShown);
    if (!told.isEmpty()) messages_->Critical(Q(kOrthographyTitle), told.join("\n\n"));
}

void MainWindow::OnMethodChosen(int index) {
    DrawScore();
    panels_->SetCaption(index);
    if (index == MethodIndex(Method::kVowelNotes)) {
        messages_->Exclamation("Настройки метода",
                               "Выберите или сгенерируйте ноты соответствующие буквам.");
        ShowPage(Page::kSettings);
    }
}

void MainWindow::Play(std::optional<int> fromColumn) {
    const Piece piece = CurrentPiece();
    // Nothing to sound: no play that never ends, no file without a note.
    if (!piece.Sung() && playback_->state() != PlaybackController::State::kPaused)
        return messages_->Exclamation("Воспроизведение", kNoMelody);
    playback_->SetKeepCopy(CurrentChoices().keepFile);
    playback_->SetScrollMaximum(main_->ScrollMaximum());
    playback_->SetScrollValue(main_->ScrollValue());
    if (fromColumn)
        playback_->PlayFrom(piece, *fromColumn);
    else
        playback_->Play(piece);
}

void MainWindow::WriteReportAndOpen(const std::u32string& text) {
    if (WriteReport(Q(text))) opener_->Open(QUrl::fromLocalFile(ReportPath()));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize room = centralWidget()->size();
    main_->resize(room.width() - Px(kPageLeft + kPageRightMargin),
                  room.height() - Px(kPageTop + kPageBottomMargin));
    // The pages of fixed size stand in the middle of the room the window gained.
    const QSize gained = room - centralWidget()->minimumSize();
    const QPoint place(Px(kPageLeft) + std::max(0, gained.width() / 2),
                       Px(kPageTop) + std::max(0, gained.height() / 2));
    for (QFrame* page : std::initializer_list<QFrame*>{settings_, instruments_, about_})
        page->move(place);
    PlacePanels(); // they follow the settings page
}

// A verse file dropped anywhere on the window, the editor included, is opened rather than
// pasted as its address.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedTextFile(drag->mimeData()).isEmpty()) return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedTextFile(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        files_->Open(path);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!files_->MayDropEdits()) {
        event->ignore();
        return;
    }
    files_->ForgetUnsaved(); // saved or dropped, as the user chose
    SaveSettings();
    playback_->StopPlayback();
    QFile::remove(ReportPath());
    event->accept();
}

} // namespace kvat
