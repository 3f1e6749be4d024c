#include "midi/sound_tables.h"

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

} // namespace

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
