// The instruments page's controls, the ready-made groups and the speakers.

#include "app/window/instruments_page.h"

#include "app/window/control_names.h"
#include "app/window/picture_button.h"
#include "app/window/widgets.h"
#include "midi/instrument_names.h"
#include "midi/presets.h"

#include <QSignalBlocker>

namespace kvat {
namespace {

constexpr int kListLeft = 1560;
constexpr int kListWidth = 2415;
constexpr int kSpeakerLeft = kListLeft + kListWidth + 60;
constexpr std::array<const char*, 4> kVoiceNames = {"Сопрано:", "Меццо:", "Тенор:", "Бас:"};
// The singer list's items, in the order of VoiceKind.
constexpr std::array<std::u32string_view, 2> kSingerNames = {U"мужской", U"женский"};

template <class Names> QStringList Items(const Names& names) {
    QStringList items;
    for (auto name : names) items << Q(name);
    return items;
}

QString DrumMapText(int value) {
    return "Карта: " + QString::number(value);
}

// A value's place in its list, and back; an item off the list reads as the list's first.
template <class Table, class Value>
int RowOf(const Table& table, Value Table::value_type::*member, Value value) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].*member == value) return static_cast<int>(i);
    return 0;
}
template <class Table> const typename Table::value_type& Row(const Table& table, int index) {
    return table[index >= 0 && index < static_cast<int>(table.size()) ? std::size_t(index) : 0];
}

// The drum lists hold the percussion keys in order, from the first.
int DrumItem(int key) {
    return key - kFirstDrumKey;
}

} // namespace

InstrumentsPage::InstrumentsPage(QWidget* focusSink, QWidget* parent)
    : QFrame(parent), focusSink_(focusSink), speakers_(new PictureGroup(this)) {
    setObjectName(control::kInstrumentsPage);
    BuildVoices();
    BuildDrums();
    BuildAccompaniment();
    BuildSinging();
    // Row by row: a voice's switch, its instrument, its speaker.
    std::vector<QWidget*> order;
    for (std::size_t i = 0; i < voiceLists_.size(); ++i) {
        if (i > 0) order.push_back(voiceChecks_[i - 1]);
        order.insert(order.end(), {voiceLists_[i], speakerButtons_[i]});
    }
    order.insert(order.end(),
                 {groupCheck_, groupList_, drumsCheck_, drumFirst_, speakerButtons_[5], drumLast_,
                  speakerButtons_[6], drumMap_, accompanimentCheck_, accompanimentList_,
                  speakerButtons_[7], effectList_, singingCheck_, singerList_, speakerButtons_[4]});
    ChainTabs(order);
}

void InstrumentsPage::AddSpeaker(int k, int top) {
    auto* button = new PictureButton(Picture::kSpeaker, control::kSpeakers[k], this);
    button->setGeometry(TwipRect(kSpeakerLeft, top + 15, 300, 285));
    speakers_->Add(button);
    speakerButtons_[static_cast<std::size_t>(k)] = button;
    connect(button, &PictureButton::clicked, this, [this, k, button] {
        HandFocusOn(button, focusSink_);
        emit speakerClicked(k);
    });
}

void InstrumentsPage::BuildVoices() {
    const QStringList programs = Items(kProgramNames);
    MakeLabel(this, control::kVoicesLabel, "Основные инструменты:", 120, 240);
    for (int i = 0; i < 4; ++i) {
        const int top = 480 + 360 * i;
        voiceLabels_[i] =
            MakeLabel(this, control::kVoiceLabels[i], kVoiceNames[i], 360, top + 30, 840);
        voiceLists_[i] =
            MakeList(this, control::kVoiceLists[i], kListLeft, top, kListWidth, programs);
        if (i > 0)
            voiceChecks_[i - 1] =
                MakeCheck(this, control::kVoiceChecks[i - 1], "", 1200, top + 30, 300);
        AddSpeaker(i, top);
    }

    MakeLabel(this, control::kGroupsLabel, "Готовые группы:", 240, 1920);
    // The groups' names are the longest of the page: their list takes the whole row.
    groupCheck_ = MakeCheck(this, control::kGroupCheck, "", 120, 2220, 300);
    QStringList groups;
    for (const auto& group : kVoiceGroups) groups << Q(group.item);
    groupList_ = MakeList(this, control::kGroupList, 360, 2160, 3975, groups);
    groupList_->setEnabled(false);
    connect(groupCheck_, &QCheckBox::clicked, this, &InstrumentsPage::OnGroupPresetToggled);
    connect(groupList_, &QComboBox::activated, this, &InstrumentsPage::OnGroupChosen);
}

void InstrumentsPage::BuildDrums() {
    const QStringList drums = Items(kPercussionNames);
    MakeLabel(this, control::kDrumsLabel, "Ударные инструменты:", 120, 2760);
    drumsCheck_ = MakeCheck(this, control::kDrumsCheck, "", 1200, 3240, 300);
    drumFirst_ = MakeList(this, control::kDrumFirstList, kListLeft, 3000, kListWidth, drums);
    drumLast_ = MakeList(this, control::kDrumLastList, kListLeft, 3360, kListWidth, drums);
    AddSpeaker(5, 3000);
    AddSpeaker(6, 3360);
    drumMapLabel_ = MakeLabel(this, control::kDrumMapValue, "", 360, 3120, 840);
    drumMap_ = MakeScroll(this, control::kDrumMapBar, Qt::Horizontal, kDrumMapLow, kDrumMapHigh,
                          kDrumMapLow, TwipRect(360, 3420, 780, 195));
    connect(drumMap_, &QScrollBar::valueChanged, this, [this](int v) {
        HandFocusOn(drumMap_, focusSink_);
        drumMapLabel_->setText(DrumMapText(v));
    });
}

