#pragma once
// UTF-8 at the edges, UTF-32 inside: every core routine counts one character per code point.

#include <optional>
#include <string>
#include <string_view>

namespace kvat {

// Where a byte sequence stops being UTF-8: the byte offset of the first bad sequence.
struct Utf8Error {
    std::size_t offset = 0;
};

// Strict decoding: overlong forms, surrogates and values past U+10FFFF are rejected.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes, Utf8Error* error = nullptr);

// Characters that cannot be encoded (surrogates, values past U+10FFFF) become U+FFFD.
std::string EncodeUtf8(std::u32string_view text);

} // namespace kvat
