#include "cli/options.h"

#include "melody/method_texts.h"
#include "melody/note_map.h"
#include "midi/instrument_names.h"
#include "midi/sound_tables.h"
#include "piece/output_formats.h"
#include "verse/metre.h"

#include <algorithm>
#include <charconv>

namespace kvat::cli {
namespace {

constexpr int kLastProgram = 127;
constexpr int kLastNoteItem = static_cast<int>(kNoteNames.size()) - 1;
constexpr int kLastDrumKey = kFirstDrumKey + static_cast<int>(kPercussionNames.size()) - 1;
constexpr int kLastTempo = static_cast<int>(kTempoTable.size()) - 1;
constexpr int kLastDynamics = static_cast<int>(kDynamicsTable.size()) - 1;
constexpr int kBoostStep = 10; // per cent

// The dynamics list's index of a loudness: how many of its steps are left for the boost.
int DynamicsSteps(const SoundSettings& sound) {
    return DynamicsIndex(sound.dynamicsPercent);
}

// The help's words for a value: its list index, or the default's.
std::string TempoHelp() {
    return "tempo list index 0.." + std::to_string(kLastTempo) + " (default " +
           std::to_string(TempoIndex(SoundSettings{}.beatsPerMinute)) + ")";
}
std::string DynamicsHelp() {
    return "dynamics list index 0.." + std::to_string(kLastDynamics) + " (default " +
           std::to_string(DynamicsSteps(SoundSettings{})) + ")";
}
std::string BoostHelp() {
    return "stress boost 0..dynamics index (default min(" +
           std::to_string(SoundSettings{}.boostPercent / kBoostStep) + ", dynamics))";
}
std::string MethodHelp() {
    return "melody method " + MethodRangeText() + " (default " +
           std::to_string(MethodIndex(*MelodySettings{}.method)) + ")";
}
// -f: the formats of each subcommand that writes files, as "mid, wav, or png|svg|…".
std::string FormatHelp() {
    std::vector<std::string> commands;
    std::string_view last;
    for (const auto& row : kOutputFormats) {
        if (row.command != last) commands.emplace_back();
        last = row.command;
        std::string& listed = commands.back();
        listed += (listed.empty() ? "" : "|") + std::string(row.extension);
    }
    std::string help = "with -d: ";
    for (std::size_t i = 0; i < commands.size(); ++i)
        help += (i == 0 ? "" : i + 1 == commands.size() ? ", or " : ", ") + commands[i];
    return help;
}

std::optional<long long> ParseInteger(std::string_view text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t at = text.find(separator);
        pieces.push_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 1);
    }
    return pieces;
}

// One option's value being read: failures become the one-line usage error.
struct Reading {
    std::string_view name;
    std::string_view value;
    std::string& error;

    bool Fail(std::string_view allowed) const {
        error = std::string(name) + ": '" + std::string(value) +
                "' is out of range (allowed: " + std::string(allowed) + ")";
        return false;
    }
    // An integer within [low, high] read from `text` (the value or a piece of it).
    bool Int(std::string_view text, long long low, long long high, int& out) const {
        const auto parsed = ParseInteger(text);
        if (!parsed || *parsed < low || *parsed > high)
            return Fail(std::to_string(low) + ".." + std::to_string(high));
        out = static_cast<int>(*parsed);
        return true;
    }
    bool Int(long long low, long long high, int& out) const { return Int(value, low, high, out); }
    bool Program(std::optional<int>& out) const {
        int program = 0;
        if (!Int(0, kLastProgram, program)) return false;
        out = program;
        return true;
    }
    // One of the words, its position in the list.
    template <class Enum>
    bool Word(std::initializer_list<std::string_view> words, std::string_view allowed,
              Enum& out) const {
        const auto it = std::find(words.begin(), words.end(), value);
        if (it == words.end()) return Fail(allowed);
        out = static_cast<Enum>(it - words.begin());
        return true;
    }
    // The row of a table whose rows have a `word`.
    template <class Table, class Value>
    bool RowWord(const Table& table, std::string_view allowed, Value& out) const {
        for (const auto& row : table)
            if (row.word == value) return Take(row, out);
        return Fail(allowed);
    }

private:
    static bool Take(const VoiceGroupRow& row, VoiceGroup& out) { return out = row.group, true; }
    static bool Take(const OutputEffectRow& row, OutputEffect& out) {
        return out = row.effect, true;
    }
};

