// Verse files as people have them: any bytes either are no text (a NUL outside UTF-16) or open
// as text in the encoding their bytes show, with nothing lost that the encoding can hold.

#include "fuzz_support.h"

#include "text/text_file.h"
#include "text/utf8.h"

namespace {

using namespace kvat;
using namespace kvat::fuzz;

// UTF-16 in the given byte order, a character past U+FFFF as its surrogate pair.
std::string EncodeUtf16(std::u32string_view text, bool bigEndian) {
    std::string bytes;
    const auto unit = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    for (const char32_t c : text) {
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return bytes;
}

// The single-byte guess rests on verse being mostly lower case.
void RequireMostlyLowerCase(std::u32string_view text) {
    std::size_t lower = 0, upper = 0;
    for (const char32_t c : text) {
        lower += c >= U'а' && c <= U'я';
        upper += c >= U'А' && c <= U'Я';
    }
    Require(lower >= upper, "a single-byte guess that reads more capitals than small letters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    const auto decoded = DecodeTextFile(bytes);
    Require(decoded.has_value() == (utf16 || bytes.find('\0') == std::string_view::npos),
            "bytes refused that are text, or taken that hold a NUL");
    if (!decoded) return 0;
    const std::u32string& text = decoded->text;
    for (const char32_t c : text)
        Require(c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF), "a character no text holds");

    const std::string_view body = bytes.substr(utf16                               ? 2
                                               : bytes.starts_with("\xEF\xBB\xBF") ? 3
                                                                                   : 0);
    switch (decoded->encoding) {
    case TextEncoding::kUtf8:
        Require(EncodeUtf8(text) == body, "UTF-8 read as other characters than its own");
        break;
    case TextEncoding::kUtf16LittleEndian:
    case TextEncoding::kUtf16BigEndian: {
        Require(utf16, "UTF-16 without its mark");
        // A lone surrogate or half a unit is a replacement character; anything else comes back.
        const bool replaced = text.find(U'\uFFFD') != std::u32string::npos;
        const bool big = decoded->encoding == TextEncoding::kUtf16BigEndian;
        Require(replaced || EncodeUtf16(text, big) == body, "UTF-16 read as other characters");
        break;
    }
    case TextEncoding::kWindows1251:
    case TextEncoding::kKoi8r:
        Require(!DecodeUtf8(body) && text.size() == body.size(),
                "a single-byte reading of UTF-8, or not one character a byte");
        for (std::size_t i = 0; i < body.size(); ++i)
            Require(static_cast<unsigned char>(body[i]) >= 0x80 || text[i] == char32_t(body[i]),
                    "an ASCII byte read as another character");
        RequireMostlyLowerCase(text);
        break;
    }
    return 0;
}
