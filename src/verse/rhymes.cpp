#include "verse/rhymes.h"

#include "verse/rhyme_score.h"
#include "verse/rhyme_sounds.h"

#include <algorithm>
#include <numeric>

namespace kvat {
namespace {

// A rhyme links lines at most this many lines apart inside a stanza (the outer pair of a ring,
// a sonnet's tercets); further apart, a reader no longer hears it.
constexpr std::size_t kReach = 4;
// The least score heard as a rhyme, by how far apart the lines stand (index: distance): the
// further apart, the surer a rhyme must be to be heard.
constexpr float kThreshold[kReach + 1] = {1.0f, 0.6f, 0.6f, 0.65f, 0.7f};

// A verse that writes ё anywhere writes it everywhere: its е are е.
bool WritesYo(const Lines& lines) {
    for (const auto& line : lines)
        if (line.find_first_of(U"ёЁ") != std::u32string::npos) return true;
    return false;
}

Clausula ClausulaOf(int postTonic) {
    return postTonic == 0   ? Clausula::kMasculine
           : postTonic == 1 ? Clausula::kFeminine
           : postTonic == 2 ? Clausula::kDactylic
                            : Clausula::kHyperdactylic;
}

// A pair of lines near enough to rhyme.
struct Link {
    std::size_t first = 0, second = 0;
    RhymeMatch match;
};

// Groups of lines as a forest: each line points at a line of its group, the root at itself.
struct Groups {
    std::vector<std::size_t> parent, size;
    explicit Groups(std::size_t lines) : parent(lines), size(lines, 1) {
        std::iota(parent.begin(), parent.end(), 0);
    }
    std::size_t Root(std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    }
    // Two rhymes already heard stay apart unless an exact rhyme links them: клеть, медь and
    // лет, свет are two.
    void Join(const Link& link) {
        const std::size_t a = Root(link.first), b = Root(link.second);
        if (a == b || (size[a] > 1 && size[b] > 1 && !link.match.exact)) return;
        parent[b] = a;
        size[a] += size[b];
    }
};

// Every link of the verse: pairs of lines inside a stanza at most kReach lines with a word apart
// whose endings come near enough. Sets each line's stanza, clausula and rhyming part.
std::vector<Link> Links(const Lines& lines, const std::vector<std::string>& stress,
                        std::vector<LineRhyme>& rhymes) {
    std::vector<Link> links;
    const bool writesYo = WritesYo(lines);
    // The lines with a word in the current stanza, nearest last, at most kReach of them.
    std::vector<std::size_t> recent;
    std::vector<LineEnding> endings(lines.size());
    int stanza = -1;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (IsBlankLine(lines[j])) {
            if (!recent.empty()) ++stanza;
            recent.clear();
            continue;
        }
        endings[j] = EndingOfLine(lines[j], j < stress.size() ? stress[j] : std::string());
        if (!endings[j].hasWord) continue;
        endings[j].unwrittenYo = endings[j].unwrittenYo && !writesYo;
        LineRhyme& line = rhymes[j];
        line.group = kUnrhymed;
        line.stanza = stanza + 1;
        line.clausula = ClausulaOf(endings[j].postTonic);
        line.begin = endings[j].begin;
        line.end = endings[j].end;
        for (std::size_t k = 0; k < recent.size(); ++k) {
            const RhymeMatch match = MatchEndings(endings[recent[k]], endings[j]);
            if (match.score >= kThreshold[recent.size() - k])
                links.push_back({recent[k], j, match});
        }
        recent.push_back(j);
        if (recent.size() > kReach) recent.erase(recent.begin());
    }
    return links;
}

} // namespace

bool IsBlankLine(std::u32string_view line) {
    return std::all_of(line.begin(), line.end(), [](char32_t c) {
        return c <= U' ' || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x3000 || c == 0xFEFF;
    });
}

std::vector<LineRhyme> FindRhymes(const Lines& lines, const std::vector<std::string>& stress) {
    std::vector<LineRhyme> rhymes(lines.size());
    std::vector<Link> links = Links(lines, stress, rhymes);
    // The best links first, the nearer of two as good.
    std::stable_sort(links.begin(), links.end(), [](const Link& a, const Link& b) {
        if (a.match.score != b.match.score) return a.match.score > b.match.score;
        return a.second - a.first < b.second - b.first;
    });
    Groups groups(lines.size());
    for (const Link& link : links) groups.Join(link);
    for (const Link& link : links) {
        if (groups.Root(link.first) != groups.Root(link.second)) continue;
        for (std::size_t i : {link.first, link.second}) {
            rhymes[i].score = std::max(rhymes[i].score, link.match.score);
            rhymes[i].exact = rhymes[i].exact || link.match.exact;
        }
    }

    // Number the groups of two lines or more by their first lines.
    std::vector<int> number(lines.size(), -1);
    int next = 0;
    for (std::size_t j = 0; j < lines.size(); ++j) {
        const std::size_t root = groups.Root(j);
        if (rhymes[j].group == kNoWord || groups.size[root] < 2) continue;
        if (number[root] < 0) number[root] = next++;
        rhymes[j].group = number[root];
    }
    return rhymes;
}

} // namespace kvat
