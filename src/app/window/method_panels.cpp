// The method panels' controls, which panel serves which method, and the random note map.

#include "app/window/method_panels.h"

#include "app/window/control_names.h"
#include "app/window/picture_button.h"
#include "app/window/settings_store.h"
#include "app/window/widgets.h"
#include "melody/method_texts.h"
#include "melody/note_map.h"
#include "verse/letters.h"

#include <QGroupBox>
#include <QPushButton>

namespace kvat {
namespace {

constexpr int kPanelWidth = 4215;
constexpr int kPanelHeight = 1575;

// Methods off the list read the tonal panel, as the list's first tonal methods do.
MethodFamily PanelFamily(int methodIndex) {
    const auto method = MethodFromIndex(methodIndex);
    return method ? kMethods[static_cast<std::size_t>(methodIndex)].family : MethodFamily::kTonal;
}

QGroupBox* MakePanel(QWidget* parent, const char* name, const QString& caption) {
    auto* panel = new QGroupBox(caption, parent);
    panel->setObjectName(name);
    panel->resize(Px(kPanelWidth), Px(kPanelHeight));
    // A panel laid over the tonal panel must hide it completely.
    panel->setAutoFillBackground(true);
    return panel;
}

std::u32string ShiftTextHere(int value) {
    return ShiftText(value, LocaleDecimalSeparator());
}

template <std::size_t N> QStringList Items(const std::array<SongChoiceText, N>& texts) {
    QStringList items;
    for (const auto& text : texts) items << Q(text.item);
    return items;
}

} // namespace

struct MethodPanels::BarPlace {
    const char* label;
    int labelWidth;
    int first, last; // the values at the bar's top and bottom
    QRect bar;       // twips
    int top;         // of the label and the value
    int valueLeft, valueWidth;
    int textTop;
    std::u32string (*text)(int value);
};

MethodPanels::MethodPanels(QWidget* settingsPage, QWidget* layer, QWidget* focusSink)
    : QObject(layer), focusSink_(focusSink) {
    tonalPanel_ = MakePanel(settingsPage, control::kTonalPanel, "Настройки метода 2.1");
    tonalKey_ = AddBar(tonalPanel_, control::kTonalKey,
                       {"Изменение тональности:", 2400, 7, -7, QRect(3720, 240, 255, 1215), 300,
                        2640, 900, 840, &KeyText});
    tonalPanel_->move(Px(120), Px(3360)); // a row higher than first drawn, for the options
    BuildFloatingPanels(layer);
    BuildNoteMapPanel(layer);
    BuildSongPanel(layer);
    for (QGroupBox* panel :
         {softShiftPanel_, fixedPanel_, templatePanel_, centrePanel_, noteMapPanel_, songPanel_})
        panel->hide();
}

QScrollBar* MethodPanels::AddBar(QGroupBox* panel, const control::BarNames& names,
                                 const BarPlace& place) {
    MakeLabel(panel, names.label, place.label, 120, place.top, place.labelWidth);
    const QRect& r = place.bar;
    QScrollBar* bar = MakeScroll(panel, names.bar, Qt::Vertical, place.first, place.last, 0,
                                 TwipRect(r.x(), r.y(), r.width(), r.height()));
    QLabel* value =
        MakeLabel(panel, names.value, "0", place.valueLeft, place.top, place.valueWidth);
    QLabel* text = MakeLabel(panel, names.text, Q(place.text(0)), 120, place.textTop, 3480);
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar, value, text, describe = place.text](int v) {
                HandFocusOn(bar, focusSink_);
                value->setText(QString::number(v));
                text->setText(Q(describe(v)));
            });
    return bar;
}

void MethodPanels::BuildFloatingPanels(QWidget* layer) {
    fixedPanel_ = MakePanel(layer, control::kFixedPanel, "Настройки метода 1.1");
    MakeLabel(fixedPanel_, control::kFixedPanelText, "Метод не имеет изменяемых настроек", 120, 600,
              3960);

    softShiftPanel_ = MakePanel(layer, control::kSoftShiftPanel, "Настройки метода 1.2");
    softShift_ = AddBar(softShiftPanel_, control::kSoftShift,
                        {"Смещение тона \"диезных\" гласных:", 3000, 11, 0,
                         QRect(3720, 240, 255, 1215), 300, 3120, 500, 840, &ShiftTextHere});

    centrePanel_ = MakePanel(layer, control::kCentrePanel, "Настройки метода 2.2");
    centreKey_ = AddBar(centrePanel_, control::kCentreKey,
                        {"Изменение тональности:", 2400, 7, -7, QRect(3720, 240, 255, 570), 300,
                         2640, 900, 540, &KeyText});
    centreShift_ = AddBar(centrePanel_, control::kCentreShift,
                          {"Смещение центра строки:", 2400, 1, -1, QRect(3720, 840, 255, 615), 840,
                           2640, 900, 1140, &CentreText});

    templatePanel_ = MakePanel(layer, control::kTemplatePanel, "Настройки метода 3");
    templateKey_ = AddBar(templatePanel_, control::kTemplateKey,
                          {"Изменение тональности:", 2400, 7, -7, QRect(3720, 240, 255, 1215), 300,
                           2640, 900, 840, &KeyText});
}

