#include "app/main_window.h"

#include "app/platform_services.h"
#include "app/score_view.h"
#include "app/twips.h"
#include "app/verse_editor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QDir>

namespace kvat {
namespace {

constexpr int kPageWidth = 4455;
constexpr int kPageHeight = 6015;
constexpr int kPageLeft = 120; // where the main page stands and every page is brought
constexpr int kPageTop = 0;

} // namespace

MainWindow::MainWindow(SoundServices sound, std::unique_ptr<MessageSink> messages,
                       std::unique_ptr<DesktopOpener> opener)
    : messages_(messages ? std::move(messages) : std::make_unique<DialogMessageSink>(this)),
      opener_(opener ? std::move(opener) : std::make_unique<SystemDesktopOpener>()),
      sound_(std::move(sound)) {
    setObjectName("Form1");
    setWindowTitle("Kvat");
    auto* central = new QWidget(this);
    central->setObjectName("Central");
    setCentralWidget(central);

    // A hidden button takes the keyboard focus from a clicked control, so it loses its frame.
    auto* focus = new QPushButton("Фокус", central);
    focus->setObjectName("Command69");
    focus->setGeometry(-Px(2000), -Px(2000), Px(600), Px(255));

    mainPage_ = BuildMainPage();
    settingsPage_ = BuildSettingsPage();
    instrumentsPage_ = BuildInstrumentsPage();
    aboutPage_ = BuildAboutPage();
    for (QFrame* page : {mainPage_, settingsPage_, instrumentsPage_, aboutPage_}) {
        page->setParent(central);
        page->setGeometry(TwipRect(kPageLeft, kPageTop, kPageWidth, kPageHeight));
        page->installEventFilter(this);
    }
    BuildMethodPanels(central, settingsPage_);
    BuildMenus();
    BindSound();

    // Only the page at the main page's place is inside the window.
    central->setFixedSize(Px(kPageLeft + kPageWidth + 180), Px(kPageTop + kPageHeight + 120));
    setFixedSize(central->width(), central->height() + menuBar()->sizeHint().height());
    ShowPage(Page::kMain);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    mainAction_ = bar->addAction("&Главная", this, [this] { ShowPage(Page::kMain); });
    mainAction_->setObjectName("Main");
    adjustmentAction_ = bar->addAction("&Настройки", this, [this] { ShowPage(Page::kSettings); });
    adjustmentAction_->setObjectName("Adjustment");
    instrumentsAction_ =
        bar->addAction("&Инструменты", this, [this] { ShowPage(Page::kInstruments); });
    instrumentsAction_->setObjectName("Instruments");
    helpMenu_ = bar->addMenu("&Справка");
    helpMenu_->setObjectName("Help");
    helpMenu_->addAction("&О стихе", this, [this] { ShowVerseReport(); })->setObjectName("Help1");
    helpMenu_->addAction("&Помощь", this, [this] { ShowHelpText(); })->setObjectName("Help2");
    helpMenu_->addAction("&О программе", this, [this] { ShowPage(Page::kAbout); })
        ->setObjectName("Help3");
}

void MainWindow::ShowPage(Page page) {
    page_ = page;
    mainAction_->setEnabled(page != Page::kMain);
    adjustmentAction_->setEnabled(page != Page::kSettings);
    instrumentsAction_->setEnabled(page != Page::kInstruments);
    helpMenu_->menuAction()->setEnabled(page != Page::kAbout);
    mainPage_->setVisible(page == Page::kMain);
    settingsPage_->setVisible(page == Page::kSettings);
    instrumentsPage_->setVisible(page == Page::kInstruments);
    aboutPage_->setVisible(page == Page::kAbout);
    MetodNum();
    if (page == Page::kMain) DrawScore();
    if (page == Page::kAbout) DrawAboutText();
}

void MainWindow::MetodNum() {
    QGroupBox* const floating[] = {frame6_, frame7_, frame8_, frame9_, frame10_};
    if (!settingsPage_->isVisibleTo(this)) {
        for (QGroupBox* frame : floating) frame->hide();
        return;
    }
    const int index = methodList_->currentIndex();
    QGroupBox* frame = index == 0   ? frame7_
                       : index == 1 ? frame6_
                       : index == 2 ? frame10_
                       : index >= 8 ? frame8_
                       : index >= 5 ? frame9_
                                    : nullptr;
    if (!frame) return; // the 2.1 panel itself serves methods 3 and 4
    frame->setTitle(frame5_->title());
    // Over Frame5 exactly: its place inside the settings page, in the window's coordinates.
    frame->move(frame5_->x() + settingsPage_->x(), frame5_->y());
    frame->show();
    frame->raise();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    playback_->StopPlayback();
    QFile::remove(ReportPath());
    event->accept();
}

QString MainWindow::ReportPath() const {
    // The session's runtime folder is the user's own; without one, the user's cache.
    const QString folder = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
                               ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                               : QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return QDir(folder).filePath("kvat-report.txt");
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The picture buttons show a raised border while the mouse is over them.
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (watched == mainPage_)
            for (QLabel* image : transport_) image->setFrameShape(QFrame::NoFrame);
        if (watched == instrumentsPage_)
            for (QLabel* image : instrumentPreviews_)
                if (image) image->setFrameShape(QFrame::NoFrame);
        if (watched == frame10_)
            for (QLabel* image : notePreviews_) image->setFrameShape(QFrame::NoFrame);
        if (auto* image = qobject_cast<QLabel*>(watched); image && image->property("picture").toBool()) {
            if (watched->objectName().startsWith("Image6"))
                for (QLabel* other : notePreviews_) other->setFrameShape(QFrame::NoFrame);
            image->setFrameShape(QFrame::Box);
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->property("link").isValid()) {
        findChild<QWidget*>("Command69")->setFocus();
        opener_->Open(watched->property("link").toUrl());
    }
    if (event->type() == QEvent::MouseButtonPress)
        if (auto* image = qobject_cast<QLabel*>(watched); image && image->property("picture").toBool()) {
            if (watched->objectName().startsWith("Image6"))
                for (QLabel* other : notePreviews_) other->setFrameShape(QFrame::NoFrame);
            image->setFrameShape(QFrame::NoFrame);
        }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kvat
