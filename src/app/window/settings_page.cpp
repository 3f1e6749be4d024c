// The settings page's controls, and how dynamics, boost, tempo and time signature follow each
// other.

#include "app/window/settings_page.h"

#include "app/window/control_names.h"
#include "app/window/stress_choice.h"
#include "app/window/widgets.h"
#include "midi/sound_tables.h"

#include <QButtonGroup>
#include <QStandardItemModel>

#include <algorithm>

namespace kvat {
namespace {

template <class Range> int IndexOf(const Range& values, int value) {
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? 0 : static_cast<int>(found - values.begin());
}

// The boost bar counts the dynamics list's steps, ten per cent each.
constexpr int kBoostStep = 10;

} // namespace

SettingsPage::SettingsPage(QWidget* parent) : QFrame(parent) {
    setObjectName(control::kSettingsPage);
    MakeLabel(this, control::kDeviceLabel, "Выбор midi-устройства:", 120, 270);
    // Devices' names run long ("Midi Through:Midi Through Port-0 14:0"): the list takes the row.
    deviceList_ = MakeList(this, control::kDeviceList, 120, 480, 4215);
    connect(deviceList_, &QComboBox::currentIndexChanged, this, &SettingsPage::deviceChosen);
    BuildDynamics();
    BuildTempo();
    BuildTimeSignature();
    BuildOptions();
    stressChoice_ = MakeStressChoice(this);
    connect(stressChoice_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit stressModeChosen(Stress());
    });
    // The bars beside the lists move with them: the keyboard uses the lists.
    for (QScrollBar* bar : {dynamicsBar_, tempoBar_}) bar->setFocusPolicy(Qt::NoFocus);
}

void SettingsPage::ChainTabs(const std::vector<QWidget*>& panelControls) {
    std::vector<QWidget*> controls = {deviceList_};
    for (QAbstractButton* button : stressChoice_->buttons()) controls.push_back(button);
    controls.insert(controls.end(),
                    {dynamicsList_, boostBar_, tempoList_, numeratorList_, denominatorList_});
    controls.insert(controls.end(), panelControls.begin(), panelControls.end());
    controls.insert(controls.end(), {lengthen_, colourOption_, keepFile_, rhymes_});
    kvat::ChainTabs(controls);
}

void SettingsPage::BuildDynamics() {
    MakeLabel(this, control::kDynamicsLabel, "Динамика, громкость (по Тавенци, %):", 120, 1080,
              4215);
    QStringList dynamics;
    for (const auto& row : kDynamicsTable) dynamics << Q(row.item);
    dynamicsList_ = MakeList(this, control::kDynamicsList, 1080, 1320, 2535, dynamics);
    dynamicsValue_ = MakeLabel(this, control::kDynamicsValue, "", 3720, 1350, 600);
    dynamicsBar_ =
        MakeScroll(this, control::kDynamicsBar, Qt::Vertical, 0,
                   static_cast<int>(kDynamicsTable.size()) - 1, 0, TwipRect(840, 1320, 195, 315));
    connect(dynamicsList_, &QComboBox::currentIndexChanged, this, &SettingsPage::OnDynamicsChosen);
    connect(dynamicsBar_, &QScrollBar::valueChanged, dynamicsList_, &QComboBox::setCurrentIndex);

    MakeLabel(this, control::kBoostLabel, "Усиление ударных гласных (%):", 1080, 1680);
    boostValue_ = MakeLabel(this, control::kBoostValue, "0", 3720, 1680, 600);
    // Moving the bar up raises the boost.
    boostBar_ =
        MakeScroll(this, control::kBoostBar, Qt::Vertical, 2, 0, 0, TwipRect(840, 1665, 195, 285));
    connect(boostBar_, &QScrollBar::valueChanged, this,
            [this](int value) { boostValue_->setText(QString::number(value * kBoostStep)); });
}

void SettingsPage::BuildTempo() {
    MakeLabel(this, control::kTempoLabel, "Темп (по Рофингу,четвёртых нот в минуту): ", 120, 2160,
              4215);
    QStringList tempos;
    for (const auto& row : kTempoTable) tempos << Q(row.item);
    tempoList_ = MakeList(this, control::kTempoList, 1080, 2400, 2535, tempos);
    tempoValue_ = MakeLabel(this, control::kTempoValue, "", 3720, 2430, 600);
    tempoBar_ =
        MakeScroll(this, control::kTempoBar, Qt::Vertical, 0,
                   static_cast<int>(kTempoTable.size()) - 1, 0, TwipRect(840, 2400, 195, 315));
    connect(tempoList_, &QComboBox::currentIndexChanged, this, &SettingsPage::OnTempoChosen);
    connect(tempoBar_, &QScrollBar::valueChanged, tempoList_, &QComboBox::setCurrentIndex);
}

void SettingsPage::BuildTimeSignature() {
    MakeLabel(this, control::kTimeSignatureLabel, "Размер такта (для midi-файла):", 120, 3030,
              2640);
    QStringList numerators;
    for (int n : kNumerators) numerators << QString::number(n);
    numeratorList_ = MakeList(this, control::kNumeratorList, 2760, 3000, 615, numerators);
    fractionSlash_ = MakeLabel(this, control::kFractionSlash, "/", 3420, 3030, 150);
    denominatorList_ = MakeList(this, control::kDenominatorList, 3600, 3000, 615);
    methodTime_ = MakeLabel(this, control::kMethodTime, "", 2760, 3030, 1575);
    methodTime_->hide();
    connect(numeratorList_, &QComboBox::activated, this,
            [this] { OfferDenominators(numeratorList_->currentText().toInt()); });
}

