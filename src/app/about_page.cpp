// The About page and the two reports of the help menu.

#include "app/main_window.h"
#include "app/platform_services.h"
#include "app/verse_editor.h"
#include "app/widgets.h"
#include "help/help_texts.h"
#include "help/sample_verse.h"
#include "kvat_version.h"
#include "verse/colouring.h"
#include "verse/report.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QSaveFile>
#include <QStyle>
#include <QUrlQuery>

namespace kvat {
namespace {

QLabel* MakeLink(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* link = new QLabel(text, parent);
    link->setObjectName(name);
    link->setGeometry(geometry);
    link->setStyleSheet("color: #0000FF; text-decoration: underline;");
    link->setCursor(Qt::PointingHandCursor);
    link->adjustSize(); // the address decides the width, so it is never cut off
    return link;
}

// The About text as the page prints it: dark grey, the headings bold, the last line red.
QString AboutHtml() {
    QString html = "<div style='color:#505050; white-space:pre'>";
    for (const AboutLine& line : kAboutText) {
        QString text = Q(line.text).toHtmlEscaped();
        if (line.bold) text = "<b>" + text + "</b>";
        if (line.red) text = "<span style='color:#FF0000'>" + text + "</span>";
        html += text + "<br>";
    }
    return html + "</div>";
}

} // namespace

QFrame* MainWindow::BuildAboutPage() {
    auto* page = new QFrame;
    page->setObjectName("Frame3");
    auto* icon = new QLabel(page);
    icon->setObjectName("Image4");
    icon->setGeometry(TwipRect(1920, 240, 720, 720));
    icon->setPixmap(QApplication::windowIcon().pixmap(Px(720), Px(720)));

    QLabel* title = MakeLabel(page, "Label30", QString("Kvat (Kvatrax)   версия %1").arg(QString::fromUtf8(kvat::kVersion.data(), static_cast<qsizetype>(kvat::kVersion.size()))), 600, 1080, 3375);
    QFont bold("MS Sans Serif");
    bold.setStyleHint(QFont::SansSerif);
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    title->setFont(bold);
    title->setStyleSheet("color: #000080;");
    title->setAlignment(Qt::AlignCenter);
    MakeLabel(page, "Label31", "генерация музыки из стихотворений", 360, 1320, 3735)
        ->setAlignment(Qt::AlignCenter);
    aboutText_ = MakeLabel(page, "Picture4", QString(), 360, 1800, 3735, 2775);
    aboutText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    aboutText_->setAutoFillBackground(true);

    MakeLabel(page, "Label32", "Сайт программы: ", 360, 4800, 1575);
    QLabel* site = MakeLink(page, "Label33", Q(kSiteAddress), TwipRect(2160, 4800, 1935, 255));
    MakeLabel(page, "Label34", "Электронный адрес (e-mail):", 360, 5040, 2175);
    QLabel* mail = MakeLink(page, "Label22", Q(kContactAddress), TwipRect(2805, 5040, 1290, 255));
    MakeLabel(page, "Label35", "Пишите нам: вопросы и пожелания.", 360, 5520, 3735)
        ->setAlignment(Qt::AlignCenter);
    for (QLabel* link : {site, mail}) link->installEventFilter(this);
    site->setProperty("link", QUrl(Q(kSiteAddress)));
    QUrl mailto("mailto:" + Q(kContactAddress));
    QUrlQuery query;
    query.addQueryItem("Subject", Q(MailSubject()));
    mailto.setQuery(query);
    mail->setProperty("link", mailto);
    return page;
}

void MainWindow::DrawAboutText() { aboutText_->setText(AboutHtml()); }

void MainWindow::ShowVerseReport() {
    const Lines lines = editor_->VerseLines();
    WriteReportAndOpen(QString::fromStdU32String(VerseReport(ReadManualIctuses(lines, editor_->Paint()))));
}

void MainWindow::ShowHelpText() { WriteReportAndOpen(QString::fromStdU32String(ShowFaq(kSampleVerse))); }

void MainWindow::WriteReportAndOpen(const QString& text) {
    // The report file lives in a folder of this user's own and goes at exit; the text ends
    // with a line break, and lines end as this system's text files do.
    QDir().mkpath(QFileInfo(ReportPath()).path());
    QSaveFile file(ReportPath());
    if (!file.open(QIODevice::WriteOnly)) return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QString content = text + "\r\n";
    file.write(content.replace("\r\n", "\n").toUtf8());
    if (!file.commit()) return;
    opener_->Open(QUrl::fromLocalFile(ReportPath()));
}

} // namespace kvat
