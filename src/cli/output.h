#pragma once
// Text output: UTF-8 with LF line ends, whatever the core uses inside.

#include "text/strings.h"
#include "text/utf8.h"

#include <iostream>
#include <string_view>

namespace kvat::cli {

inline std::string LfText(std::u32string_view text) {
    return EncodeUtf8(ReplaceAll<char32_t>(text, U"\r\n", U"\n"));
}

inline void PrintError(const std::string& message) {
    std::cerr << "kvat: " << message << '\n';
}

} // namespace kvat::cli