// A voice switched on with the program given.
bool ReadVoice(const Reading& r, VoiceChoice& voice) {
    int program = 0;
    if (!r.Int(0, kLastProgram, program)) return false;
    voice = {true, program};
    return true;
}

bool ReadMethod(const Reading& r, Options& o) {
    int index = 0;
    if (!r.Int(0, kMethodCount - 1, index)) return false;
    o.melody.method = MethodFromIndex(index);
    return true;
}

// The lists' indexes, as the window's lists number them, for the values they stand for.
bool ReadTempo(const Reading& r, Options& o) {
    int index = 0;
    if (!r.Int(0, kLastTempo, index)) return false;
    o.sound.beatsPerMinute = kTempoTable[static_cast<std::size_t>(index)].bpm;
    return true;
}

bool ReadDynamics(const Reading& r, Options& o) {
    int index = 0;
    if (!r.Int(0, kLastDynamics, index)) return false;
    o.sound.dynamicsPercent = kDynamicsTable[static_cast<std::size_t>(index)].percent;
    return true;
}

// The boost counts in the dynamics list's steps, ten per cent each.
bool ReadBoost(const Reading& r, Options& o) {
    int steps = 0;
    if (!r.Int(0, kLastDynamics, steps)) return false;
    o.sound.boostPercent = kBoostStep * steps;
    o.boostGiven = true;
    return true;
}

bool ReadMetre(const Reading& r, Options& o) {
    if (r.value == "auto") {
        o.metre.reset();
        return true;
    }
    int metre = 0;
    if (!r.Int(kTrochee, kManualMetre, metre)) return r.Fail("auto or 0..5");
    o.metre = metre;
    return true;
}

bool ReadNoteMap(const Reading& r, Options& o) {
    constexpr std::string_view kAllowed = "ten list indexes -1..23, comma-separated";
    const auto parts = SplitAt(r.value, ',');
    NoteMap map{};
    if (parts.size() != map.size()) return r.Fail(kAllowed);
    for (std::size_t i = 0; i < map.size(); ++i)
        if (!r.Int(parts[i], -1, kLastNoteItem, map[i])) return r.Fail(kAllowed);
    o.melody.noteMap = map;
    o.noteMapGiven = true;
    return true;
}

bool ReadSeed(const Reading& r, Options& o) {
    std::uint64_t seed = 0;
    const char* end = r.value.data() + r.value.size();
    auto [ptr, ec] = std::from_chars(r.value.data(), end, seed);
    if (r.value.empty() || ec != std::errc() || ptr != end)
        return r.Fail("0..18446744073709551615");
    o.seed = seed;
    return true;
}

bool ReadTimeSignature(const Reading& r, Options& o) {
    const auto parts = SplitAt(r.value, '/');
    const auto fail = [&] {
        return r.Fail("N/D with N 2,3,4,6,9,12 and a denominator offered for N");
    };
    if (parts.size() != 2) return fail();
    const auto num = ParseInteger(parts[0]), den = ParseInteger(parts[1]);
    if (!num || !den) return fail();
    const auto offered = DenominatorsFor(static_cast<int>(std::clamp<long long>(*num, -1, 100)));
    if (std::find(offered.begin(), offered.end(), *den) == offered.end()) return fail();
    o.sound.numerator = static_cast<int>(*num);
    o.sound.denominator = static_cast<int>(*den);
    return true;
}

bool ReadDrums(const Reading& r, Options& o) {
    const auto parts = SplitAt(r.value, ',');
    std::array<int, 2> keys{};
    if (parts.size() != 2 || !r.Int(parts[0], kFirstDrumKey, kLastDrumKey, keys[0]) ||
        !r.Int(parts[1], kFirstDrumKey, kLastDrumKey, keys[1]))
        return r.Fail("two keys 35..81 as A,B");
    o.sound.drumsOn = true;
    o.sound.firstDrumKey = keys[0];
    o.sound.lastDrumKey = keys[1];
    return true;
}

