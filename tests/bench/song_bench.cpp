// How singable each method's melodies are, on the marked development set: stressed syllables
// on accented notes (SA), unstressed vowels of longer words on them, line ends aside (CL),
// poems within a tenth (P10), moves wider than a sixth (L6) and an octave (L8), poems ending on
// the tonic of their Krumhansl-Kessler key (FT), line ends on its tonic or dominant (TD),
// rhyming lines of the experts' scheme ending in the same three-note contour (RC), for the song
// method accented notes in their bar's chord (chord); and in the MusicXML score the program
// writes, accented notes starting on a beat (beat) and poems whose every measure adds up to the
// time signature, an upbeat aside (bars). Every melody is built as the program builds it, the
// rhymes the song hears found by the program's own detector; the song again with the experts'
// rhymes. The stresses are the dictionary mode's, then the experts'; the whole set is measured,
// then each half, so that a figure tuned on one half can be checked on the other.

#include "dev_set.h"
#include "melody/melody.h"
#include "melody/song.h"
#include "piece/piece.h"
#include "piece/piece_files.h"
#include "verse/analysis.h"
#include "verse/letters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

using namespace kvat;

constexpr char32_t kStress = 0x301;
// The song with the experts' rhymes after the table's methods.
constexpr int kSongMethod = MethodIndex(Method::kSong), kExpertRhymes = kMethodCount,
              kMeasured = kMethodCount + 1;

struct Note {
    int key;   // 0: a rest
    int marks; // '+' count
    int start, length;
};

struct Poem {
    Lines marked, plain;
    std::vector<int> rhymes; // per line, as ComposeSong takes them
};

// Rhyme groups from the experts' scheme: a letter per line with a vowel, '-' for none, a
// space between stanzas.
std::vector<int> Groups(const Lines& lines, std::u32string_view scheme) {
    std::vector<int> groups;
    std::size_t at = 0;
    int stanza = 0;
    for (const auto& line : lines) {
        if (std::none_of(line.begin(), line.end(),
                         [](char32_t c) { return IsVowel(ToLower(c)); })) {
            groups.push_back(-1);
            continue;
        }
        while (at < scheme.size() && scheme[at] == U' ') ++stanza, ++at;
        const char32_t letter = at < scheme.size() ? scheme[at++] : U'-';
        groups.push_back(letter == U'-' ? -1 : stanza * 1024 + static_cast<int>(letter));
    }
    return groups;
}

// The major and minor key profiles; the best-fitting key of a melody's lengths per pitch class.
constexpr std::array<double, 12> kMajor = {6.35, 2.23, 3.48, 2.33, 4.38, 4.09,
                                           2.52, 5.19, 2.39, 3.66, 2.29, 2.88};
constexpr std::array<double, 12> kMinor = {6.33, 2.68, 3.52, 5.38, 2.60, 3.53,
                                           2.54, 4.75, 3.98, 2.69, 3.34, 3.17};

