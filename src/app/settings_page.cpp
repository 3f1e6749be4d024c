// The settings page: output device, dynamics and stress boost, tempo, time signature, the place
// of the method's settings panel, and the three options.

#include "app/main_window.h"
#include "app/widgets.h"
#include "midi/sound_tables.h"

#include <QFrame>
#include <QGroupBox>

namespace kvat {

QFrame* MainWindow::BuildSettingsPage() {
    auto* page = new QFrame;
    page->setObjectName("Frame2");

    MakeLabel(page, "LabelDevice", "Выбор midi-устройства:", 120, 270);
    deviceList_ = MakeList(page, "Combo3", 1080, 480, 2535);

    MakeLabel(page, "Label4", "Динамика, громкость (по Тавенци, %):", 120, 1080, 4215);
    QStringList dynamics;
    for (const auto& row : kDynamicsTable) dynamics << Q(row.item);
    dynamicsList_ = MakeList(page, "Combo4", 1080, 1320, 2535, dynamics);
    dynamicsValue_ = MakeLabel(page, "Label2", "", 3720, 1350, 600);
    dynamicsScroll_ = MakeScroll(page, "VScroll1", Qt::Vertical, 0, 7, 0, TwipRect(840, 1320, 195, 315));
    connect(dynamicsList_, &QComboBox::currentIndexChanged, this, &MainWindow::OnDynamicsChosen);
    connect(dynamicsScroll_, &QScrollBar::valueChanged, dynamicsList_, &QComboBox::setCurrentIndex);

    MakeLabel(page, "LabelBoost", "Усиление ударных гласных (%):", 1080, 1680);
    boostValue_ = MakeLabel(page, "Label20", "20", 3720, 1680, 600);
    // Moving the bar up raises the boost.
    boostScroll_ = MakeScroll(page, "VScroll3", Qt::Vertical, 2, 0, 2, TwipRect(840, 1665, 195, 285));
    connect(boostScroll_, &QScrollBar::valueChanged, this,
            [this](int value) { boostValue_->setText(QString::number(value * 10)); });

    MakeLabel(page, "Label3", "Темп (по Рофингу,четвёртых нот в минуту): ", 120, 2160, 4215);
    QStringList tempos;
    for (const auto& row : kTempoTable) tempos << Q(row.item);
    tempoList_ = MakeList(page, "Combo5", 1080, 2400, 2535, tempos);
    tempoValue_ = MakeLabel(page, "Label10", "", 3720, 2430, 600);
    tempoScroll_ = MakeScroll(page, "VScroll2", Qt::Vertical, 0, 38, 0, TwipRect(840, 2400, 195, 315));
    connect(tempoList_, &QComboBox::currentIndexChanged, this, &MainWindow::OnTempoChosen);
    connect(tempoScroll_, &QScrollBar::valueChanged, tempoList_, &QComboBox::setCurrentIndex);

    MakeLabel(page, "LabelTimeSignature", "Размер такта (для midi-файла):", 120, 3030, 2640);
    QStringList numerators;
    for (int n : kNumerators) numerators << QString::number(n);
    numeratorList_ = MakeList(page, "Combo14", 2760, 3000, 615, numerators);
    MakeLabel(page, "Label12", "/", 3420, 3030, 150);
    denominatorList_ = MakeList(page, "Combo15", 3600, 3000, 615);
    connect(numeratorList_, &QComboBox::activated, this,
            [this] { Takt(numeratorList_->currentText().toInt()); });

    lengthen_ = MakeCheck(page, "Check6", "Удлинять безударные гласные в конце строки.", 120, 5160,
                          4215, true);
    colourOption_ = MakeCheck(page, "Check2", "Обозначать  цветом слоги (по Листрину).", 120, 5400);
    connect(colourOption_, &QCheckBox::clicked, this, [this] { DrawScore(); });
    keepFile_ = MakeCheck(page, "Check1", "Сохранять midi-файл в директории программы.", 120, 5640,
                          4215, true);
    for (QWidget* w : std::initializer_list<QWidget*>{deviceList_, dynamicsList_, tempoList_,
                                                      numeratorList_, denominatorList_, lengthen_,
                                                      colourOption_, keepFile_})
        w->setFocusPolicy(Qt::NoFocus == w->focusPolicy() ? Qt::NoFocus : Qt::ClickFocus);
    return page;
}

void MainWindow::OnDynamicsChosen(int index) {
    const auto row = DynamicsValue(index);
    if (!row) return;
    dynamicsValue_->setText(QString::number(row->value));
    dynamicsGlyph_ = row->glyph;
    dynamicsScroll_->setValue(index);
    // Louder dynamics leave less room for the boost: the two never pass 100 together.
    boostScroll_->setRange(0, index);
    boostValue_->setText(QString::number(boostScroll_->value() * 10));
}

void MainWindow::OnTempoChosen(int index) {
    const auto row = TempoValue(index);
    if (!row) return;
    tempoValue_->setText(QString::number(row->bpm));
    tempoTerm_ = Q(row->term);
    tempoScroll_->setValue(index);
}

void MainWindow::Takt(int numerator) {
    const auto denominators = kvat::DenominatorsFor(numerator);
    if (denominators.empty()) return;
    denominatorList_->clear();
    for (int d : denominators) denominatorList_->addItem(QString::number(d));
    denominatorList_->setCurrentIndex(0);
}

} // namespace kvat
