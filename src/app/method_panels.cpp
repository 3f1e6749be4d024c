// The settings panels of the melody methods, their label texts and the random note map.

#include "app/main_window.h"
#include "app/picture_button.h"
#include "app/platform_services.h"
#include "app/widgets.h"
#include "melody/method_texts.h"
#include "melody/note_map.h"

#include <QGroupBox>
#include <QLocale>
#include <QPushButton>

namespace kvat {
namespace {

constexpr int kPanelWidth = 4215;
constexpr int kPanelHeight = 1575;
constexpr std::array<const char*, 10> kVowelLabels = {"А =", "Е =", "Ё =", "И =", "О =",
                                                      "У =", "Ы =", "Э =", "Ю =", "Я ="};

QGroupBox* MakePanel(QWidget* parent, const QString& name, const QString& caption) {
    auto* panel = new QGroupBox(caption, parent);
    panel->setObjectName(name);
    panel->resize(Px(kPanelWidth), Px(kPanelHeight));
    // A panel placed over Frame5 must hide it completely.
    panel->setAutoFillBackground(true);
    return panel;
}

char32_t DecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? U'.' : static_cast<char32_t>(point.at(0).unicode());
}

} // namespace

// A panel with one key bar: its label, the bar, the value and the text under it.
QGroupBox* MainWindow::BuildKeyPanel(QWidget* parent, const QString& name, const QString& caption,
                                     const QString& label, QScrollBar*& bar, QLabel*& value,
                                     QLabel*& text, const char* names[3]) {
    QGroupBox* panel = MakePanel(parent, name, caption);
    MakeLabel(panel, names[0], label, 120, 300, 2400);
    bar = MakeScroll(panel, names[1], Qt::Vertical, 7, -7, 0, TwipRect(3720, 240, 255, 1215));
    value = MakeLabel(panel, names[2], "0", 2640, 300, 900);
    text = MakeLabel(panel, QString(names[2]) + "Text", Q(KeyText(0)), 120, 840, 3480);
    QLabel* valueLabel = value;
    QLabel* textLabel = text;
    connect(bar, &QScrollBar::valueChanged, this, [this, valueLabel, textLabel](int v) {
        findChild<QWidget*>("Command69")->setFocus();
        valueLabel->setText(QString::number(v));
        textLabel->setText(Q(KeyText(v)));
    });
    return panel;
}

void MainWindow::BuildMethodPanels(QWidget* central, QWidget* settings) {
    QLabel *value = nullptr, *text = nullptr;

    const char* names21[] = {"Label8", "VScroll4", "Label9"};
    frame5_ = BuildKeyPanel(settings, "Frame5", "Настройки метода 2.1", "Изменение тональности:",
                            vscroll4_, value, text, names21);
    text->setObjectName("Label24");
    frame5_->move(Px(120), Px(3480));

    frame7_ = MakePanel(central, "Frame7", "Настройки метода 1.1");
    MakeLabel(frame7_, "Label44", "Метод не имеет изменяемых настроек", 120, 600, 3960);

    frame6_ = MakePanel(central, "Frame6", "Настройки метода 1.2");
    MakeLabel(frame6_, "Label28", "Смещение тона \"диезных\" гласных:", 120, 300, 3000);
    vscroll5_ = MakeScroll(frame6_, "VScroll5", Qt::Vertical, 11, 0, 0, TwipRect(3720, 240, 255, 1215));
    QLabel* shiftValue = MakeLabel(frame6_, "Label25", "0", 3120, 300, 500);
    QLabel* shiftText = MakeLabel(frame6_, "Label27", Q(ShiftText(0, DecimalSeparator())), 120, 840, 3480);
    connect(vscroll5_, &QScrollBar::valueChanged, this, [this, shiftValue, shiftText](int v) {
        findChild<QWidget*>("Command69")->setFocus();
        shiftValue->setText(QString::number(v));
        shiftText->setText(Q(ShiftText(v, DecimalSeparator())));
    });

    const char* names22[] = {"Label40", "VScroll7", "Label38"};
    frame9_ = BuildKeyPanel(central, "Frame9", "Настройки метода 2.2", "Изменение тональности:",
                            vscroll7_, value, text, names22);
    text->setObjectName("Label39");
    text->setGeometry(TwipRect(120, 540, 3480, 255));
    MakeLabel(frame9_, "Label41", "Смещение центра строки:", 120, 840, 2400);
    vscroll8_ = MakeScroll(frame9_, "VScroll8", Qt::Vertical, 0, 0, 0, TwipRect(3720, 840, 255, 615));
    QLabel* centreValue = MakeLabel(frame9_, "Label42", "0", 2640, 840, 900);
    QLabel* centreText = MakeLabel(frame9_, "Label43", Q(CentreText(0)), 120, 1140, 3480);
    connect(vscroll8_, &QScrollBar::valueChanged, this, [this, centreValue, centreText](int v) {
        findChild<QWidget*>("Command69")->setFocus();
        centreValue->setText(QString::number(v));
        centreText->setText(Q(CentreText(v)));
    });

    const char* names3[] = {"Label37", "VScroll6", "Label36"};
    frame8_ = BuildKeyPanel(central, "Frame8", "Настройки метода 3", "Изменение тональности:",
                            vscroll6_, value, text, names3);
    text->setObjectName("Label29");

    BuildNoteMapPanel(central);
    for (QGroupBox* frame : {frame6_, frame7_, frame8_, frame9_, frame10_}) frame->hide();
}