double Correlation(const std::array<double, 12>& a, const std::array<double, 12>& b, int shift) {
    double ma = 0, mb = 0;
    for (int i = 0; i < 12; ++i) ma += a[i] / 12, mb += b[i] / 12;
    double ab = 0, aa = 0, bb = 0;
    for (int i = 0; i < 12; ++i) {
        const double x = a[(i + shift) % 12] - ma, y = b[i] - mb;
        ab += x * y, aa += x * x, bb += y * y;
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : -2;
}

int BestTonic(const std::vector<Note>& notes) {
    std::array<double, 12> weight{};
    for (const Note& n : notes)
        if (n.key > 0) weight[static_cast<std::size_t>(n.key % 12)] += n.length;
    int best = 0;
    double most = -3;
    for (int tonic = 0; tonic < 12; ++tonic)
        for (const auto* profile : {&kMajor, &kMinor})
            if (const double r = Correlation(weight, *profile, tonic); r > most)
                most = r, best = tonic;
    return best;
}

// Every figure is a share: what holds, of how many.
enum Figure { kSA, kCL, kP10, kL6, kL8, kFT, kTD, kRC, kChord, kBeat, kBars, kFigures };
using Tally = std::array<std::array<long long, 2>, kFigures>;

void Count(Tally& t, Figure f, bool holds) {
    t[f][0] += holds;
    ++t[f][1];
}

// The text between `open` and `close` from `at` on, `at` moved past it; empty at the end.
std::string_view Between(std::string_view text, std::string_view open, std::string_view close,
                         std::size_t& at) {
    const std::size_t begin = text.find(open, at);
    if (begin == std::string_view::npos) return at = text.size(), std::string_view();
    const std::size_t end = text.find(close, begin + open.size());
    at = end == std::string_view::npos ? text.size() : end + close.size();
    return text.substr(begin, at - begin);
}

int Number(std::string_view text, std::string_view element) {
    std::size_t at = 0;
    const std::string_view found = Between(text, "<" + std::string(element) + ">", "<", at);
    return found.empty() ? 0 : std::atoi(std::string(found.substr(element.size() + 2)).c_str());
}

// The melody's part of a MusicXML score as a notation program reads it: whether every measure
// adds up to the time signature (an upbeat, marked implicit, may be shorter) and how many of
// the accented notes start on a beat, the upbeat's beats counted back from its bar line.
void MeasureScore(std::string_view xml, Tally& t) {
    std::size_t at = 0;
    const std::string_view part = Between(xml, "<part id=\"P1\">", "</part>", at);
    const int beats = Number(part, "beats"), type = std::max(1, Number(part, "beat-type"));
    const int measure = beats * 384 / type;
    const int beat = type == 8 && beats % 3 == 0 ? 144 : 384 / type;
    bool whole = measure > 0;
    for (std::size_t m = 0; m < part.size();) {
        const std::string_view bar = Between(part, "<measure", "</measure>", m);
        if (bar.empty()) break;
        std::vector<std::pair<int, bool>> notes; // duration, accented
        int length = 0;
        for (std::size_t n = 0; n < bar.size();) {
            const std::string_view note = Between(bar, "<note>", "</note>", n);
            if (note.empty()) break;
            if (note.find("<chord/>") != std::string_view::npos) continue;
            notes.emplace_back(Number(note, "duration"),
                               note.find("<accent/>") != std::string_view::npos);
            length += notes.back().first;
        }
        const bool upbeat = bar.find("implicit=\"yes\"") != std::string_view::npos;
        whole = whole && (length == measure || (upbeat && length < measure));
        for (int position = measure - length; const auto& [duration, accented] : notes) {
            if (accented) Count(t, kBeat, position % beat == 0);
            position += duration;
        }
    }
    Count(t, kBars, whole);
}

// Tallies one melody: its notes, and its bars' chords when it has them.
void Measure(const Poem& poem, const std::vector<Note>& notes, const MelodyBars* bars, Tally& t) {
    // The token of each vowel of each line.
    std::vector<std::vector<std::size_t>> lineNotes(poem.plain.size());
    for (std::size_t i = 0, token = 0; i < poem.plain.size(); ++i, ++token)
        for (const char32_t c : poem.plain[i])
            if (IsVowel(ToLower(c))) lineNotes[i].push_back(token++);
    auto accented = [&](std::size_t token) { return notes[token].marks > 0; };
    // Stresses: words of two or more vowels with exactly one mark.
    for (std::size_t i = 0; i < poem.marked.size(); ++i) {
        std::vector<std::size_t> vowels;
        std::size_t vowel = 0, stressed = 0, marks = 0;
        for (std::size_t c = 0; c <= poem.marked[i].size(); ++c) {
            const char32_t ch = c < poem.marked[i].size() ? ToLower(poem.marked[i][c]) : U' ';
            if (ClassOf(ch) != LetterClass::kOther || ch == U'-' || (ch >= 0x300 && ch <= 0x36F)) {
                if (ch == kStress) ++marks, stressed = vowels.size() - 1;
                if (IsVowel(ch)) vowels.push_back(vowel++);
                continue;
            }
            if (vowels.size() >= 2 && marks == 1 && vowels.back() < lineNotes[i].size())
                for (std::size_t v = 0; v < vowels.size(); ++v) {
                    const bool on = accented(lineNotes[i][vowels[v]]);
                    if (v == stressed)
                        Count(t, kSA, on);
                    else if (vowels[v] + 1 < lineNotes[i].size())
                        Count(t, kCL, on);
                }
            vowels.clear();
            marks = 0;
        }
    }
    int low = 999, high = 0, last = 0, finalKey = 0;
    for (const Note& n : notes) {
        if (n.key == 0) continue;
        low = std::min(low, n.key), high = std::max(high, n.key), finalKey = n.key;
        if (last)
            Count(t, kL6, std::abs(n.key - last) > 9), Count(t, kL8, std::abs(n.key - last) > 12);
        last = n.key;
    }
    if (!finalKey) return;
    Count(t, kP10, high - low <= 16);
    const int tonic = BestTonic(notes);
    Count(t, kFT, finalKey % 12 == tonic);
    std::map<int, std::vector<std::array<int, 2>>> figures;
    for (std::size_t i = 0; i < lineNotes.size(); ++i) {
        const auto& ln = lineNotes[i];
        if (ln.empty()) continue;
        const int end = notes[ln.back()].key % 12;
        Count(t, kTD, end == tonic || end == (tonic + 7) % 12);
        if (ln.size() < 3 || poem.rhymes[i] < 0) continue;
        auto sign = [&](std::size_t a, std::size_t b) {
            return (notes[ln[b]].key > notes[ln[a]].key) - (notes[ln[b]].key < notes[ln[a]].key);
        };
        const std::size_t n = ln.size();
        const std::array<int, 2> figure = {sign(n - 3, n - 2), sign(n - 2, n - 1)};
        for (const auto& other : figures[poem.rhymes[i]]) Count(t, kRC, other == figure);
        figures[poem.rhymes[i]].push_back(figure);
    }
    for (const Note& n : notes) {
        if (!bars || n.key == 0 || n.marks == 0) continue;
        const BarChord& c = bars->chords[bars->ChordIndexAt(n.start).value_or(0)];
        const int above = (n.key - c.root + 120) % 12;
        Count(t, kChord, above == 0 || above == 7 || above == (c.minor ? 3 : 4));
    }
}

std::vector<Note> NotesOf(const std::vector<std::string>& tokens, const std::vector<int>& starts,
                          const std::vector<int>& lengths) {
    std::vector<Note> notes;
    for (std::size_t k = 0; k < tokens.size() && k < starts.size(); ++k)
        notes.push_back({std::atoi(tokens[k].c_str()),
                         static_cast<int>(std::count(tokens[k].begin(), tokens[k].end(), '+')),
                         starts[k], lengths[k]});
    return notes;
}

// A piece as the program builds it: its notes, and its MusicXML score.
void MeasurePiece(const Poem& poem, const Piece& piece, Tally& t) {
    if (piece.tokens.empty()) return;
    std::vector<int> starts, lengths;
    for (const PieceNote& note : piece.notes) {
        starts.push_back(static_cast<int>(note.start));
        lengths.push_back(note.sound.ticks);
    }
    Measure(poem, NotesOf(piece.tokens, starts, lengths), piece.bars ? &*piece.bars : nullptr, t);
    if (piece.Sung()) MeasureScore(PieceMusicXml(piece), t);
}

Poem Read(std::u32string_view markup, std::u32string_view scheme) {
    Poem poem;
    poem.marked = Split(markup, std::u32string_view(U"\n"));
    for (const auto& line : poem.marked) {
        std::u32string text;
        for (const char32_t c : line)
            if (c != kStress && c != 0x302) text.push_back(c);
        poem.plain.push_back(text);
    }
    poem.rhymes = Groups(poem.plain, scheme);
    return poem;
}

// The experts' stress strings, and the metre those stresses choose.
VerseAnalysis ExpertStress(const Poem& poem) {
    Lines typed;
    for (const auto& line : poem.marked) {
        std::u32string stresses;
        for (const char32_t c : line) {
            if (c == kStress && !stresses.empty()) stresses.back() = U'1';
            if (IsVowel(ToLower(c))) stresses.push_back(U'7');
        }
        typed.push_back(stresses);
    }
    return AnalyseVerse(typed, U',');
}

void MeasurePoem(const Poem& poem, const VerseAnalysis& a, std::array<Tally, kMeasured>& tallies) {
    const MetreState metre{a.templates, static_cast<Metre>(a.metre.value_or(0))};
    for (int m = 0; m < kMethodCount; ++m) {
        PieceSettings settings;
        settings.melody.method = MethodFromIndex(m);
        MeasurePiece(poem, BuildPiece(poem.plain, metre, a.stress, settings), tallies[m]);
    }
    const auto song = GenerateMelody(poem.plain, metre, {.method = Method::kSong}, nullptr,
                                     {a.stress, poem.rhymes});
    if (!song) return;
    const SongTiming& timing = *song->timing;
    MelodyBars bars{timing.time.beats, timing.time.beatType, timing.upbeat, 0, false, {}};
    for (const SongChord& c : timing.chords) bars.chords.push_back({c.root, c.minor});
    Measure(poem, NotesOf(MelodyTokens(song->text), timing.starts, timing.lengths), &bars,
            tallies[kExpertRhymes]);
}

void Print(const std::string& title, const std::array<Tally, kMeasured>& tallies) {
    std::printf(
        "\n%s\n\n| method | SA | CL | P10 | L6 | L8 | FT | TD | RC | chord | beat | bars |\n"
        "|---|---|---|---|---|---|---|---|---|---|---|---|\n",
        title.c_str());
    for (int m = 0; m < kMeasured; ++m) {
        std::printf(m == kExpertRhymes ? "| %d, experts' rhymes |" : "| %d |",
                    m == kExpertRhymes ? kSongMethod : m);
        for (int f = 0; f < kFigures; ++f) {
            const auto [holds, of] = tallies[m][f];
            if (of == 0)
                std::printf(" |");
            else
                std::printf(" %.*f |", f == kL6 || f == kL8 ? 2 : 1, 100.0 * holds / of);
        }
        std::printf("\n");
    }
}

} // namespace