// One of the song method's choices, by its word.
template <std::size_t N, class Value>
bool ReadSongChoice(const Reading& r, const std::array<SongChoiceText, N>& texts, Value& out) {
    const auto value = SongChoiceOf(texts, r.value);
    if (!value) {
        std::string allowed;
        for (const auto& text : texts)
            allowed += (allowed.empty() ? "" : ", ") + std::string(text.word) +
                       (text.alias != text.word ? " or " + std::string(text.alias) : "");
        return r.Fail(allowed);
    }
    out = static_cast<Value>(*value);
    return true;
}

std::string SongChoiceHelp(std::string_view what, std::string_view word) {
    return "song method: " + std::string(what) + " (default " + std::string(word) + ")";
}

// Every option there is, in the order --help lists them. `usage` is the left column of its help
// line; an option sharing the line of the one before has none. Flags have no reader.
struct OptionSpec {
    std::string_view name;
    std::string_view alias;
    std::string_view usage;
    std::string help;
    bool (*read)(const Reading&, Options&);
    bool Options::*flag = nullptr; // what a flag (an option without a reader) switches on
    // An option whose value may be left out takes this one then; the next argument is its value
    // only when it reads as one.
    std::string_view bareValue = {};
};

bool ReadSinger(const Reading& r, Options& o) {
    if (!r.Word({"male", "female"}, "male or female", o.sound.singer)) return false;
    return o.sound.singing = true;
}

