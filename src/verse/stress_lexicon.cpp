#include "verse/stress_lexicon.h"

#include <algorithm>
#include <string>

extern "C" const std::uint8_t kvat_stress_table_begin[];
extern "C" const std::uint8_t kvat_stress_table_end[];

namespace kvat {
namespace {

// The letters of the keys; the code of a letter is its index plus one. The same list as LETTERS
// in tools/make_stress_lexicon.py: the "KVS1" tag stands for both.
constexpr std::u32string_view kKeyLetters = U"абвгдежзийклмнопрстуфхцчшщъыьэюя-";
constexpr std::size_t kHeaderSize = 24;
constexpr std::uint8_t kLastReading = 0x80;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (at + 4 > bytes.size()) return 0;
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// One section of the table: its blocks, each a run of front-coded entries.
struct Section {
    std::span<const std::uint8_t> table;
    std::size_t indexAt = 0; // where the block offsets start
    std::size_t blocks = 0;

    std::span<const std::uint8_t> Block(std::size_t k) const {
        const std::size_t begin = ReadU32(table, indexAt + 4 * k);
        const std::size_t end =
            k + 1 < blocks ? ReadU32(table, indexAt + 4 * (k + 1)) : table.size();
        if (begin > end || end > table.size()) return {};
        return table.subspan(begin, end - begin);
    }
    // The key of a block's first entry, which shares nothing with an entry before it.
    std::string_view FirstKey(std::size_t k) const {
        const auto block = Block(k);
        if (block.size() < 2 || 2u + block[1] > block.size()) return {};
        return {reinterpret_cast<const char*>(block.data()) + 2, block[1]};
    }
};

// The word's (0: words, 1: endings) section, or none when the table is not one.
std::optional<Section> SectionOf(std::span<const std::uint8_t> table, int which) {
    if (table.size() < kHeaderSize || !std::equal(table.begin(), table.begin() + 4, "KVS1"))
        return std::nullopt;
    const std::size_t wordBlocks = ReadU32(table, 8), endingBlocks = ReadU32(table, 16);
    if (kHeaderSize + 4 * (wordBlocks + endingBlocks) > table.size()) return std::nullopt;
    if (which == 0) return Section{table, kHeaderSize, wordBlocks};
    return Section{table, kHeaderSize + 4 * wordBlocks, endingBlocks};
}

// The key of `word`'s letters, as far as the first letter no key holds.
std::string EncodePrefix(std::u32string_view word) {
    std::string key;
    key.reserve(word.size());
    for (char32_t c : word) {
        const std::size_t code = kKeyLetters.find(c);
        if (code == std::u32string_view::npos) break;
        key.push_back(static_cast<char>(code + 1));
    }
    return key;
}

// The readings stored under `key`, walking the one block that may hold it. A lookup is made
// for every word of a verse and every ending of an unknown one, so the entries passed over are
// only compared, never copied.
std::vector<int> Find(const Section& section, std::string_view key) {
    std::size_t low = 0, high = section.blocks; // the last block whose first key <= key
    while (high - low > 1) {
        const std::size_t mid = low + (high - low) / 2;
        (section.FirstKey(mid) <= key ? low : high) = mid;
    }
    if (section.blocks == 0) return {};
    const auto block = section.Block(low);
    std::string current;
    for (std::size_t at = 0; at + 2 <= block.size();) {
        const std::size_t shared = block[at], length = block[at + 1];
        at += 2;
        if (shared > current.size() || at + length > block.size()) return {};
        current.resize(shared);
        current.append(reinterpret_cast<const char*>(block.data()) + at, length);
        at += length;
        const std::size_t readingsAt = at;
        while (at < block.size() && !(block[at++] & kLastReading)) {
        }
        if (current > key) break;
        if (current != key) continue;
        std::vector<int> readings;
        for (std::size_t r = readingsAt; r < at; ++r) readings.push_back(block[r] & ~kLastReading);
        return readings;
    }
    return {};
}

} // namespace

std::span<const std::uint8_t> StressLexiconBytes() {
    return {kvat_stress_table_begin, kvat_stress_table_end};
}

std::vector<int> LexiconReadings(std::u32string_view word, std::span<const std::uint8_t> table) {
    const auto section = SectionOf(table, 0);
    const std::string key = EncodePrefix(word);
    if (!section || key.empty() || key.size() != word.size()) return {};
    return Find(*section, key);
}

std::optional<int> EndingStress(std::u32string_view word, std::span<const std::uint8_t> table) {
    const auto section = SectionOf(table, 1);
    if (!section) return std::nullopt;
    const std::size_t longest = ReadU32(table, 20);
    // Each ending's key is a beginning of the reversed word's, which stops before the first
    // letter no key holds: so do the endings tried.
    const std::u32string reversed(word.rbegin(), word.rend());
    const std::string key = EncodePrefix(reversed);
    for (std::size_t length = std::min(longest, key.size()); length > 0; --length) {
        const auto readings = Find(*section, std::string_view(key).substr(0, length));
        if (!readings.empty()) return readings.front();
    }
    return std::nullopt;
}

} // namespace kvat
