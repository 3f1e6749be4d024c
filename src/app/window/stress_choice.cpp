#include "app/window/stress_choice.h"

#include "app/window/control_names.h"
#include "app/window/widgets.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace kvat {
namespace {

// The row under the device list, the buttons lined up with the lists' left edge.
constexpr int kTop = 810;

constexpr struct {
    StressMode mode;
    const char* text;
    int left;
} kStressButtons[] = {
    {StressMode::kRule, "по правилам", 1080},
    {StressMode::kDictionary, "по словарю", 2520},
};

} // namespace

QButtonGroup* MakeStressChoice(QWidget* page) {
    MakeLabel(page, control::kStressLabel, "Ударения:", 120, kTop, 900);
    auto* group = new QButtonGroup(page);
    for (const auto& row : kStressButtons) {
        const int id = static_cast<int>(row.mode);
        auto* button = new QRadioButton(row.text, page);
        button->setObjectName(control::kStressOptions[static_cast<std::size_t>(id)]);
        button->setGeometry(TwipRect(row.left, kTop, 1400, 255));
        button->setChecked(row.mode == StressMode::kRule);
        group->addButton(button, id);
    }
    return group;
}

StressMode CheckedStressMode(const QButtonGroup& choice) {
    return choice.checkedId() == static_cast<int>(StressMode::kDictionary) ? StressMode::kDictionary
                                                                           : StressMode::kRule;
}

} // namespace kvat
