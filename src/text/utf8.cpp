#include "text/utf8.h"

namespace kvat {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte opens, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::optional<std::u32string> DecodeUtf8(std::string_view bytes, Utf8Error* error) {
    std::u32string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = SequenceLength(lead);
        bool ok = length > 0 && i + length <= bytes.size();
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; ok && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            ok = IsContinuation(next);
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong three- and four-byte forms, surrogates and values past the last plane.
        if (ok && length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
        if (ok && length == 4 && (c < 0x10000 || c > 0x10FFFF)) ok = false;
        if (!ok) {
            if (error) error->offset = i;
            return std::nullopt;
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char32_t c : text) {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = kReplacement;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace kvat
