#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <span>
#include <string_view>

namespace kvat::cli {
namespace {

constexpr int kManualMetreOption = 5; // --metre 5: the hand-placed ictuses

std::optional<long long> ParseInteger(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

std::vector<std::string> SplitComma(const std::string& text, char separator = ',') {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        pieces.push_back(text.substr(start, at - start));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return pieces;
}

class Parser {
public:
    explicit Parser(std::string& error) : error_(error) {}

    // An integer within [low, high]; otherwise a usage error naming the option.
    bool Int(const std::string& name, const std::string& value, long long low, long long high,
             int& out) {
        const auto parsed = ParseInteger(value);
        if (!parsed || *parsed < low || *parsed > high)
            return Fail(name, value, std::to_string(low) + ".." + std::to_string(high));
        out = static_cast<int>(*parsed);
        return true;
    }

    bool Fail(const std::string& name, const std::string& value, const std::string& range) {
        error_ = name + ": '" + value + "' is out of range (allowed: " + range + ")";
        return false;
    }

private:
    std::string& error_;
};

// The denominators the time-signature list offers for each numerator.
bool DenominatorAllowed(int numerator, int denominator) {
    static const std::map<int, std::vector<int>> allowed = {
        {2, {2, 4, 8}}, {3, {2, 4, 8, 16}}, {4, {2, 4, 8}},
        {6, {4, 8, 16}}, {9, {4, 8, 16}}, {12, {8, 16}}};
    const auto it = allowed.find(numerator);
    return it != allowed.end() &&
           std::find(it->second.begin(), it->second.end(), denominator) != it->second.end();
}

bool ParseValue(Parser& p, Options& o, const std::string& name, const std::string& v) {
    int n = 0;
    if (name == "-o" || name == "--output") { o.output = v; return true; }
    if (name == "--method") return p.Int(name, v, 0, 9, o.method);
    if (name == "--metre") {
        if (v == "auto") { o.metre.reset(); return true; }
        if (!p.Int(name, v, 0, 5, n)) return p.Fail(name, v, "auto or 0..5");
        o.metre = n;
        return true;
    }
    if (name == "--ictus") { o.ictusFile = v; return true; }
    if (name == "--lengthen") {
        if (v != "yes" && v != "no") return p.Fail(name, v, "yes or no");
        o.lengthen = v == "yes";
        return true;
    }
    if (name == "--key") return p.Int(name, v, -7, 7, o.key);
    if (name == "--sharp-shift") return p.Int(name, v, 0, 11, o.sharpShift);
    if (name == "--centre-shift") return p.Int(name, v, -32768, 32767, o.centreShift);
    if (name == "--note-map") {
        const auto parts = SplitComma(v);
        if (parts.size() != 10) return p.Fail(name, v, "ten list indexes -1..23, comma-separated");
        std::array<int, 10> map{};
        for (std::size_t i = 0; i < 10; ++i)
            if (!p.Int(name, parts[i], -1, 23, map[i]))
                return p.Fail(name, v, "ten list indexes -1..23, comma-separated");
        o.noteMap = map;
        return true;
    }
    if (name == "--octave") {
        if (v != "1" && v != "2" && v != "12") return p.Fail(name, v, "1, 2 or 12");
        o.octave = std::stoi(v);
        return true;
    }
    if (name == "--seed") {
        std::uint64_t seed = 0;
        auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), seed);
        if (v.empty() || ec != std::errc() || ptr != v.data() + v.size())
            return p.Fail(name, v, "0..18446744073709551615");
        o.seed = seed;
        return true;
    }
    if (name == "--tempo") return p.Int(name, v, 0, 38, o.tempo);
    if (name == "--dynamics") return p.Int(name, v, 0, 7, o.dynamics);
    if (name == "--boost") {
        if (!p.Int(name, v, 0, 7, n)) return false;
        o.boost = n;
        return true;
    }
    if (name == "--time-signature") {
        const auto parts = SplitComma(v, '/');
        int num = 0, den = 0;
        const std::string range = "N/D with N 2,3,4,6,9,12 and a denominator offered for N";
        if (parts.size() != 2 || !ParseInteger(parts[0]) || !ParseInteger(parts[1]))
            return p.Fail(name, v, range);
        num = static_cast<int>(std::clamp<long long>(*ParseInteger(parts[0]), -1, 100));
        den = static_cast<int>(std::clamp<long long>(*ParseInteger(parts[1]), -1, 100));
        if (!DenominatorAllowed(num, den)) return p.Fail(name, v, range);
        o.numerator = num;
        o.denominator = den;
        return true;
    }
    if (name == "--soprano") return p.Int(name, v, 0, 127, o.soprano);
    if (name == "--mezzo" || name == "--tenor" || name == "--bass" || name == "--accompaniment") {
        if (!p.Int(name, v, 0, 127, n)) return false;
        (name == "--mezzo"   ? o.mezzo
         : name == "--tenor" ? o.tenor
         : name == "--bass"  ? o.bass
                             : o.accompaniment) = n;
        return true;
    }
    if (name == "--group") {
        if (v == "strings") o.group = Group::kStrings;
        else if (v == "woodwind") o.group = Group::kWoodwind;
        else if (v == "brass") o.group = Group::kBrass;
        else return p.Fail(name, v, "strings, woodwind or brass");
        return true;
    }
    if (name == "--drums") {
        const auto parts = SplitComma(v);
        std::array<int, 2> keys{};
        if (parts.size() != 2 || !p.Int(name, parts[0], 35, 81, keys[0]) ||
            !p.Int(name, parts[1], 35, 81, keys[1]))
            return p.Fail(name, v, "two keys 35..81 as A,B");
        o.drums = keys;
        return true;
    }
    if (name == "--drum-map") return p.Int(name, v, 3, 10, o.drumMap);
    if (name == "--effect") {
        if (v == "none") o.effect = Effect::kNone;
        else if (v == "modulation") o.effect = Effect::kModulation;
        else if (v == "sustain") o.effect = Effect::kSustain;
        else return p.Fail(name, v, "none, modulation or sustain");
        return true;
    }
    if (name == "--soundfont") { o.soundfont = v; return true; }
    return p.Fail(name, v, "no such option; see kvat --help");
}

// Every option there is. The flags take no value; all the others take exactly one.
constexpr std::string_view kFlags[] = {"--help", "-h", "--version", "--colour"};
constexpr std::string_view kValueOptions[] = {
    "-o",      "--output",     "--method",   "--metre",          "--ictus",    "--lengthen",
    "--key",   "--sharp-shift", "--centre-shift", "--note-map", "--octave",    "--seed",
    "--tempo", "--dynamics",   "--boost",    "--time-signature", "--soprano",  "--mezzo",
    "--tenor", "--bass",       "--group",    "--drums",          "--drum-map", "--accompaniment",
    "--effect", "--soundfont"};

bool Listed(std::span<const std::string_view> names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    Parser parser(error);
    bool fileSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") { o.help = true; continue; }
        if (arg == "--version") { o.version = true; continue; }
        if (arg == "--colour") { o.colour = true; continue; }
        if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            std::string name = arg, value;
            const auto eq = arg.find('=');
            const bool joined = eq != std::string::npos && arg.rfind("--", 0) == 0;
            if (joined) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            }
            // The bare flags were taken above, so a flag here came with "=value".
            if (Listed(kFlags, name)) {
                error = name + ": takes no value, but was given '" + value + "'";
                return std::nullopt;
            }
            if (!Listed(kValueOptions, name)) {
                error = name + ": no such option; see kvat --help";
                return std::nullopt;
            }
            if (!joined) {
                if (i + 1 >= args.size()) {
                    error = name + ": a value is missing";
                    return std::nullopt;
                }
                value = args[++i];
            }
            if (!ParseValue(parser, o, name, value)) return std::nullopt;
            continue;
        }
        if (o.command.empty()) { o.command = arg; continue; }
        if (fileSeen) {
            error = "'" + arg + "': only one verse file may be given";
            return std::nullopt;
        }
        o.file = arg;
        fileSeen = true;
    }
    if (o.boost && *o.boost > o.dynamics) {
        parser.Fail("--boost", std::to_string(*o.boost), "0.." + std::to_string(o.dynamics) +
                                                             " for dynamics " + std::to_string(o.dynamics));
        return std::nullopt;
    }
    // The painted vowels are read only for the hand-placed metre; anywhere else the file would
    // be silently ignored.
    if (!o.ictusFile.empty() && o.metre != kManualMetreOption) {
        error = "--ictus: '" + o.ictusFile + "' is read only with --metre 5 (ictuses by hand)";
        return std::nullopt;
    }
    return o;
}

} // namespace kvat::cli
