// The analysis with the colouring and hand placement that read it: stress strings, scores,
// the metre list and choice, the ictus paint of every metre, the red positions and the
// hand-placed pattern read back from any paint.

#include "fuzz_support.h"

#include "melody/verse_walk.h"
#include "verse/analysis.h"
#include "verse/colouring.h"
#include "verse/letters.h"

#include <algorithm>

namespace kvat::fuzz {
namespace {

using melody::VowelCount;

void CheckAnalysis(const Lines& lines, const VerseAnalysis& a) {
    Require(a.stress.size() == lines.size(), "not one stress string per line");
    for (const auto& s : a.stress)
        Require(s.find_first_not_of("01") == std::string::npos, "a stress mark other than 0/1");
    Require(a.templates == BuildMetreTemplates(), "the analysis changed the templates");
    if (lines.empty()) return Require(a.items.empty() && !a.metre, "an empty text filled the list");
    Require(a.items.size() == 6, "the metre list does not hold six items");
    Require(a.metre && *a.metre >= 0 && *a.metre < kMetreCount, "no classical metre chosen");
    for (int k = 0; k < kMetreCount; ++k)
        Require(a.scores[k] >= 0 && a.scores[k] <= a.scores[*a.metre] && a.scores[k] <= 1,
                "a metre score outside 0..1, or above the chosen metre's");
}

// Red positions count every character and every line break once, so each must land on a vowel
// painted '1' in the editor text. The hand-placed pattern has a piece per line holding the 0/1
// marks of its vowels, in order.
void CheckPaintReadBack(const Lines& lines, const VowelPaint& paint) {
    const auto red = RedPositions(lines, paint);
    Require(std::adjacent_find(red.begin(), red.end(), std::greater_equal()) == red.end(),
            "red positions are not strictly increasing");
    const std::u32string text = Join(lines, std::u32string_view(U"\n"));
    for (const std::size_t p : red)
        Require(p < text.size() && IsVowel(ToLower(text[p])), "a red position off a vowel");
    const std::string pattern = ReadManualIctuses(lines, paint);
    Require(pattern.ends_with("\r\n"), "the hand-placed pattern does not end with CR LF");
    auto pieces = ManualLines(pattern);
    Require(pieces.size() == std::max<std::size_t>(lines.size(), 1),
            "the hand-placed pattern has not one piece per line");
    pieces.back().resize(pieces.back().size() - 2); // the closing CR LF
    std::size_t painted = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string expected;
        for (std::size_t v = 0; v < VowelCount(lines[i]); ++v) {
            const char mark = i < paint.size() && v < paint[i].size() ? paint[i][v] : '0';
            if (mark == '0' || mark == '1') expected.push_back(mark);
            painted += mark == '1';
        }
        Require(pieces[i] == expected, "a pattern piece is not its line's marks");
    }
    Require(red.size() == painted, "red positions do not match the red paint");
}

} // namespace
} // namespace kvat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const char32_t separator = data.PickValueInArray({U',', U'.', U'٫'});
    const int metre = data.ConsumeIntegralInRange(-1, 6);
    const std::string paintBytes = data.ConsumeRandomLengthString(64);
    const Lines lines = VerseLines(data.ConsumeRemainingBytesAsString());

    const VerseAnalysis analysis = AnalyseVerse(lines, separator);
    CheckAnalysis(lines, analysis);
    // The dictionary only moves stresses within words: every line keeps the rule's length.
    const VerseAnalysis dictionary = AnalyseVerse(lines, separator, StressMode::kDictionary);
    CheckAnalysis(lines, dictionary);
    for (std::size_t i = 0; i < lines.size(); ++i)
        Require(dictionary.stress[i].size() == analysis.stress[i].size(),
                "the dictionary changed a line's stress length");
    if (metre >= 0 && metre <= kManualMetre) {
        const VowelPaint paint = ColourIctuses(lines, analysis.templates, metre);
        Require(paint.size() == lines.size(), "not one paint string per line");
        for (std::size_t i = 0; i < lines.size(); ++i)
            Require(paint[i].size() == (metre == kManualMetre ? 0 : VowelCount(lines[i])),
                    "a metre does not paint every vowel exactly once");
        CheckPaintReadBack(lines, paint);
    }
    // Any paint at all, as the editor may hold vowels in any colour: one string per line, cut
    // from the fuzzed bytes.
    VowelPaint paint;
    for (std::size_t i = 0, at = 0; i < lines.size() && at < paintBytes.size(); ++i) {
        const std::size_t take = std::min(paintBytes.size() - at, VowelCount(lines[i]) + 1);
        paint.push_back(paintBytes.substr(at, take));
        at += take;
    }
    CheckPaintReadBack(lines, paint);
    return 0;
}
