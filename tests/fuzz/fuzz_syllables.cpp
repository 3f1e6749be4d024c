// Syllable division: the rows, their text, the orthography messages, and the promise the score
// relies on, that a verse which raises no message has a row for every melody token.

#include "fuzz_support.h"

#include "melody/verse_walk.h"
#include "verse/syllables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    const Lines lines = VerseLines(std::string_view(reinterpret_cast<const char*>(bytes), size));
    const DividedText divided = DivideSyllables(lines);
    std::u32string joined;
    for (std::size_t k = 0; k < divided.RowCount(); ++k) {
        Require(divided.Row(k).ends_with(U' '), "a row does not end with a space");
        (joined += divided.Row(k)) += U"\r\n";
    }
    Require(joined == divided.Text(), "the rows do not make up the divided text");
    if (lines.empty()) return Require(joined.empty(), "rows without a verse"), 0;
    Require(divided.Row(divided.RowCount() - 1) == U" ", "the last row is not a single space");
    const auto& messages = divided.Messages();
    for (std::size_t m = 0; m < messages.size(); ++m) {
        Require(messages[m].row + 1 < divided.RowCount(), "a message names no checked row");
        Require(m == 0 || messages[m - 1].row < messages[m].row, "messages out of row order");
        Require(messages[m].text.find(divided.Row(messages[m].row)) != std::u32string::npos,
                "a message does not quote its row");
    }
    // A typed "_" counts as a line end's vowel, so only a verse without one is bound to this.
    const bool underscore = std::any_of(lines.begin(), lines.end(), [](const auto& line) {
        return line.find(U'_') != std::u32string::npos;
    });
    Require(!messages.empty() || underscore || divided.RowCount() == melody::TokenCount(lines) + 1,
            "a verse without orthography messages has not one row per melody token");
    return 0;
}