void InstrumentsPage::BuildAccompaniment() {
    MakeLabel(this, control::kAccompanimentLabel, "Сглаженный мотив:", 120, 3960);
    accompanimentCheck_ = MakeCheck(this, control::kAccompanimentCheck, "", 1200, 4260, 300);
    accompanimentList_ = MakeList(this, control::kAccompanimentList, kListLeft, 4200, kListWidth,
                                  Items(kProgramNames));
    AddSpeaker(7, 4200);

    MakeLabel(this, control::kEffectsLabel, "Эффекты вывода звука:", 120, 4800);
    QStringList effects;
    for (const auto& effect : kOutputEffects) effects << Q(effect.item);
    effectList_ = MakeList(this, control::kEffectList, kListLeft, 5040, kListWidth, effects);
}

// The verse's syllables sung on the melody, in the sound alone.
void InstrumentsPage::BuildSinging() {
    MakeLabel(this, control::kSingingLabel, "Голос, поющий слоги стиха:", 120, 5400);
    singingCheck_ = MakeCheck(this, control::kSingingCheck, "", 1200, 5700, 300);
    singerList_ =
        MakeList(this, control::kSingerList, kListLeft, 5640, kListWidth, Items(kSingerNames));
    AddSpeaker(4, 5640);
}

void InstrumentsPage::Apply(const SoundSettings& s) {
    groupList_->setCurrentIndex(RowOf(kVoiceGroups, &VoiceGroupRow::group, s.group));
    groupCheck_->setChecked(s.groupOn);
    EnableVoices(!s.groupOn);
    ShowVoices(s);
    drumsCheck_->setChecked(s.drumsOn);
    drumFirst_->setCurrentIndex(DrumItem(s.firstDrumKey));
    drumLast_->setCurrentIndex(DrumItem(s.lastDrumKey));
    {
        const QSignalBlocker quiet(drumMap_); // a value set, not a bar the user moved
        drumMap_->setValue(s.drumMap);
    }
    drumMapLabel_->setText(DrumMapText(drumMap_->value()));
    accompanimentCheck_->setChecked(s.accompanimentOn);
    accompanimentList_->setCurrentIndex(s.accompaniment);
    effectList_->setCurrentIndex(RowOf(kOutputEffects, &OutputEffectRow::effect, s.effect));
    singingCheck_->setChecked(s.singing);
    singerList_->setCurrentIndex(static_cast<int>(s.singer));
}

void InstrumentsPage::ShowVoices(const SoundSettings& s) {
    voiceLists_[0]->setCurrentIndex(s.soprano);
    const VoiceChoice voices[] = {s.mezzo, s.tenor, s.bass};
    for (int i = 0; i < 3; ++i) {
        voiceLists_[i + 1]->setCurrentIndex(voices[i].program);
        voiceChecks_[i]->setChecked(voices[i].on);
    }
}

void InstrumentsPage::ReadInto(SoundSettings& s) const {
    s.soprano = voiceLists_[0]->currentIndex();
    VoiceChoice* voices[] = {&s.mezzo, &s.tenor, &s.bass};
    for (int i = 0; i < 3; ++i)
        *voices[i] = {voiceChecks_[i]->isChecked(), voiceLists_[i + 1]->currentIndex()};
    s.groupOn = groupCheck_->isChecked();
    s.group = Row(kVoiceGroups, groupList_->currentIndex()).group;
    s.drumsOn = drumsCheck_->isChecked();
    s.firstDrumKey = drumFirst_->currentIndex() + kFirstDrumKey;
    s.lastDrumKey = drumLast_->currentIndex() + kFirstDrumKey;
    s.drumMap = drumMap_->value();
    s.accompanimentOn = accompanimentCheck_->isChecked();
    s.accompaniment = accompanimentList_->currentIndex();
    s.effect = Row(kOutputEffects, effectList_->currentIndex()).effect;
    s.singing = singingCheck_->isChecked();
    s.singer = singerList_->currentIndex() == 1 ? VoiceKind::kFemale : VoiceKind::kMale;
}

void InstrumentsPage::EnableVoices(bool on) {
    for (QWidget* w : voiceLists_) w->setEnabled(on);
    for (QWidget* w : voiceChecks_) w->setEnabled(on);
    for (QWidget* w : voiceLabels_) w->setEnabled(on);
    groupList_->setEnabled(!on);
}

void InstrumentsPage::OnGroupPresetToggled(bool on) {
    HandFocusOn(groupCheck_, focusSink_);
    EnableVoices(!on);
    if (on) OnGroupChosen(groupList_->currentIndex());
}

void InstrumentsPage::OnGroupChosen(int index) {
    HandFocusOn(groupList_, focusSink_);
    if (index < 0 || index >= static_cast<int>(kVoiceGroups.size())) return;
    SoundSettings voices;
    ReadInto(voices);
    ApplyGroup(voices, Row(kVoiceGroups, index).group);
    ShowVoices(voices);
}

} // namespace kvat
