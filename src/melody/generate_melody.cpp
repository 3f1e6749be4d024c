// The dispatch over the methods and the melody string's own helpers.

#include "melody/melody.h"
#include "melody/methods.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

namespace kvat {
namespace {

using melody::LineTemplates;

constexpr int kNoteListHigh = 23;

// The controls cannot hold anything else; keeping to their ranges keeps every note two digits.
MelodySettings WithinControlRanges(MelodySettings s) {
    s.keyShift = std::clamp(s.keyShift, kKeyShiftLow, kKeyShiftHigh);
    s.softVowelShift = std::clamp(s.softVowelShift, 0, kSoftVowelShiftHigh);
    s.centreShift = std::clamp<int>(s.centreShift, std::numeric_limits<std::int16_t>::min(),
                                    std::numeric_limits<std::int16_t>::max());
    for (int& item : s.noteMap) item = std::clamp(item, -1, kNoteListHigh);
    return s;
}

// An editor holding no text has no lines; a single empty line is that same empty text.
bool IsEmptyText(const Lines& lines) {
    return lines.empty() || (lines.size() == 1 && lines.front().empty());
}

// Methods 3-7 count their key from the scale's third step, the template motifs from its fifth.
melody::Melody RunMethod(const Lines& lines, const LineTemplates& templates, Method method,
                         const MelodySettings& s) {
    using namespace melody;
    constexpr int kOctave = 12;
    const int tonal = s.keyShift + 2, motif = s.keyShift + 4;
    switch (method) {
    case Method::kPentatonic:
        return MelodyFrequency(lines, templates, s, kOctave);
    case Method::kPentatonicShift:
        return MelodyFrequency(lines, templates, s, s.softVowelShift);
    case Method::kVowelNotes:
        return MelodyFrequency(lines, templates, s, 0);
    case Method::kTonalWord:
        return MelodyTonalWord(lines, templates, tonal, s.lengthen);
    case Method::kTonalLine:
        return MelodyTonalLinear(lines, templates, tonal, s.lengthen);
    case Method::kTonalPlanar:
        return MelodyTonalPlanar(lines, templates, tonal, s.centreShift, s.lengthen);
    case Method::kTonalVolume:
        return MelodyTonalVolume(lines, templates, tonal, s.centreShift, s.lengthen);
    case Method::kTonalPseudoVolume:
        return MelodyTonalPseudoVolume(lines, templates, tonal, s.centreShift, s.lengthen);
    case Method::kTemplateMotif:
        return MelodyTemplateMotif(lines, templates, motif, s.lengthen);
    case Method::kTemplateFolk:
    case Method::kSong: // composed by ComposeSong before this
    case Method::kCount:
        break;
    }
    return MelodyTemplateFolk(lines, templates, motif, s.lengthen);
}

std::optional<MelodyResult> Fail(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return std::nullopt;
}

// The song keeps its text and its timing apart, as the result does.
std::optional<MelodyResult> Sing(const Lines& lines, const MetreState& metre,
                                 const MelodySettings& settings, std::string* why,
                                 VerseAccents accents) {
    auto song = ComposeSong(lines, accents.stress, metre, accents.rhymes, settings.song, why);
    if (!song) return std::nullopt;
    MelodyResult result;
    result.text = std::move(song->text);
    result.timing = std::move(static_cast<SongTiming&>(*song));
    return result;
}

} // namespace

std::optional<MelodyResult> GenerateMelody(const Lines& lines, const MetreState& metre,
                                           const MelodySettings& settings, std::string* why,
                                           VerseAccents accents) {
    if (!settings.method) return Fail(why, "no melody method is chosen");
    const Method method = *settings.method;
    if (!MethodFromIndex(MethodIndex(method)))
        return Fail(why, "melody method " + std::to_string(MethodIndex(method)) + " is not " +
                             MethodRangeText());
    if (TimesItsNotes(method)) return Sing(lines, metre, settings, why, accents);
    if (IsEmptyText(lines)) return Fail(why, "the verse is empty");
    std::string reason;
    const auto templates = LineTemplates::Make(metre, lines.size(), reason);
    if (!templates) return Fail(why, reason);

    try {
        MelodyResult result;
        result.text =
            melody::MelodyText(RunMethod(lines, *templates, method, WithinControlRanges(settings)));
        if (HasCentreRange(method)) result.centreRange = CentreRange(lines);
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