void MethodPanels::BuildNoteMapPanel(QWidget* layer) {
    noteMapPanel_ = MakePanel(layer, control::kNoteMapPanel, "Настройки метода 1.3");
    auto* speakers = new PictureGroup(noteMapPanel_);
    QStringList notes;
    for (auto name : kNoteNames) notes << Q(name);
    // Three columns of vowels; the octave list and the button close the third.
    for (int i = 0; i < 10; ++i) {
        // A narrow label leaves the list room for the sharps of the second octave.
        const int left = 60 + (i / 4) * 1380, top = 240 + (i % 4) * 315;
        const QString vowel = Q(kVowels.substr(std::size_t(i), 1)).toUpper();
        MakeLabel(noteMapPanel_, control::kVowelLabels[i], vowel + " =", left, top + 30, 330);
        noteLists_[i] =
            MakeList(noteMapPanel_, control::kNoteLists[i], left + 330, top, 780, notes);
        auto* speaker =
            new PictureButton(Picture::kSpeaker, control::kNoteSpeakers[i], noteMapPanel_);
        noteSpeakers_[static_cast<std::size_t>(i)] = speaker;
        speaker->setGeometry(TwipRect(left + 1125, top + 15, 255, 270));
        speakers->Add(speaker);
        connect(speaker, &PictureButton::clicked, this, [this, i, speaker] {
            HandFocusOn(speaker, focusSink_);
            emit notePreviewRequested(noteLists_[i]->currentIndex());
        });
    }
    QStringList octaves;
    for (auto item : kOctaveItems) octaves << Q(item);
    octaveList_ =
        MakeList(noteMapPanel_, control::kOctaveList, 60 + 2 * 1380, 240 + 2 * 315, 1335, octaves);
    octaveList_->setCurrentIndex(0); // a note map is always drawn from some octaves
    auto* generate = new QPushButton("Генерировать", noteMapPanel_);
    generate_ = generate;
    generate->setObjectName(control::kGenerateButton);
    generate->setGeometry(TwipRect(60 + 2 * 1380, 240 + 3 * 315, 1335, 300));
    connect(generate, &QPushButton::clicked, this, [this, generate] {
        HandFocusOn(generate, focusSink_);
        GenerateNoteMap();
    });
}

void MethodPanels::BuildSongPanel(QWidget* layer) {
    songPanel_ = MakePanel(layer, control::kSongPanel, "Настройки метода 4");
    struct Row {
        const char *label, *list;
        const char* text;
        QStringList items;
    };
    const std::array<Row, 3> rows = {{
        {control::kTonicLabel, control::kTonicList, "Тоника:", Items(kTonicTexts)},
        {control::kModeLabel, control::kModeList, "Лад:", Items(kModeTexts)},
        {control::kRangeLabel, control::kRangeList, "Голос:", Items(kRangeTexts)},
    }};
    std::array<QComboBox*, 3> lists{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = 330 + 390 * static_cast<int>(i);
        MakeLabel(songPanel_, rows[i].label, rows[i].text, 240, top + 30, 1500);
        lists[i] = MakeList(songPanel_, rows[i].list, 1800, top, 2160, rows[i].items);
    }
    tonicList_ = lists[0];
    modeList_ = lists[1];
    rangeList_ = lists[2];
}

std::vector<QWidget*> MethodPanels::TabControls() const {
    std::vector<QWidget*> controls = {tonalKey_,    softShift_, centreKey_, centreShift_,
                                      templateKey_, tonicList_, modeList_,  rangeList_};
    // The note map row by row, as it reads: each vowel's note, then its speaker.
    for (int row = 0; row < 4; ++row)
        for (int i = row; i < static_cast<int>(noteLists_.size()); i += 4) {
            controls.push_back(noteLists_[static_cast<std::size_t>(i)]);
            controls.push_back(noteSpeakers_[static_cast<std::size_t>(i)]);
        }
    controls.push_back(octaveList_);
    controls.push_back(generate_);
    return controls;
}

