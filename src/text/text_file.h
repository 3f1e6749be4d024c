#pragma once
// A verse file as people have them: UTF-8 (with or without its mark), UTF-16 with its byte-order
// mark, or one of the old Russian single-byte encodings, Windows-1251 and KOI8-R.

#include <optional>
#include <string>
#include <string_view>

namespace kvat {

enum class TextEncoding { kUtf8, kUtf16LittleEndian, kUtf16BigEndian, kWindows1251, kKoi8r };

struct DecodedText {
    std::u32string text;
    TextEncoding encoding = TextEncoding::kUtf8;
};

// The file's text in the encoding its bytes show: a byte-order mark decides; then valid UTF-8
// is UTF-8; otherwise the single-byte encoding under which most Cyrillic letters are lower case
// (verse is mostly lower case, and the two encodings swap the cases' byte ranges). Nothing for
// bytes that are not text (a NUL outside UTF-16).
std::optional<DecodedText> DecodeTextFile(std::string_view bytes);

} // namespace kvat