void SettingsPage::BuildOptions() {
    lengthen_ = MakeCheck(this, control::kLengthenCheck,
                          "Удлинять безударные гласные в конце строки.", 120, 5010);
    colourOption_ = MakeCheck(this, control::kColourCheck,
                              "Обозначать  цветом слоги (по Листрину).", 120, 5250);
    connect(colourOption_, &QCheckBox::clicked, this, &SettingsPage::colourToggled);
    keepFile_ = MakeCheck(this, control::kKeepFileCheck, "Сохранять midi-файл в папке музыки.", 120,
                          5490, 4215, true);
    connect(keepFile_, &QCheckBox::toggled, this, &SettingsPage::keepFileToggled);
    rhymes_ = MakeCheck(this, control::kRhymesCheck, "Показывать рифмы рядом со стихом.", 120, 5730,
                        4215, true);
    connect(rhymes_, &QCheckBox::toggled, this, &SettingsPage::rhymesToggled);
}

void SettingsPage::SetDevices(const std::vector<std::string>& names) {
    deviceList_->clear();
    for (const auto& name : names) deviceList_->addItem(QString::fromStdString(name));
    // Only the built-in synthesizer: say so, rather than leave the user looking for ports.
    if (names.size() == 1) {
        deviceList_->addItem("Другие MIDI-устройства не найдены");
        auto* model = qobject_cast<QStandardItemModel*>(deviceList_->model());
        if (model) model->item(1)->setEnabled(false);
    }
    deviceList_->setCurrentIndex(0);
}

void SettingsPage::Apply(const SoundSettings& settings) {
    // The list's handler sets the value and the bars.
    dynamicsList_->setCurrentIndex(DynamicsIndex(settings.dynamicsPercent));
    boostBar_->setValue(settings.boostPercent / kBoostStep);
    tempoList_->setCurrentIndex(TempoIndex(settings.beatsPerMinute));
    numeratorList_->setCurrentIndex(IndexOf(kNumerators, settings.numerator));
    OfferDenominators(settings.numerator);
    denominatorList_->setCurrentIndex(
        IndexOf(DenominatorsFor(settings.numerator), settings.denominator));
    lengthen_->setChecked(settings.lengthen);
}

void SettingsPage::Apply(const WindowChoices& choices) {
    colourOption_->setChecked(choices.colour);
    keepFile_->setChecked(choices.keepFile);
    rhymes_->setChecked(choices.rhymes);
    const int device = deviceList_->findText(choices.device);
    if (device >= 0) deviceList_->setCurrentIndex(device); // a device gone since keeps the first
    SetStress(choices.stress);
}

void SettingsPage::ReadInto(SoundSettings& s) const {
    if (const auto dynamics = DynamicsValue(dynamicsList_->currentIndex()))
        s.dynamicsPercent = dynamics->percent;
    s.boostPercent = boostBar_->value() * kBoostStep;
    s.lengthen = lengthen_->isChecked();
    if (const auto tempo = TempoValue(tempoList_->currentIndex())) s.beatsPerMinute = tempo->bpm;
    s.numerator = numeratorList_->currentText().toInt();
    s.denominator = denominatorList_->currentText().toInt();
}

void SettingsPage::ReadInto(MelodySettings& settings) const {
    settings.lengthen = lengthen_->isChecked();
}

void SettingsPage::ReadInto(WindowChoices& choices) const {
    choices.colour = colourOption_->isChecked();
    choices.keepFile = keepFile_->isChecked();
    choices.rhymes = rhymes_->isChecked();
    choices.device = deviceList_->currentText();
    choices.stress = Stress();
}

StressMode SettingsPage::Stress() const {
    return CheckedStressMode(*stressChoice_);
}

void SettingsPage::SetStress(StressMode mode) {
    stressChoice_->button(static_cast<int>(mode))->setChecked(true);
}

void SettingsPage::ShowMethodTime(std::optional<std::pair<int, int>> time) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{numeratorList_, fractionSlash_, denominatorList_})
        w->setVisible(!time);
    methodTime_->setVisible(time.has_value());
    if (time)
        methodTime_->setText(QString("%1/%2 (по метру стиха)").arg(time->first).arg(time->second));
}

void SettingsPage::OnDynamicsChosen(int index) {
    const auto row = DynamicsValue(index);
    if (!row) return;
    dynamicsValue_->setText(QString::number(row->percent));
    dynamicsBar_->setValue(index);
    // Louder dynamics leave less room for the boost: the two never pass 100 together.
    boostBar_->setRange(0, index);
    boostValue_->setText(QString::number(boostBar_->value() * kBoostStep));
}

void SettingsPage::OnTempoChosen(int index) {
    const auto row = TempoValue(index);
    if (!row) return;
    tempoValue_->setText(QString::number(row->bpm));
    tempoBar_->setValue(index);
}

void SettingsPage::OfferDenominators(int numerator) {
    const auto denominators = DenominatorsFor(numerator);
    if (denominators.empty()) return;
    denominatorList_->clear();
    for (int d : denominators) denominatorList_->addItem(QString::number(d));
    denominatorList_->setCurrentIndex(0);
}

} // namespace kvat
