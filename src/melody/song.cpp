// The song method from end to end: the syllables and their stresses, the form, each line's
// rhythm, the bars, the chords, the notes, and finally the tokens with their ticks.

#include "melody/song.h"

#include "melody/song_harmony.h"
#include "melody/song_pitch.h"

#include <algorithm>
#include <map>
#include <new>

namespace kvat {
namespace {

using namespace song;

std::optional<Song> Fail(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return std::nullopt;
}

// The metre's feet are of three syllables; a hand-placed pattern's when its ictuses lie three
// vowels apart or more on the whole.
bool TernaryFeet(Metre metre, const std::vector<SyllableLine>& lines) {
    if (metre != kManualMetre) return metre >= kAmphibrach;
    long long vowels = 0, ictuses = 0;
    for (const auto& line : lines) {
        vowels += static_cast<long long>(line.size());
        for (const Syllable& s : line) ictuses += s.ictus;
    }
    return ictuses > 0 && 2 * vowels >= 5 * ictuses;
}

// The ictus count of the middle line when the sung lines are ordered by it.
int TypicalFeet(const std::vector<SyllableLine>& lines) {
    std::vector<int> feet;
    for (const auto& line : lines)
        if (!line.empty())
            feet.push_back(static_cast<int>(std::count_if(
                line.begin(), line.end(), [](const Syllable& s) { return s.ictus; })));
    if (feet.empty()) return 0;
    auto middle = feet.begin() + static_cast<std::ptrdiff_t>(feet.size() / 2);
    std::nth_element(feet.begin(), middle, feet.end());
    return *middle;
}

// The contour a phrase is drawn to, in half steps from the tonic: it rises from where the
// stanza has got to (low in its first line, higher in its later ones) to a peak a little past
// its middle, then falls to its cadence.
int Target(const Phrase& p, std::size_t i, std::size_t n, int cadenceStep) {
    constexpr int kLowStart = -4, kHighStart = 4, kPeak = 9;
    const int span = std::max(p.stanzaSize - 1, 1);
    const int start = kLowStart + (kHighStart - kLowStart) * p.place / span;
    const auto last = static_cast<long long>(n) - 1, at = static_cast<long long>(i);
    const long long peakAt = (3 * last + 2) / 5;
    if (at <= peakAt) return static_cast<int>(start + (kPeak - start) * at / std::max(peakAt, 1LL));
    const int end = 2 * cadenceStep;
    return static_cast<int>(kPeak + (end - kPeak) * (at - peakAt) / std::max(last - peakAt, 1LL));
}

PhraseAim AimOf(Cadence cadence) {
    PhraseAim aim;
    auto allow = [&](int step) {
        aim.finalSteps[static_cast<std::size_t>(step - kLowestStep)] = true;
    };
    if (cadence == Cadence::kHalf) {
        allow(4);
        allow(-3);
    } else {
        allow(0);
    }
    return aim;
}

struct Token {
    int note; // 0: a rest
    int marks;
    int start, length;
};

void AppendToken(Song& song, const Token& t) {
    if (!song.text.empty()) song.text += "\r\n";
    song.text += std::to_string(t.note);
    song.text.append(static_cast<std::size_t>(t.marks), '+');
    song.starts.push_back(t.start);
    song.lengths.push_back(t.length);
}

Song Compose(const std::vector<SyllableLine>& syllables, bool ternary, std::span<const int> rhymes,
             const SongSettings& settings) {
    const Grid grid = ChooseGrid(ternary, TypicalFeet(syllables));
    const std::vector<Phrase> phrases = SongForm(syllables);
    std::vector<LineRhythm> rhythms;
    rhythms.reserve(phrases.size());
    const LinePlacer placer(grid);
    for (const Phrase& p : phrases) rhythms.push_back(placer.Place(syllables[p.line]));
    const Timeline timeline = LayOut(phrases, rhythms, grid);
    const Key key(settings);
    const Palette palette(key);
    const BarChords chords = Harmonise(phrases, timeline, key.Minor());
    // Accented: a syllable on a strong beat, and every line's held last one.
    auto accented = [&, footTicks = grid.footUnits * grid.unitTicks](const PlacedPhrase& p,
                                                                     std::size_t i) {
        return i + 1 == p.starts.size() || (p.starts[i] - timeline.upbeat) % footTicks == 0;
    };

    // Every phrase's notes, the rhyme groups' figures kept as their first lines sing them.
    std::vector<std::vector<SungNote>> sung(phrases.size());
    std::map<int, Figure> figures;
    std::optional<SungNote> previous;
    std::vector<NoteSlot> slots;
    for (std::size_t k = 0; k < phrases.size(); ++k) {
        const Phrase& p = phrases[k];
        const PlacedPhrase& placed = timeline.phrases[k];
        const SyllableLine& line = syllables[p.line];
        slots.clear();
        for (std::size_t i = 0; i < line.size(); ++i) {
            const int start = placed.starts[i];
            slots.push_back({ChordAt(chords, timeline, start), accented(placed, i), line[i].weight,
                             line[i].word,
                             Target(p, i, line.size(), p.cadence == Cadence::kHalf ? 4 : 0)});
        }
        PhraseAim aim = AimOf(p.cadence);
        const int group = p.line < rhymes.size() ? rhymes[p.line] : -1;
        const auto known = group >= 0 ? figures.find(group) : figures.end();
        if (known != figures.end()) aim.figure = known->second;
        sung[k] = SingPhrase(slots, aim, palette, previous);
        previous = sung[k].back();
        if (group >= 0 && known == figures.end())
            if (const auto figure = FigureOf(sung[k])) figures.emplace(group, *figure);
    }

    Song song;
    song.time = grid.time;
    song.upbeat = timeline.upbeat;
    for (std::size_t b = timeline.upbeat > 0 ? 0 : 1; b < chords.size(); ++b)
        song.chords.push_back(key.Chord(chords[b]));
    std::size_t k = 0;
    int now = 0;
    bool breakDue = false;
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        if (k >= phrases.size() || phrases[k].line != i) {
            const int length = breakDue ? timeline.phrases[k - 1].breakEnd - now : 0;
            AppendToken(song, {0, 0, now, length});
            now += length;
            breakDue = false;
            continue;
        }
        const PlacedPhrase& placed = timeline.phrases[k];
        const std::size_t n = placed.starts.size();
        for (std::size_t j = 0; j < n; ++j) {
            const int start = placed.starts[j];
            const int end = j + 1 < n ? placed.starts[j + 1] : placed.end;
            AppendToken(song,
                        {sung[k][j].key, j + 1 == n ? 2 : accented(placed, j), start, end - start});
        }
        AppendToken(song, {0, 0, placed.end, placed.restEnd - placed.end});
        now = placed.restEnd;
        breakDue = phrases[k].breakAfter;
        ++k;
    }
    return song;
}

} // namespace

std::optional<Song> ComposeSong(const Lines& lines, std::span<const std::string> stress,
                                const MetreState& metre, std::span<const int> rhymes,
                                const SongSettings& settings, std::string* why) {
    if (lines.empty() || (lines.size() == 1 && lines.front().empty()))
        return Fail(why, "the verse is empty");
    std::string reason;
    const auto templates = melody::LineTemplates::Make(metre, lines.size(), reason);
    if (!templates) return Fail(why, reason);
    try {
        const auto syllables = SongSyllables(lines, stress, *templates);
        return Compose(syllables, TernaryFeet(metre.metre, syllables), rhymes, settings);
    } catch (const std::bad_alloc&) {
        return Fail(why, "the verse is too long to hold its melody in memory");
    }
}

} // namespace kvat
