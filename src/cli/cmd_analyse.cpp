// kvat analyse: the verse's stress strings, metre scores and list, the metre chosen, the red
// vowels and the rhymes, as JSON.

#include "cli/commands.h"
#include "cli/verse_context.h"
#include "piece/json.h"
#include "verse/rhyme_scheme.h"

namespace kvat::cli {
namespace {

template <class Range, class Format> std::string JsonArray(const Range& values, Format format) {
    std::string out = "[";
    bool first = true;
    for (const auto& value : values) {
        if (!first) out += ", ";
        out += format(value);
        first = false;
    }
    return out + "]";
}

constexpr std::string_view kClausulaNames[] = {"", "m", "f", "d", "h"};

} // namespace

int RunAnalyse(const Run& run) {
    std::string error;
    const auto verse = LoadVerse(run.options, DecimalSeparator(), error);
    if (!verse) {
        run.Error(error);
        return 2;
    }
    const VerseAnalysis& a = verse->analysis;
    const auto ictus = RedPositions(verse->lines, verse->paint);
    const std::array<float, 5> scores{a.scores[0], a.scores[1], a.scores[2], a.scores[3],
                                      a.scores[4]};
    std::string json = "{\"stress\": ";
    json += JsonArray(a.stress, [](const std::string& s) { return JsonString(s); });
    json += ",\n \"scores\": " + JsonArray(scores, [](float f) { return JsonNumber(f); });
    json += ",\n \"metre\": " + (a.metre ? std::to_string(*a.metre) : std::string("null"));
    json += ",\n \"items\": " +
            JsonArray(a.items, [](const std::u32string& s) { return JsonString(s); });
    json += ",\n \"ictus\": " + JsonArray(ictus, [](std::size_t p) { return std::to_string(p); });
    const auto rhymes = VerseRhymes(*verse);
    json += ",\n \"rhymes\": " +
            JsonArray(rhymes, [](const LineRhyme& r) { return JsonString(RhymeLabel(r.group)); });
    json += ",\n \"clausulae\": " + JsonArray(rhymes, [](const LineRhyme& r) {
                return JsonString(kClausulaNames[static_cast<int>(r.clausula)]);
            });
    json += ",\n \"rhyme_exact\": " + JsonArray(rhymes, [](const LineRhyme& r) {
                return r.group < 0 ? std::string("null") : r.exact ? "true" : "false";
            });
    run.out << json << "}\n";
    return 0;
}

} // namespace kvat::cli
