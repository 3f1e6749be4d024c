// The instruments page: the four voices, the ready-made groups, the drum figure, the held
// accompaniment chord and the output effect, each with a speaker to hear it.

#include "app/main_window.h"
#include "app/picture_button.h"
#include "app/widgets.h"
#include "midi/instrument_names.h"
#include "midi/presets.h"

#include <QFrame>

namespace kvat {
namespace {

constexpr int kListLeft = 1560;
constexpr int kListWidth = 2415;
constexpr int kSpeakerLeft = kListLeft + kListWidth + 60;

template <class Names>
QStringList Items(const Names& names) {
    QStringList items;
    for (auto name : names) items << Q(name);
    return items;
}

} // namespace

QFrame* MainWindow::BuildInstrumentsPage() {
    auto* page = new QFrame;
    page->setObjectName("Frame4");
    page->setMouseTracking(true);
    const QStringList programs = Items(kProgramNames);
    const QStringList drums = Items(kPercussionNames);
    auto speaker = [&](int k, int top) {
        auto* button = new PictureButton(Picture::kSpeaker, QString("Image5(%1)").arg(k), page);
        button->setGeometry(TwipRect(kSpeakerLeft, top + 15, 300, 285));
        button->installEventFilter(this);
        instrumentPreviews_[k] = button;
    };

    MakeLabel(page, "LabelVoices", "Основные инструменты:", 120, 240);
    const char* voiceNames[] = {"Сопрано:", "Меццо:", "Тенор:", "Бас:"};
    for (int i = 0; i < 4; ++i) {
        const int top = 480 + 360 * i;
        voiceLabels_[i] = MakeLabel(page, QString("LabelVoice%1").arg(i), voiceNames[i], 360, top + 30, 840);
        voiceLists_[i] = MakeList(page, QString("Combo%1").arg(6 + i), kListLeft, top, kListWidth, programs);
        if (i > 0) voiceChecks_[i - 1] = MakeCheck(page, QString("Check%1").arg(6 + i), "", 1200, top + 30, 300);
        speaker(i, top);
    }

    MakeLabel(page, "LabelGroups", "Готовые группы:", 240, 1920);
    groupCheck_ = MakeCheck(page, "Check3", "", 1200, 2220, 300);
    groupList_ = MakeList(page, "Combo10", kListLeft, 2160, kListWidth, Items([] {
                              std::array<std::u32string_view, kVoiceGroups.size()> names{};
                              for (std::size_t i = 0; i < names.size(); ++i) names[i] = kVoiceGroups[i].item;
                              return names;
                          }()));
    groupList_->setEnabled(false);
    connect(groupCheck_, &QCheckBox::clicked, this, &MainWindow::OnGroupPresetToggled);
    connect(groupList_, &QComboBox::activated, this, &MainWindow::OnGroupChosen);

    MakeLabel(page, "LabelDrums", "Ударные инструменты:", 120, 2760);
    drumsCheck_ = MakeCheck(page, "Check4", "", 1200, 3240, 300);
    drumFirst_ = MakeList(page, "Combo11", kListLeft, 3000, kListWidth, drums);
    drumLast_ = MakeList(page, "Combo12", kListLeft, 3360, kListWidth, drums);
    speaker(5, 3000);
    speaker(6, 3360);
    drumMapLabel_ = MakeLabel(page, "Label19", "Карта: 5", 360, 3120, 840);
    drumMap_ = MakeScroll(page, "HScroll6", Qt::Horizontal, 3, 10, 5, TwipRect(360, 3420, 780, 195));
    connect(drumMap_, &QScrollBar::valueChanged, this, [this](int v) {
        findChild<QWidget*>("Command69")->setFocus();
        drumMapLabel_->setText("Карта: " + QString::number(v));
    });

    MakeLabel(page, "LabelAccompaniment", "Сглаженный мотив:", 120, 3960);
    accompanimentCheck_ = MakeCheck(page, "Check5", "", 1200, 4260, 300);
    accompanimentList_ = MakeList(page, "Combo13", kListLeft, 4200, kListWidth, programs);
    speaker(7, 4200);

    MakeLabel(page, "LabelEffects", "Эффекты вывода звука:", 120, 4800);
    QStringList effects;
    for (const auto& effect : kOutputEffects) effects << Q(effect.item);
    effectList_ = MakeList(page, "Combo16", kListLeft, 5040, kListWidth, effects);
    return page;
}

void MainWindow::OnGroupPresetToggled(bool on) {
    findChild<QWidget*>("Command69")->setFocus();
    for (QWidget* w : voiceLists_) w->setEnabled(!on);
    for (QWidget* w : voiceChecks_) w->setEnabled(!on);
    for (QWidget* w : voiceLabels_) w->setEnabled(!on);
    groupList_->setEnabled(on);
    if (on) OnGroupChosen(groupList_->currentIndex());
}

void MainWindow::OnGroupChosen(int index) {
    findChild<QWidget*>("Command69")->setFocus();
    if (index < 0 || index >= static_cast<int>(kVoiceGroups.size())) return;
    for (QCheckBox* check : voiceChecks_) check->setChecked(true);
    for (int i = 0; i < 4; ++i) voiceLists_[i]->setCurrentIndex(kVoiceGroups[index].programs[i]);
}

} // namespace kvat
