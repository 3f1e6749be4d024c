// The About page's labels and links.

#include "app/window/about_page.h"

#include "app/window/control_names.h"
#include "app/window/widgets.h"
#include "help/help_texts.h"
#include "kvat_version.h"

#include <QApplication>
#include <QMessageBox>
#include <QUrlQuery>
#include <utility>

namespace kvat {
namespace {

// A link that a click follows, and Enter once Tab has reached it.
QLabel* MakeLink(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* link = new QLabel(
        QString("<a href='#' style='color:#0000FF'>%1</a>").arg(text.toHtmlEscaped()), parent);
    link->setObjectName(name);
    link->setGeometry(geometry);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setFocusPolicy(Qt::TabFocus); // a click follows the link without framing it
    link->adjustSize();                 // the address decides the width, so it is never cut off
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

AboutPage::AboutPage(QWidget* parent) : QFrame(parent) {
    setObjectName(control::kAboutPage);
    auto* icon = new QLabel(this);
    icon->setObjectName(control::kAboutIcon);
    icon->setGeometry(TwipRect(1920, 240, 720, 720));
    icon->setPixmap(QApplication::windowIcon().pixmap(Px(720), Px(720)));

    const QString version =
        QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size()));
    QLabel* title = MakeLabel(this, control::kAboutTitle,
                              QString("Kvat (Kvatrax)   версия %1").arg(version), 600, 1080, 3375);
    QFont bold("MS Sans Serif");
    bold.setStyleHint(QFont::SansSerif);
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    title->setFont(bold);
    title->setStyleSheet("color: #000080;");
    title->setAlignment(Qt::AlignCenter);
    MakeLabel(this, control::kAboutSubtitle, "генерация музыки из стихотворений", 360, 1320, 3735)
        ->setAlignment(Qt::AlignCenter);
    aboutText_ = MakeLabel(this, control::kAboutText, QString(), 360, 1800, 3735, 2775);
    aboutText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    aboutText_->setAutoFillBackground(true);

    MakeLabel(this, control::kSiteLabel, "Сайт программы: ", 360, 4800, 1575);
    QLabel* site =
        MakeLink(this, control::kSiteLink, Q(kSiteAddress), TwipRect(2160, 4800, 1935, 255));
    MakeLabel(this, control::kMailLabel, "Электронный адрес (e-mail):", 360, 5040, 2175);
    QLabel* mail =
        MakeLink(this, control::kMailLink, Q(kContactAddress), TwipRect(2805, 5040, 1290, 255));
    MakeLabel(this, control::kWriteToUs, "Пишите нам: вопросы и пожелания.", 360, 5520, 3735)
        ->setAlignment(Qt::AlignCenter);
    QUrl mailto("mailto:" + Q(kContactAddress));
    QUrlQuery query;
    query.addQueryItem("Subject", Q(MailSubject()));
    mailto.setQuery(query);
    for (const auto& [label, url] :
         {std::pair{site, QUrl(Q(kSiteAddress))}, std::pair{mail, mailto}})
        connect(label, &QLabel::linkActivated, this, [this, url] { emit linkClicked(url); });

    // The licences and the data sources, one click away rather than crowding the page.
    QLabel* credits = MakeLink(this, control::kCreditsLink, "Лицензии и источники данных",
                               TwipRect(360, 5820, 3735, 255));
    credits->setToolTip(Q(kCredits));
    connect(credits, &QLabel::linkActivated, this,
            [this] { QMessageBox::about(this, "Лицензии и источники данных", Q(kCredits)); });
}

void AboutPage::DrawText() {
    aboutText_->setText(AboutHtml());
}

} // namespace kvat
