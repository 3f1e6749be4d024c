#pragma once
// Text output: UTF-8 with LF line ends, whatever the core uses inside.

#include "text/strings.h"
#include "text/utf8.h"
#include "verse/syllables.h"

#include <ostream>
#include <string>
#include <string_view>

namespace kvat::cli {

inline std::string LfText(std::u32string_view text) {
    return EncodeUtf8(ReplaceAll<char32_t>(text, U"\r\n", U"\n"));
}

// The orthography check's messages, one a line, as the window would show them one by one.
inline void PrintMessages(std::ostream& err, const DividedText& divided) {
    for (const auto& message : divided.Messages()) err << EncodeUtf8(message.text) << '\n';
}

} // namespace kvat::cli