void MethodPanels::Apply(const MelodySettings& settings) {
    for (QScrollBar* key : {tonalKey_, centreKey_, templateKey_}) key->setValue(settings.keyShift);
    softShift_->setValue(settings.softVowelShift);
    centreShift_->setValue(settings.centreShift);
    for (std::size_t i = 0; i < noteLists_.size(); ++i)
        noteLists_[i]->setCurrentIndex(settings.noteMap[i]);
    octaveList_->setCurrentIndex(0);
    tonicList_->setCurrentIndex(((settings.song.tonic % 12) + 12) % 12);
    modeList_->setCurrentIndex(static_cast<int>(settings.song.mode) == 1 ? 1 : 0);
    rangeList_->setCurrentIndex(
        std::clamp(static_cast<int>(settings.song.range), 0, kSongRangeCount - 1));
}

void MethodPanels::ReadInto(MelodySettings& s) const {
    // Each family of methods keeps its own key bar; the chosen method reads its family's.
    s.keyShift = KeyBar(s.method ? MethodIndex(*s.method) : -1)->value();
    s.softVowelShift = softShift_->value();
    s.centreShift = centreShift_->value();
    for (std::size_t i = 0; i < noteLists_.size(); ++i)
        s.noteMap[i] = noteLists_[i]->currentIndex();
    s.song = {tonicList_->currentIndex(), static_cast<SongMode>(modeList_->currentIndex()),
              static_cast<SongRange>(rangeList_->currentIndex())};
}

void MethodPanels::Apply(const WindowChoices& choices) {
    const std::array<QScrollBar*, 3> keys = {tonalKey_, centreKey_, templateKey_};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i]->setValue(choices.keyShifts[i]);
    octaveList_->setCurrentIndex(std::clamp(choices.octaves, 0, octaveList_->count() - 1));
}

void MethodPanels::ReadInto(WindowChoices& choices) const {
    choices.keyShifts = {tonalKey_->value(), centreKey_->value(), templateKey_->value()};
    choices.octaves = octaveList_->currentIndex();
}

QScrollBar* MethodPanels::KeyBar(int methodIndex) const {
    switch (PanelFamily(methodIndex)) {
    case MethodFamily::kCentre:
        return centreKey_;
    case MethodFamily::kTemplate:
        return templateKey_;
    case MethodFamily::kFixed:
    case MethodFamily::kSoftShift:
    case MethodFamily::kNoteMap:
    case MethodFamily::kTonal:
    case MethodFamily::kSong:
        break;
    }
    return tonalKey_;
}

QGroupBox* MethodPanels::FloatingPanel(int methodIndex) const {
    if (methodIndex < 0) return nullptr;
    switch (PanelFamily(methodIndex)) {
    case MethodFamily::kFixed:
        return fixedPanel_;
    case MethodFamily::kSoftShift:
        return softShiftPanel_;
    case MethodFamily::kNoteMap:
        return noteMapPanel_;
    case MethodFamily::kCentre:
        return centrePanel_;
    case MethodFamily::kTemplate:
        return templatePanel_;
    case MethodFamily::kSong:
        return songPanel_;
    case MethodFamily::kTonal:
        break; // the tonal panel itself serves them
    }
    return nullptr;
}

void MethodPanels::SetCaption(int methodIndex) {
    if (!MethodFromIndex(methodIndex)) return;
    tonalPanel_->setTitle(Q(MethodCaption(kMethods[static_cast<std::size_t>(methodIndex)].name)));
}

void MethodPanels::Place(int methodIndex, bool settingsShown) {
    if (!settingsShown) {
        for (QGroupBox* panel : {softShiftPanel_, fixedPanel_, templatePanel_, centrePanel_,
                                 noteMapPanel_, songPanel_})
            panel->hide();
        return;
    }
    QGroupBox* panel = FloatingPanel(methodIndex);
    if (!panel) return;
    panel->setTitle(tonalPanel_->title());
    // Over the tonal panel exactly: its place on the settings page, in the layer's coordinates.
    panel->move(tonalPanel_->pos() + tonalPanel_->parentWidget()->pos());
    panel->show();
    panel->raise();
}

void MethodPanels::SetCentreRange(std::pair<int, int> range) {
    const auto [top, bottom] = range;
    centreShift_->setRange(std::min(top, bottom), std::max(top, bottom));
}

void MethodPanels::GenerateNoteMap() {
    NoteMap map{};
    for (std::size_t i = 0; i < noteLists_.size(); ++i) map[i] = noteLists_[i]->currentIndex();
    map = RandomNoteMap(map, octaveList_->currentIndex(), random_);
    for (std::size_t i = 0; i < noteLists_.size(); ++i) noteLists_[i]->setCurrentIndex(map[i]);
}

} // namespace kvat
