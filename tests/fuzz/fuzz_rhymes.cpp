// The rhymes of any verse under any stress strings (the analysis's, or any bytes with any hand
// paint put in): an entry per line; groups of two lines or more inside one stanza, numbered as
// they first appear; the rhyming part on the line's letters; a scheme letter per line with a word.

#include "fuzz_support.h"

#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/letters.h"
#include "verse/report.h"
#include "verse/rhyme_scheme.h"

#include <algorithm>

namespace kvat::fuzz {
namespace {

bool HasVowel(const std::u32string& line) {
    return std::any_of(line.begin(), line.end(), [](char32_t c) { return IsVowel(ToLower(c)); });
}

void CheckLine(const std::u32string& line, const LineRhyme& r) {
    Require((r.group == kNoWord) == !HasVowel(line), "a line's word found or missed wrongly");
    if (r.group == kNoWord)
        return Require(r.stanza < 0 && r.clausula == Clausula::kNone && !r.exact,
                       "a line without a word has a stanza, a clausula or an exact rhyme");
    Require(r.stanza >= 0 && r.clausula != Clausula::kNone, "a line's stanza or clausula missing");
    Require(r.begin < r.end && r.end <= line.size() && IsVowel(ToLower(line[r.begin])),
            "the rhyming part does not start on a vowel of the line");
    Require(r.score >= 0 && r.score <= 1 && (r.group >= 0) == (r.score > 0),
            "a score outside 0..1, or one without a rhyme");
    Require(r.exact == (r.score == 1), "exactness and a score of 1 disagree");
}

void CheckRhymes(const Lines& lines, const std::vector<LineRhyme>& rhymes) {
    Require(rhymes.size() == lines.size(), "not one rhyme entry per line");
    std::vector<int> members, stanzas;
    int lastStanza = -1;
    bool blank = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineRhyme& r = rhymes[i];
        CheckLine(lines[i], r);
        blank = blank || IsBlankLine(lines[i]);
        if (r.stanza < 0) continue;
        Require(r.stanza == (lastStanza < 0 ? 0 : lastStanza + blank),
                "stanzas are not the blocks between blank lines");
        lastStanza = r.stanza, blank = false;
        if (r.group < 0) continue;
        Require(r.group <= static_cast<int>(members.size()), "a group numbered out of order");
        if (r.group == static_cast<int>(members.size()))
            members.push_back(0), stanzas.push_back(r.stanza);
        ++members[r.group];
        Require(stanzas[r.group] == r.stanza, "a rhyme reaches into another stanza");
    }
    Require(std::all_of(members.begin(), members.end(), [](int n) { return n >= 2; }),
            "a group of one line");
    const auto schemes = StanzaSchemes(rhymes);
    Require(static_cast<int>(schemes.size()) == lastStanza + 1, "not one scheme per stanza");
    std::size_t letters = 0, words = 0;
    for (const auto& s : schemes)
        letters += std::count_if(s.scheme.begin(), s.scheme.end(),
                                 [](char32_t c) { return c != U'′' && c != U'″'; });
    for (const auto& r : rhymes) words += r.stanza >= 0;
    Require(letters >= words, "a line with a word has no letter in its scheme");
}

} // namespace
} // namespace kvat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    FuzzedDataProvider data(bytes, size);
    const bool anyStress = data.ConsumeBool();
    std::vector<std::string> stress;
    VowelPaint paint;
    for (int i = data.ConsumeIntegralInRange(0, 8); i > 0; --i) {
        stress.push_back(data.ConsumeRandomLengthString(32));
        paint.push_back(data.ConsumeRandomLengthString(32));
    }
    const Lines lines = fuzz::VerseLines(data.ConsumeRemainingBytesAsString());
    if (!anyStress) stress = HandPlacedStress(lines, AnalyseVerse(lines, U',').stress, paint);
    const auto rhymes = FindRhymes(lines, stress);
    fuzz::CheckRhymes(lines, rhymes);
    (void)VerseReport("", rhymes);
    return 0;
}
