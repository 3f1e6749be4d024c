// The dispatch over the ten methods and the melody string's own helpers.

#include "melody/melody.h"
#include "melody/methods.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

namespace kvat {
namespace {

using melody::LineTemplates;

constexpr int kKeyLow = -7, kKeyHigh = 7;
constexpr int kSharpShiftHigh = 11;
constexpr int kNoteListHigh = 23;

// The controls cannot hold anything else; keeping to their ranges keeps every note two digits.
MelodySettings WithinControlRanges(MelodySettings s) {
    s.VScroll4 = std::clamp(s.VScroll4, kKeyLow, kKeyHigh);
    s.VScroll5 = std::clamp(s.VScroll5, 0, kSharpShiftHigh);
    s.VScroll6 = std::clamp(s.VScroll6, kKeyLow, kKeyHigh);
    s.VScroll7 = std::clamp(s.VScroll7, kKeyLow, kKeyHigh);
    s.VScroll8 = std::clamp<int>(s.VScroll8, std::numeric_limits<std::int16_t>::min(),
                                 std::numeric_limits<std::int16_t>::max());
    for (int& item : s.noteMap) item = std::clamp(item, -1, kNoteListHigh);
    return s;
}

// An editor holding no text has no lines; a single empty line is that same empty text.
bool IsEmptyText(const Lines& lines) {
    return lines.empty() || (lines.size() == 1 && lines.front().empty());
}

melody::Melody RunMethod(const Lines& lines, const LineTemplates& templates,
                         const MelodySettings& s) {
    using namespace melody;
    constexpr int kOctave = 12;
    switch (s.method) {
    case 0:
        return MelodyFrequency(lines, templates, s, kOctave);
    case 1:
        return MelodyFrequency(lines, templates, s, s.VScroll5);
    case 2:
        return MelodyFrequency(lines, templates, s, 0);
    case 3:
        return MelodyTonalWord(lines, templates, s.VScroll4 + 2, s.lengthen);
    case 4:
        return MelodyTonalLinear(lines, templates, s.VScroll4 + 2, s.lengthen);
    case 5:
        return MelodyTonalPlanar(lines, templates, s.VScroll7 + 2, s.VScroll8, s.lengthen);
    case 6:
        return MelodyTonalVolume(lines, templates, s.VScroll7 + 2, s.VScroll8, s.lengthen);
    case 7:
        return MelodyTonalPseudoVolume(lines, templates, s.VScroll7 + 2, s.VScroll8, s.lengthen);
    case 8:
        return MelodyTemplateMotif(lines, templates, s.VScroll6 + 4, s.lengthen);
    default:
        return MelodyTemplateFolk(lines, templates, s.VScroll6 + 4, s.lengthen);
    }
}

std::optional<MelodyResult> Fail(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return std::nullopt;
}

} // namespace

std::optional<MelodyResult> GenerateMelody(const Lines& lines, const MetreState& metre,
                                           const MelodySettings& settings, std::string* why) {
    if (settings.method == -1) return Fail(why, "no melody method is chosen");
    if (settings.method < 0 || settings.method > 9)
        return Fail(why, "melody method " + std::to_string(settings.method) + " is not 0..9");
    if (IsEmptyText(lines)) return Fail(why, "the verse is empty");
    std::string reason;
    const auto templates = LineTemplates::Make(metre, lines.size(), reason);
    if (!templates) return Fail(why, reason);

    try {
        MelodyResult result;
        result.text =
            melody::MelodyText(RunMethod(lines, *templates, WithinControlRanges(settings)));
        if (settings.method >= 5 && settings.method <= 7) result.centreRange = CentreRange(lines);
        return result;
    } catch (const std::bad_alloc&) {
        return Fail(why, "the verse is too long to hold its melody in memory");
    }
}

std::vector<std::string> MelodyTokens(std::string_view melody) {
    return Split(melody, std::string_view("\r\n"));
}

std::pair<int, int> CentreRange(const Lines& lines) {
    const auto quarter =
        lines.empty()
            ? 0
            : static_cast<int>(std::min<std::size_t>(melody::VowelCount(lines.back()) / 4, 32767));
    return {quarter, -quarter};
}

} // namespace kvat
