#pragma once

#include "verse/rhymes.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvat {

// The verse report: the structure of every line as its hand-placed pattern shows it
// (`pattern` as ReadManualIctuses returns it), then the rhyme scheme of every stanza of
// `rhymes` (as FindRhymes gives them) with its name where it has one. Lines end with CR LF.
std::u32string VerseReport(std::string_view pattern, const std::vector<LineRhyme>& rhymes = {});

} // namespace kvat