int main() {
    const auto json = bench::ReadDevSet("KVAT_STRESS_DEV");
    if (!json) return std::printf("no development set: its figures are skipped\n"), 0;
    const auto markups = bench::DevField(*json, "accentuation_markup");
    const auto schemes = bench::DevField(*json, "rhyme_scheme");
    const std::size_t half = markups.size() / 2;
    for (const bool dictionary : {false, true}) {
        std::array<std::array<Tally, kMeasured>, 2> halves{};
        for (std::size_t p = 0; p < markups.size() && p < schemes.size(); ++p) {
            const Poem poem = Read(markups[p], schemes[p]);
            const VerseAnalysis a = dictionary
                                        ? AnalyseVerse(poem.plain, U',', StressMode::kDictionary)
                                        : ExpertStress(poem);
            MeasurePoem(poem, a, halves[p >= half]);
        }
        std::array<Tally, kMeasured> all = halves[0];
        for (int m = 0; m < kMeasured; ++m)
            for (int f = 0; f < kFigures; ++f)
                for (int i = 0; i < 2; ++i) all[m][f][i] += halves[1][m][f][i];
        const char* source = dictionary ? "dictionary stress" : "the experts' stress";
        Print("All " + std::to_string(markups.size()) + " poems, melodies from " + source, all);
        Print(std::string("First half, ") + source, halves[0]);
        Print(std::string("Second half, ") + source, halves[1]);
    }
}
