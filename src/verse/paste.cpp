#include "verse/paste.h"

#include "text/strings.h"

namespace kvat {
namespace {

bool IsLineBreakAt(std::u32string_view text, std::size_t i) {
    return text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n';
}

// Every run of spaces and line breaks becomes one line break if it holds one, else one space:
// the fixed point of deleting doubled spaces, spaces beside a line break and doubled line breaks.
std::u32string CollapseBlankRuns(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != U' ' && !IsLineBreakAt(text, i)) {
            out.push_back(text[i++]);
            continue;
        }
        bool lineBreak = false;
        while (i < text.size() && (text[i] == U' ' || IsLineBreakAt(text, i))) {
            if (text[i] == U' ') {
                ++i;
            } else {
                lineBreak = true;
                i += 2;
            }
        }
        out += lineBreak ? U"\r\n" : U" ";
    }
    return out;
}

} // namespace

std::u32string CleanPastedText(std::u32string_view pasted) {
    std::u32string text = TrimSpaces(pasted);
    text = ReplaceAll<char32_t>(text, U" —", U" ");
    text = TrimSpaces(CollapseBlankRuns(text));
    if (text.ends_with(U"\r\n")) text.resize(text.size() - 2);
    if (text.starts_with(U"\r\n")) text.erase(0, 2);
    return TrimSpaces(text);
}

} // namespace kvat
