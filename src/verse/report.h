#pragma once

#include <string>
#include <string_view>

namespace kvat {

// The verse report: the structure of every line as its hand-placed pattern shows it
// (`pattern` as ReadManualIctuses returns it). Lines end with CR LF.
std::u32string VerseReport(std::string_view pattern);

} // namespace kvat