void MainWindow::BuildNoteMapPanel(QWidget* central) {
    frame10_ = MakePanel(central, "Frame10", "Настройки метода 1.3");
    frame10_->setMouseTracking(true);
    frame10_->installEventFilter(this);
    QStringList notes;
    for (auto name : kNoteNames) notes << Q(name);
    // Three columns of vowels; the octave list and the button close the third.
    for (int i = 0; i < 10; ++i) {
        const int left = 60 + (i / 4) * 1380, top = 240 + (i % 4) * 315;
        MakeLabel(frame10_, QString("Label45(%1)").arg(i), kVowelLabels[i], left, top + 30, 420);
        noteLists_[i] = MakeList(frame10_, QString("Combo17(%1)").arg(i), left + 420, top, 675, notes);
        auto* speaker = new PictureButton(Picture::kSpeaker, QString("Image6(%1)").arg(i), frame10_);
        speaker->setGeometry(TwipRect(left + 1110, top + 15, 270, 270));
        speaker->installEventFilter(this);
        notePreviews_[i] = speaker;
    }
    QStringList octaves;
    for (auto item : kOctaveItems) octaves << Q(item);
    octaveList_ = MakeList(frame10_, "Combo18", 60 + 2 * 1380, 240 + 2 * 315, 1335, octaves);
    auto* generate = new QPushButton("Генерировать", frame10_);
    generate->setObjectName("Command2");
    generate->setGeometry(TwipRect(60 + 2 * 1380, 240 + 3 * 315, 1335, 300));
    connect(generate, &QPushButton::clicked, this, [this] {
        findChild<QWidget*>("Command69")->setFocus();
        GenerateNoteMap();
    });
}

void MainWindow::GenerateNoteMap() {
    NoteMap map{};
    for (int i = 0; i < 10; ++i) map[i] = noteLists_[i]->currentIndex();
    map = RandomNoteMap(map, octaveList_->currentIndex(), random_);
    for (int i = 0; i < 10; ++i) noteLists_[i]->setCurrentIndex(map[i]);
}

void MainWindow::OnMethodChosen(int index) {
    findChild<QWidget*>("Command69")->setFocus();
    DrawScore();
    frame5_->setTitle(Q(MethodCaption(methodList_->itemText(index).toStdU32String())));
    if (index == 2) {
        messages_->Exclamation("Настройки метода", "Выберите или сгенерируйте ноты соответствующие буквам.");
        ShowPage(Page::kSettings);
    }
}

} // namespace kvat
