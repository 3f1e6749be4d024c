#pragma once

#include <string>
#include <string_view>

namespace kvat {

// Normalises pasted text for the analysis: single spaces, no spaces at line ends, no blank
// lines, no dash set off by a space, no leading or trailing line break. Lines end with CR LF.
std::u32string CleanPastedText(std::u32string_view text);

} // namespace kvat
