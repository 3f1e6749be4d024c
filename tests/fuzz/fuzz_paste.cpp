// Paste clean-up: whatever is pasted, the result has single spaces, no space beside a line
// break, no blank line, no line break or space at either end. The dash after a space goes in a
// single pass, so of a run of em dashes after a space only the first goes: only a text without
// such runs is bound to lose every space-set dash, and to stay as it is when cleaned again.

#include "fuzz_support.h"

#include "verse/paste.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    std::u32string pasted =
        LenientText(std::string_view(reinterpret_cast<const char*>(bytes), size));
    // The clipboard's line breaks are CR LF; a lone LF stands for one here so that the fuzzer
    // reaches line breaks from plain text seeds.
    pasted = ReplaceAll<char32_t>(pasted, U"\n", U"\r\n");
    const std::u32string clean = CleanPastedText(pasted);

    const auto has = [&](std::u32string_view what) {
        return clean.find(what) != std::u32string::npos;
    };
    Require(!has(U"  "), "a double space survived");
    Require(!has(U" \r\n") && !has(U"\r\n "), "a space beside a line break survived");
    Require(!has(U"\r\n\r\n"), "a blank line survived");
    const bool dashRuns = pasted.find(U"——") != std::u32string::npos;
    Require(dashRuns || !has(U" —"), "a dash set off by a space survived");
    Require(!clean.starts_with(U" ") && !clean.ends_with(U" "), "a space at an end");
    Require(!clean.starts_with(U"\r\n") && !clean.ends_with(U"\r\n"), "a line break at an end");
    Require(clean.size() <= pasted.size(), "clean-up made the text longer");
    Require(dashRuns || CleanPastedText(clean) == clean, "cleaning twice changes the text");
    return 0;
}
