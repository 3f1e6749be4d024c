#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kvat::fuzz {

void Broken(const char* what) {
    std::fprintf(stderr, "kvat fuzz: broken: %s\n", what);
    std::abort();
}

std::u32string LenientText(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = lead & (length == 1 ? 0xFF : 0x7F >> length);
        bool whole = i + length <= bytes.size();
        for (int k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (length > 1 && !whole) c = lead;
        text.push_back(c);
        i += whole ? length : 1;
    }
    return text;
}

Lines VerseLines(std::string_view bytes) {
    const std::u32string text = LenientText(bytes);
    return Split(std::u32string_view(text), std::u32string_view(U"\n"));
}

int SettingValue(FuzzedDataProvider& data, int low, int high) {
    switch (data.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return data.ConsumeIntegral<int>();
    case 1:
        return data.PickValueInArray(
            {std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), low - 1, high + 1});
    default:
        return data.ConsumeIntegralInRange(low, high);
    }
}

} // namespace kvat::fuzz
