// One melody method (KVAT_FUZZ_METHOD) over any verse, any metre state and any settings: the
// scroll values over their whole ranges and past them, note maps with unselected entries, the
// five metres and the hand-placed pattern, read back from fuzzed paint or given outright.

#include "fuzz_input.h"

#include "melody/melody.h"
#include "melody/verse_walk.h"
#include "verse/colouring.h"

#include <algorithm>

namespace kvat::fuzz {
namespace {

MelodySettings FuzzedSettings(FuzzedDataProvider& data) {
    MelodySettings s;
    s.method = static_cast<Method>(KVAT_FUZZ_METHOD);
    s.lengthen = data.ConsumeBool();
    s.keyShift = SettingValue(data, -7, 7);
    s.softVowelShift = SettingValue(data, 0, 11);
    s.centreShift = SettingValue(data, -32768, 32767);
    for (int& item : s.noteMap) item = SettingValue(data, -1, 23);
    return s;
}

// The hand-placed pattern: read back from paint, as the window makes it, or any text of marks
// and line breaks, as a damaged or hand-written pattern might be.
std::string FuzzedPattern(FuzzedDataProvider& data, const Lines& lines) {
    const std::string bytes = data.ConsumeRandomLengthString(512);
    if (data.ConsumeBool()) {
        VowelPaint paint;
        for (std::size_t i = 0, at = 0; i < lines.size(); ++i, at += 6)
            paint.push_back(bytes.substr(std::min(at, bytes.size()), 6));
        return ReadManualIctuses(lines, paint);
    }
    std::string pattern;
    for (const char c : bytes) pattern += "01\r\n2"[static_cast<unsigned char>(c) % 5];
    return pattern;
}

bool IsEmptyText(const Lines& lines) {
    return lines.empty() || (lines.size() == 1 && lines.front().empty());
}

// A rest ("0") or a note 36..95, then at most three "+".
bool IsToken(std::string_view token) {
    const std::size_t digits = token.find_first_not_of("0123456789");
    const std::string_view number = token.substr(0, digits);
    const std::string_view marks = digits == std::string_view::npos ? "" : token.substr(digits);
    if (marks.find_first_not_of('+') != std::string_view::npos || marks.size() > 3) return false;
    if (number == "0") return true;
    return number.size() == 2 && number >= "36" && number <= "95";
}

bool EndsInSpace(std::u32string_view line) {
    for (auto c = line.rbegin(); c != line.rend(); ++c) {
        if (*c == U' ') return true;
        if (IsVowel(ToLower(*c))) return false;
    }
    return false;
}

void CheckMelody(const Lines& lines, const MelodyResult& melody) {
    const auto tokens = MelodyTokens(melody.text);
    Require(tokens.size() == melody::TokenCount(lines),
            "the melody has not one token per vowel and one per line");
    for (const auto& token : tokens)
        Require(IsToken(token), "a token is not a rest or 36..95 with up to three +");
    // Every line's last token is its rest, unless the walk met a space after the line's last
    // vowel: such lines are outside what the methods promise, and the tonal ones may give them
    // a note.
    std::size_t end = 0;
    for (const auto& line : lines) {
        end += melody::VowelCount(line) + 1;
        Require(tokens[end - 1].starts_with('0') || EndsInSpace(line),
                "a line does not end with a rest");
    }
    const bool centred = KVAT_FUZZ_METHOD >= 5 && KVAT_FUZZ_METHOD <= 7;
    Require(melody.centreRange.has_value() == centred, "a centre range from the wrong method");
    if (centred) Require(*melody.centreRange == CentreRange(lines), "the wrong centre range");
}

} // namespace
} // namespace kvat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const MelodySettings settings = FuzzedSettings(data);
    MetreState metre;
    metre.templates = BuildMetreTemplates();
    metre.metre = static_cast<Metre>(data.ConsumeIntegralInRange(-1, 6));
    const bool byHand = metre.metre == kManualMetre;
    const std::string patternBytes = byHand ? data.ConsumeRandomLengthString(1024) : "";
    const Lines lines = VerseLines(data.ConsumeRemainingBytesAsString());
    if (byHand) {
        FuzzedDataProvider patternData(reinterpret_cast<const std::uint8_t*>(patternBytes.data()),
                                       patternBytes.size());
        metre.templates[kManualMetre] = FuzzedPattern(patternData, lines);
    }

    std::string why;
    const auto melody = GenerateMelody(lines, metre, settings, &why);
    const bool knownMetre = metre.metre >= 0 && metre.metre <= kManualMetre;
    const bool patternCovers =
        !byHand || ManualLines(metre.templates[kManualMetre]).size() >= lines.size();
    const bool expected = !IsEmptyText(lines) && knownMetre && patternCovers;
    Require(melody.has_value() == expected, "a melody where none can be, or none where one can");
    Require(melody || !why.empty(), "no melody and no reason");
    if (melody) CheckMelody(lines, *melody);
    return 0;
}
