#include "text/text_file.h"

#include <gtest/gtest.h>

namespace kvat {
namespace {

using namespace std::string_view_literals;

// «Буря мгл» in every encoding a verse file may come in.
TEST(TextFile, EachEncodingGivesTheSameVerse) {
    const struct {
        std::string_view bytes;
        TextEncoding encoding;
    } cases[] = {
        {"\xD0\x91\xD1\x83\xD1\x80\xD1\x8F \xD0\xBC\xD0\xB3\xD0\xBB"sv, TextEncoding::kUtf8},
        {"\xEF\xBB\xBF\xD0\x91\xD1\x83\xD1\x80\xD1\x8F \xD0\xBC\xD0\xB3\xD0\xBB"sv,
         TextEncoding::kUtf8},
        {"\xFF\xFE\x11\x04\x43\x04\x40\x04\x4F\x04\x20\x00\x3C\x04\x33\x04\x3B\x04"sv,
         TextEncoding::kUtf16LittleEndian},
        {"\xFE\xFF\x04\x11\x04\x43\x04\x40\x04\x4F\x00\x20\x04\x3C\x04\x33\x04\x3B"sv,
         TextEncoding::kUtf16BigEndian},
        {"\xC1\xF3\xF0\xFF\x20\xEC\xE3\xEB"sv, TextEncoding::kWindows1251},
        {"\xE2\xD5\xD2\xD1\x20\xCD\xC7\xCC"sv, TextEncoding::kKoi8r},
    };
    for (const auto& c : cases) {
        const auto decoded = DecodeTextFile(c.bytes);
        ASSERT_TRUE(decoded) << static_cast<int>(c.encoding);
        EXPECT_EQ(decoded->text, U"Буря мгл") << static_cast<int>(c.encoding);
        EXPECT_EQ(decoded->encoding, c.encoding);
    }
}

TEST(TextFile, BinaryIsNotTextAndBrokenUtf16NeverThrows) {
    EXPECT_FALSE(DecodeTextFile("PK\x03\x04\0\0"sv));
    const auto odd = DecodeTextFile("\xFF\xFE\x00\xD8\x41"sv); // a lone surrogate, half a unit
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->text, U"\uFFFD\uFFFD");
}

} // namespace
} // namespace kvat
