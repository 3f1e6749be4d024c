#include "midi/sound_tables.h"

#include <cstdlib>

namespace kvat {
namespace {

struct DenominatorChoice {
    int numerator;
    std::array<int, 4> denominators;
    int count;
};

constexpr std::array<DenominatorChoice, 6> kDenominators = {{
    {2, {2, 4, 8}, 3},
    {3, {2, 4, 8, 16}, 4},
    {4, {2, 4, 8}, 3},
    {6, {4, 8, 16}, 3},
    {9, {4, 8, 16}, 3},
    {12, {8, 16}, 2},
}};

template <class Table>
auto Row(const Table& table, int index) -> std::optional<typename Table::value_type> {
    if (index < 0 || index >= static_cast<int>(table.size())) return std::nullopt;
    return table[static_cast<std::size_t>(index)];
}

template <class Table, class Value> int NearestRow(const Table& table, int wanted, Value value) {
    int best = 0;
    long long bestDistance = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const long long distance = std::llabs(static_cast<long long>(value(table[i])) - wanted);
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

int DynamicsIndex(int percent) {
    return NearestRow(kDynamicsTable, percent, [](const DynamicsItem& row) { return row.percent; });
}

int TempoIndex(int beatsPerMinute) {
    return NearestRow(kTempoTable, beatsPerMinute, [](const TempoItem& row) { return row.bpm; });
}

std::optional<DynamicsItem> DynamicsValue(int index) {
    return Row(kDynamicsTable, index);
}

std::optional<TempoItem> TempoValue(int index) {
    return Row(kTempoTable, index);
}

std::span<const int> DenominatorsFor(int numerator) {
    for (const auto& choice : kDenominators)
        if (choice.numerator == numerator)
            return std::span<const int>(choice.denominators.data(),
                                        static_cast<std::size_t>(choice.count));
    return {};
}

} // namespace kvat