const std::vector<OptionSpec>& OptionTable() {
    static const std::vector<OptionSpec> table = {
        {"--output", "-o", "-o, --output OUT", "midi, audio, score: the file to write",
         [](const Reading& r, Options& o) { return o.output = r.value, true; }},
        {"--output-dir", "-d", "-d, --output-dir DIR",
         "midi, audio, score: FILE... each written to DIR/NAME.EXT",
         [](const Reading& r, Options& o) { return o.outputDir = r.value, true; }},
        {"--format", "-f", "-f, --format EXT", FormatHelp(),
         [](const Reading& r, Options& o) { return o.format = r.value, true; }},
        {"--method", "", "--method N", MethodHelp(), ReadMethod},
        {"--metre", "", "--metre auto|N",
         "metre 0..5: trochee, iamb, amphibrach, dactyl, anapaest, by hand", ReadMetre},
        {"--stress", "", "--stress rule|dictionary",
         "stresses by the rule (default) or by the dictionaries and the metre",
         [](const Reading& r, Options& o) {
             return r.Word({"rule", "dictionary"}, "rule or dictionary", o.stress);
         }},
        {"--ictus", "", "--ictus FILE",
         "with --metre 5: one line of 0/1 per verse line, one digit per vowel",
         [](const Reading& r, Options& o) { return o.ictusFile = r.value, true; }},
        {"--lengthen", "", "--lengthen yes|no", "lengthen line-final syllables (default yes)",
         [](const Reading& r, Options& o) {
             int no = 0;
             if (!r.Word({"yes", "no"}, "yes or no", no)) return false;
             return o.melody.lengthen = o.sound.lengthen = no == 0, true;
         }},
        {"--key", "", "--key N", "key shift -7..7 of the chosen method (default 0)",
         [](const Reading& r, Options& o) {
             return r.Int(kKeyShiftLow, kKeyShiftHigh, o.melody.keyShift);
         }},
        {"--sharp-shift", "", "--sharp-shift N",
         "0..11 semitones for soft vowels, method 1 (default 0)",
         [](const Reading& r, Options& o) {
             return r.Int(0, kSoftVowelShiftHigh, o.melody.softVowelShift);
         }},
        {"--centre-shift", "", "--centre-shift N", "line-centre shift, methods 5-7 (default 0)",
         [](const Reading& r, Options& o) { return r.Int(-32768, 32767, o.melody.centreShift); }},
        {"--note-map", "", "--note-map L",
         "ten list indexes 0..23 or -1 for а,е,ё,и,о,у,ы,э,ю,я (method 2)", ReadNoteMap},
        {"--octave", "", "--octave 1|2|12", "octaves of the random note map (default 1)",
         [](const Reading& r, Options& o) {
             int item = 0;
             if (!r.Word({"1", "2", "12"}, "1, 2 or 12", item)) return false;
             return o.octave = item == 0 ? 1 : item == 1 ? 2 : 12, true;
         }},
        {"--seed", "", "--seed N", "seed of the random note map (default: the clock)", ReadSeed},
        {"--tonic", "", "--tonic C|C#|...|B",
         SongChoiceHelp("the key's tonic, or by its flat: Db",
                        kTonicTexts[std::size_t(SongSettings{}.tonic)].word),
         [](const Reading& r, Options& o) {
             return ReadSongChoice(r, kTonicTexts, o.melody.song.tonic);
         }},
        {"--mode", "", "--mode major|minor",
         SongChoiceHelp("the key's mode", kModeTexts[std::size_t(SongSettings{}.mode)].word),
         [](const Reading& r, Options& o) {
             return ReadSongChoice(r, kModeTexts, o.melody.song.mode);
         }},
        {"--range", "", "--range soprano|alto|tenor|bass",
         SongChoiceHelp("the voice it is sung in",
                        kRangeTexts[std::size_t(SongSettings{}.range)].word),
         [](const Reading& r, Options& o) {
             return ReadSongChoice(r, kRangeTexts, o.melody.song.range);
         }},
        {"--tempo", "", "--tempo N", TempoHelp(), ReadTempo},
        {"--dynamics", "", "--dynamics N", DynamicsHelp(), ReadDynamics},
        {"--boost", "", "--boost N", BoostHelp(), ReadBoost},
        {"--time-signature", "", "--time-signature N/D", "time signature (default 4/2)",
         ReadTimeSignature},
        {"--soprano", "", "--soprano P", "soprano program 0..127 (default 2)",
         [](const Reading& r, Options& o) { return r.Int(0, kLastProgram, o.sound.soprano); }},
        {"--mezzo", "", "--mezzo P, --tenor P, --bass P", "switch that voice on with program P",
         [](const Reading& r, Options& o) { return ReadVoice(r, o.sound.mezzo); }},
        {"--tenor", "", "", "",
         [](const Reading& r, Options& o) { return ReadVoice(r, o.sound.tenor); }},
        {"--bass", "", "", "",
         [](const Reading& r, Options& o) { return ReadVoice(r, o.sound.bass); }},
        {"--group", "", "--group strings|woodwind|brass", "a ready-made group of four voices",
         [](const Reading& r, Options& o) {
             if (!r.RowWord(kVoiceGroups, "strings, woodwind or brass", o.sound.group))
                 return false;
             return o.sound.groupOn = true;
         }},
        {"--drums", "", "--drums A,B", "switch the drum figure on with keys A,B (35..81)",
         ReadDrums},
        {"--drum-map", "", "--drum-map M", "drum map 3..10 (default 5)",
         [](const Reading& r, Options& o) {
             return r.Int(kDrumMapLow, kDrumMapHigh, o.sound.drumMap);
         }},
        {"--accompaniment", "", "--accompaniment P",
         "switch the accompaniment chord on with program P",
         [](const Reading& r, Options& o) {
             VoiceChoice chord;
             if (!ReadVoice(r, chord)) return false;
             o.sound.accompanimentOn = true;
             return o.sound.accompaniment = chord.program, true;
         }},
        {"--effect", "", "--effect none|modulation|sustain (default none)", "",
         [](const Reading& r, Options& o) {
             return r.RowWord(kOutputEffects, "none, modulation or sustain", o.sound.effect);
         }},
        {"--colour", "", "--colour", "score: syllables in their vowel colours", nullptr,
         &Options::colour},
        {"--ticks", "", "--ticks", "melody: each token's start and length in ticks beside it",
         nullptr, &Options::ticks},
        {"--no-lyrics", "", "--no-lyrics", "midi: no syllables under the notes", nullptr,
         &Options::noLyrics},
        {"--soundfont", "", "--soundfont SF2",
         "audio: the SoundFont (default: $KVAT_SOUNDFONT, then the system's)",
         [](const Reading& r, Options& o) { return o.soundfont = r.value, true; }},
        {"--voice", "", "--voice [male|female]",
         "audio: the verse sung by a male (default) or female voice", ReadSinger, nullptr, "male"},
        {"--voice-only", "", "--voice-only",
         "audio: the sung voice alone, lined up with the instruments", nullptr,
         &Options::voiceOnly},
        {"--reset-settings", "", "--reset-settings",
         "window: forget every remembered choice and open with the defaults", nullptr,
         &Options::resetSettings},
        {"--help", "-h", "", "", nullptr, &Options::help},
        {"--version", "", "", "", nullptr, &Options::version},
    };
    return table;
}

