#include "web/core/session.h"

#include "midi/midi_timing.h"
#include "piece/piece_files.h"
#include "text/utf8.h"
#include "verse/letters.h"
#include "verse/lyrics.h"
#include "verse/rhyme_scheme.h"

#include <algorithm>

namespace kvat::web {
namespace {

// The verse as the editor holds it. Text that is not UTF-8 cannot come from a page's string.
Lines SplitEditorText(const std::string& utf8) {
    const std::u32string text = DecodeUtf8(utf8).value_or(U"");
    Lines lines = Split(std::u32string_view(text), std::u32string_view(U"\n"));
    for (auto& line : lines)
        if (!line.empty() && line.back() == U'\r') line.pop_back();
    return lines;
}

bool IsVowelAt(std::u32string_view line, std::size_t k) {
    return k < line.size() && IsVowel(ToLower(line[k]));
}

// UTF-16 offsets of a line's code points, one more entry for its end.
std::vector<std::uint32_t> Utf16Offsets(std::u32string_view line) {
    std::vector<std::uint32_t> offsets(line.size() + 1);
    for (std::size_t k = 0; k < line.size(); ++k)
        offsets[k + 1] = offsets[k] + (line[k] > 0xFFFF ? 2 : 1);
    return offsets;
}

void AppendUtf16(std::u16string& out, std::u32string_view text) {
    for (char32_t c : text) {
        if (c > 0xFFFF) {
            out.push_back(static_cast<char16_t>(0xD7C0 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
}

ScoreArrays Flatten(const ScoreLayout& layout) {
    ScoreArrays arrays;
    const std::size_t n = layout.items.size();
    arrays.geometry.reserve(5 * n);
    arrays.style.reserve(4 * n);
    arrays.colour.reserve(n);
    arrays.text.reserve(2 * n);
    arrays.column.reserve(n);
    for (const ScoreItem& item : layout.items) {
        arrays.geometry.insert(arrays.geometry.end(),
                               {item.x, item.y, item.x2, item.y2, item.size});
        arrays.style.insert(arrays.style.end(),
                            {static_cast<std::uint8_t>(item.kind),
                             static_cast<std::uint8_t>(item.role),
                             static_cast<std::uint8_t>(item.font),
                             static_cast<std::uint8_t>(item.italic | item.bold << 1)});
        arrays.colour.push_back(item.colour);
        const auto start = static_cast<std::uint32_t>(arrays.chars.size());
        AppendUtf16(arrays.chars, layout.Text(item));
        arrays.text.insert(arrays.text.end(),
                           {start, static_cast<std::uint32_t>(arrays.chars.size()) - start});
        arrays.column.push_back(item.column);
    }
    return arrays;
}

} // namespace

void Session::SetVerse(const std::string& utf8, bool followAnalysis) {
    lines_ = SplitEditorText(utf8);
    analysis_ = AnalyseVerse(lines_, separator_, mode_, &memo_);
    metre_.templates = analysis_.templates;
    if (followAnalysis && analysis_.metre)
        metre_.metre = static_cast<kvat::Metre>(*analysis_.metre);
    if (metre_.metre != kManualMetre) Repaint();
    paint_.resize(lines_.size());
    FindRhymesAgain();
}

void Session::FindRhymesAgain() {
    rhymes_ = FindRhymes(lines_, metre_.metre == kManualMetre
                                     ? HandPlacedStress(lines_, analysis_.stress, paint_)
                                     : analysis_.stress);
    rhymeLetters_ = SchemeLetters(rhymes_);
}

void Session::Repaint() {
    paint_ = ColourIctuses(lines_, metre_.templates, metre_.metre);
}

void Session::ChooseMetre(int metre) {
    if (metre < 0 || metre > kManualMetre) return;
    metre_.metre = static_cast<kvat::Metre>(metre);
    if (metre == kManualMetre)
        paint_.assign(lines_.size(), std::string());
    else
        Repaint();
    FindRhymesAgain();
}

bool Session::ToggleIctus(std::size_t line, std::size_t column) {
    if (metre_.metre != kManualMetre || line >= lines_.size()) return false;
    const std::u32string& text = lines_[line];
    const std::vector<std::uint32_t> offsets = Utf16Offsets(text);
    // The code point at the UTF-16 column; a caret just after a vowel means that vowel.
    std::size_t k = std::upper_bound(offsets.begin(), offsets.end(), column) - offsets.begin() - 1;
    if (!IsVowelAt(text, k) && k > 0 && IsVowelAt(text, k - 1)) --k;
    if (!IsVowelAt(text, k)) return false;
    while (k > 0 && IsVowelAt(text, k - 1)) --k; // a run of vowels is marked on its first
    std::size_t vowel = 0;
    for (std::size_t i = 0; i < k; ++i) vowel += IsVowelAt(text, i);
    std::string& marks = paint_[line];
    if (marks.size() <= vowel) marks.resize(vowel + 1, '0');
    marks[vowel] = marks[vowel] == '1' ? '0' : '1';
    FindRhymesAgain();
    return true;
}

LineMarks Session::Marks(std::size_t line) const {
    LineMarks marks;
    if (line >= lines_.size()) return marks;
    const std::u32string& text = lines_[line];
    const std::vector<std::uint32_t> offsets = Utf16Offsets(text);
    const std::string& paint = line < paint_.size() ? paint_[line] : std::string();
    std::size_t vowel = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (!IsVowelAt(text, k)) continue;
        if (vowel < paint.size() && paint[vowel] == '1') marks.red.push_back(offsets[k]);
        ++vowel;
    }
    if (line < analysis_.unknownWords.size()) {
        for (const TextSpan& span : analysis_.unknownWords[line]) {
            const std::size_t end = std::min(span.begin + span.length, text.size());
            if (span.begin >= end) continue;
            marks.unknown.push_back(offsets[span.begin]);
            marks.unknown.push_back(offsets[end] - offsets[span.begin]);
        }
    }
    if (line < rhymes_.size()) {
        const LineRhyme& rhyme = rhymes_[line];
        marks.rhyme = rhymeLetters_[line];
        marks.rhymeTip = RhymeDescription(rhyme, marks.rhyme);
        marks.rhymeGroup = rhyme.group;
        marks.rhymeBegin = offsets[std::min(rhyme.begin, text.size())];
        marks.rhymeEnd = offsets[std::min(rhyme.end, text.size())];
    }
    return marks;
}

bool Session::MakeScore(const MelodySettings& melody, const SoundSettings& sound, bool colour,
                        float viewportTwips) {
    // The red vowels are the hand-placed pattern: the drawn and the played melody are one.
    if (metre_.metre == kManualMetre)
        metre_.templates[kManualMetre] = ReadManualIctuses(lines_, paint_);
    const bool byHand = metre_.metre == kManualMetre;
    piece_ =
        BuildPiece(lines_, metre_,
                   byHand ? HandPlacedStress(lines_, analysis_.stress, paint_) : analysis_.stress,
                   {melody, sound, true, colour});
    why_ = piece_.noMelody;
    centreRange_.reset();
    if (melody.method && HasCentreRange(*melody.method)) centreRange_ = piece_.centreRange;
    messages_.clear();
    for (const auto& message : piece_.syllables.Messages()) messages_.push_back(message.text);
    layout_ = LayoutPiece(piece_, viewportTwips);
    arrays_ = Flatten(layout_);
    return !piece_.tokens.empty();
}

bool Session::HasSungNote() const {
    return piece_.Sung();
}

std::vector<std::uint8_t> Session::MidiFile(const SoundSettings& sound, bool lyrics) const {
    Piece piece = piece_;
    piece.settings.sound = sound;
    if (!lyrics) piece.words.lyrics.clear();
    return PieceMidi(piece);
}

std::string Session::MusicXml(const SoundSettings& sound) const {
    Piece piece = piece_;
    piece.settings.sound = sound;
    return PieceMusicXml(piece);
}

Session::Starts Session::TokenStarts(const std::vector<std::uint8_t>& midiFile) const {
    Starts starts;
    const auto timing = ReadMidiTiming(midiFile);
    if (!timing) return starts;
    const auto add = [&](std::int64_t tick) {
        starts.ticks.push_back(static_cast<double>(tick));
        starts.ms.push_back(static_cast<double>(TicksToMs(*timing, tick)));
    };
    for (const PieceNote& note : piece_.notes) add(note.start);
    add(piece_.notes.empty() ? 0 : piece_.notes.back().start + piece_.notes.back().sound.ticks);
    return starts;
}

std::u32string Session::Title() const {
    return VerseTitle(lines_);
}

} // namespace kvat::web
