// Methods 0-2: every vowel letter has a note of its own, whatever its neighbours.

#include "melody/methods.h"

#include <array>

namespace kvat::melody {
namespace {

struct VowelPairNote {
    char32_t hard;
    char32_t soft;
    int note;
};

// A hard vowel and its soft partner share a note; together the five make a pentatonic scale.
constexpr VowelPairNote kFixedMap[] = {
    {U'у', U'ю', 60}, {U'о', U'ё', 62}, {U'а', U'я', 64}, {U'э', U'е', 67}, {U'ы', U'и', 69},
};

// The fixed map by vowel index (order of kVowels).
constexpr auto kFixedNotes = [] {
    std::array<int, 10> notes{};
    for (const auto& pair : kFixedMap) {
        notes[kVowels.find(pair.hard)] = pair.note;
        notes[kVowels.find(pair.soft)] = pair.note;
    }
    return notes;
}();

constexpr int kNoteListBase = 60; // list item k is note 60 + k; no selection (-1) gives 59

struct FrequencyWalker {
    const MelodySettings& settings;
    int softShift;
    Melody& out;

    void StartLine(std::size_t) {}
    void Space() {}
    void Vowel(char32_t lower, bool ictus) { out.push_back({NoteOf(lower), ictus ? 1 : 0}); }
    void EndLine() { out.push_back({}); }

    int NoteOf(char32_t lower) const {
        const std::size_t vowel = VowelIndex(lower);
        if (!UsesNoteMap(*settings.method))
            return kFixedNotes[vowel] + (IsSoftVowel(lower) ? softShift : 0);
        return kNoteListBase + settings.noteMap[vowel];
    }
};

} // namespace

Melody MelodyFrequency(const Lines& lines, const LineTemplates& templates,
                       const MelodySettings& settings, int softShift) {
    Melody melody;
    melody.reserve(TokenCount(lines));
    FrequencyWalker walker{settings, softShift, melody};
    WalkVerse(lines, templates, walker);
    LengthenSinglePass(melody, settings.lengthen);
    return melody;
}

} // namespace kvat::melody