const OptionSpec* FindOption(std::string_view name) {
    for (const auto& entry : OptionTable())
        if (entry.name == name || (!entry.alias.empty() && entry.alias == name)) return &entry;
    return nullptr;
}

// What holds between options, once all are read; and what follows from them together.
bool Finish(Options& o, std::string& error) {
    const int steps = DynamicsSteps(o.sound);
    if (o.boostGiven && o.sound.boostPercent > kBoostStep * steps) {
        Reading{"--boost", std::to_string(o.sound.boostPercent / kBoostStep), error}.Fail(
            "0.." + std::to_string(steps) + " for dynamics " + std::to_string(steps));
        return false;
    }
    if (!o.boostGiven)
        o.sound.boostPercent = std::min(SoundSettings{}.boostPercent, kBoostStep * steps);
    // The painted vowels are read only for the hand-placed metre; anywhere else the file would
    // be silently ignored.
    if (!o.ictusFile.empty() && o.metre != kManualMetre) {
        error = "--ictus: '" + o.ictusFile + "' is read only with --metre 5 (ictuses by hand)";
        return false;
    }
    // A group sets all four voices over any single one given, as the window locks the voice
    // lists while a group is chosen.
    if (o.sound.groupOn) ApplyGroup(o.sound, o.sound.group);
    o.sound.singing |= o.voiceOnly;
    return true;
}

} // namespace

std::vector<OptionHelpLine> OptionsHelpLines() {
    std::vector<OptionHelpLine> lines;
    for (const auto& entry : OptionTable())
        if (!entry.usage.empty())
            lines.push_back({std::string(entry.usage), std::string(entry.help)});
    return lines;
}

std::string OptionsHelp() {
    constexpr std::size_t kColumn = 22;
    std::string help;
    for (const auto& entry : OptionTable()) {
        if (entry.usage.empty()) continue;
        help += "  " + std::string(entry.usage);
        // A left column too long for the column stands three spaces from its text.
        if (!entry.help.empty())
            help +=
                std::string(entry.usage.size() < kColumn ? kColumn - entry.usage.size() : 3, ' ');
        help += std::string(entry.help) + "\n";
    }
    return help;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            std::string_view name = arg, value;
            const auto eq = arg.find('=');
            const bool joined = eq != std::string::npos && arg.rfind("--", 0) == 0;
            if (joined) {
                name = std::string_view(arg).substr(0, eq);
                value = std::string_view(arg).substr(eq + 1);
            }
            const OptionSpec* entry = FindOption(name);
            if (!entry) {
                error = std::string(name) + ": no such option; see kvat --help";
                return std::nullopt;
            }
            if (!entry->read) {
                if (!joined) {
                    o.*entry->flag = true;
                    continue;
                }
                error = std::string(name) + ": takes no value, but was given '" +
                        std::string(value) + "'";
                return std::nullopt;
            }
            if (!joined && !entry->bareValue.empty()) {
                Options scratch;
                std::string ignored;
                const bool next = i + 1 < args.size() &&
                                  entry->read(Reading{name, args[i + 1], ignored}, scratch);
                value = next ? std::string_view(args[++i]) : entry->bareValue;
            } else if (!joined) {
                if (i + 1 >= args.size()) {
                    error = std::string(name) + ": a value is missing";
                    return std::nullopt;
                }
                value = args[++i];
            }
            if (!entry->read(Reading{name, value, error}, o)) return std::nullopt;
            continue;
        }
        if (o.command.empty()) {
            o.command = arg;
            continue;
        }
        o.files.push_back(arg);
    }
    if (!o.files.empty()) o.file = o.files.front();
    if (o.files.size() > 1 && o.outputDir.empty()) {
        error = "'" + o.files[1] + "': only one verse file may be given";
        return std::nullopt;
    }
    if (!Finish(o, error)) return std::nullopt;
    return o;
}

} // namespace kvat::cli
