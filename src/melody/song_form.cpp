#include "melody/song_form.h"

namespace kvat::song {
namespace {

constexpr std::size_t kStanzaLines = 4;

Cadence CadenceAt(int place, int size) {
    if (place + 1 == size) return Cadence::kFull;
    // The middle: after the second of four lines, the first of two, the second of three or five.
    return place == (size - 1) / 2 ? Cadence::kHalf : Cadence::kOpen;
}

// Splits one run of sung phrases into stanzas.
void AddRun(std::vector<Phrase>& phrases, std::size_t first, int& stanza) {
    const std::size_t count = phrases.size() - first;
    for (std::size_t start = 0; start < count; ++stanza) {
        std::size_t size = std::min(kStanzaLines, count - start);
        if (count - start == kStanzaLines + 1) size = kStanzaLines + 1;
        for (std::size_t k = 0; k < size; ++k) {
            Phrase& p = phrases[first + start + k];
            p.stanza = stanza;
            p.place = static_cast<int>(k);
            p.stanzaSize = static_cast<int>(size);
            p.cadence = CadenceAt(p.place, p.stanzaSize);
        }
        start += size;
    }
}

} // namespace

std::vector<Phrase> SongForm(const std::vector<SyllableLine>& lines) {
    std::vector<Phrase> phrases;
    int stanza = 0;
    std::size_t runStart = 0;
    bool gap = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            gap = !phrases.empty();
            continue;
        }
        if (gap) {
            AddRun(phrases, runStart, stanza);
            phrases.back().breakAfter = true;
            runStart = phrases.size();
            gap = false;
        }
        phrases.push_back({.line = i});
    }
    AddRun(phrases, runStart, stanza);
    return phrases;
}

} // namespace kvat::song
