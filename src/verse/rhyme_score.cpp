#include "verse/rhyme_score.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace kvat {
namespace {

// What each difference costs, out of the 1 an exact rhyme scores.
struct Costs {
    float softness = 0.1f;     // the same consonant, hard against soft
    float voicing = 0.2f;      // a voiced consonant against its voiceless pair
    float kin = 0.3f;          // м and н, л and р, к and х
    float sonorants = 0.5f;    // any other two of л м н р й
    float sameManner = 0.45f;  // two hissing sounds, or two stops
    float unlike = 0.7f;       // any other two consonants
    float glideMissing = 0.3f; // a й one ending has and the other lacks
    float missing = 0.4f;      // any other consonant one ending has and the other lacks
    float vowels = 0.15f;      // reduced а against reduced и
    float roundVowel = 0.3f;   // reduced у against another
    float truncated = 0.3f;    // an open masculine ending against a closed one
    float noSupport = 0.6f;    // an open masculine ending without a supporting consonant
    float unlikeSupport = 0.6f; // an open masculine ending on another consonant (Петра / стрела)
    float unwrittenYo = 0.2f;  // о against an е that may be said ё
    float supportBonus = 0.1f; // the same consonant before the stressed vowel
    float tail = 0.5f;         // the share a feminine or longer ending's last consonants count
};
constexpr Costs kCost;
constexpr float kBestInexact = 0.95f;

// Longer clusters than this are compared by their last sounds only: no verse has them, and
// the comparison stays short for any text.
constexpr std::size_t kLongestCluster = 6;

bool In(std::u32string_view set, char32_t c) {
    return set.find(c) != std::u32string_view::npos;
}
// The same for a literal, whose length is known without counting.
template <std::size_t N> bool In(const char32_t (&set)[N], char32_t c) {
    return In(std::u32string_view(set, N - 1), c);
}

// A voiced consonant and its voiceless pair: б п, в ф, г к, д т, ж ш, з с.
bool VoicingPair(const Sound& a, const Sound& b) {
    constexpr std::u32string_view kVoiced = U"бвгджз", kVoiceless = U"пфктшс";
    const std::size_t va = kVoiced.find(a.letter), vb = kVoiced.find(b.letter);
    const std::size_t la = kVoiceless.find(a.letter), lb = kVoiceless.find(b.letter);
    return (va != std::u32string_view::npos && va == lb) ||
           (vb != std::u32string_view::npos && vb == la);
}

float ConsonantCost(const Sound& a, const Sound& b) {
    const float soft = a.soft == b.soft ? 0.0f : kCost.softness;
    if (a.letter == b.letter) return soft;
    const auto both = [&](const auto& set) { return In(set, a.letter) && In(set, b.letter); };
    if (VoicingPair(a, b)) return kCost.voicing + soft;
    if (both(U"мн") || both(U"лр") || both(U"кгх") || both(U"жшщч")) return kCost.kin + soft;
    if (both(U"лмнрй")) return kCost.sonorants + soft;
    if (both(U"сзшжщчц") || both(U"пбтдкг")) return kCost.sameManner + soft;
    return kCost.unlike;
}

float Missing(const Sound& s) {
    return s.letter == U'й' ? kCost.glideMissing : kCost.missing;
}

// The cheapest way from one cluster of consonants to the other.
float ClusterCost(std::span<const Sound> a, std::span<const Sound> b) {
    if (a.size() > kLongestCluster) a = a.last(kLongestCluster);
    if (b.size() > kLongestCluster) b = b.last(kLongestCluster);
    std::array<std::array<float, kLongestCluster + 1>, kLongestCluster + 1> d{};
    for (std::size_t i = 1; i <= a.size(); ++i) d[i][0] = d[i - 1][0] + Missing(a[i - 1]);
    for (std::size_t j = 1; j <= b.size(); ++j) d[0][j] = d[0][j - 1] + Missing(b[j - 1]);
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            d[i][j] = std::min({d[i - 1][j] + Missing(a[i - 1]), d[i][j - 1] + Missing(b[j - 1]),
                                d[i - 1][j - 1] + ConsonantCost(a[i - 1], b[j - 1])});
    return d[a.size()][b.size()];
}

float VowelCost(char32_t a, char32_t b) {
    if (a == b) return 0;
    return a == U'у' || b == U'у' ? kCost.roundVowel : kCost.vowels;
}

// The sounds after the stressed vowel as clusters of consonants, each followed by a vowel but
// the last.
struct Cut {
    std::span<const Sound> sounds;
    std::size_t at = 1; // past the stressed vowel

    std::span<const Sound> NextCluster() {
        const std::size_t begin = at;
        while (at < sounds.size() && !sounds[at].vowel) ++at;
        return sounds.subspan(begin, at - begin);
    }
    char32_t NextVowel() { return sounds[at++].letter; }
};

float SupportCost(const Sound& a, const Sound& b) {
    if (a.letter == 0 || b.letter == 0) return a.letter == b.letter ? 0.0f : kCost.noSupport;
    // Only the same consonant, or its voicing pair, holds up an open rhyme.
    const float cost = ConsonantCost(a, b);
    return a.letter == b.letter || VoicingPair(a, b) ? cost : std::max(cost, kCost.unlikeSupport);
}

// The stressed vowels, the same by sound, or о against a written е that may be ё.
bool StressedAlike(const LineEnding& a, const LineEnding& b, float& cost) {
    const char32_t va = a.sounds.front().letter, vb = b.sounds.front().letter;
    if (va == vb) return true;
    const bool yo = (va == U'о' && b.unwrittenYo) || (vb == U'о' && a.unwrittenYo);
    cost += yo ? kCost.unwrittenYo : 0.0f;
    return yo;
}

} // namespace

RhymeMatch MatchEndings(const LineEnding& a, const LineEnding& b) {
    if (!a.hasWord || !b.hasWord || a.postTonic != b.postTonic) return {};
    float cost = 0;
    if (!StressedAlike(a, b, cost)) return {};
    Cut ca{a.sounds}, cb{b.sounds};
    for (int k = 0; k < a.postTonic; ++k) {
        cost += ClusterCost(ca.NextCluster(), cb.NextCluster());
        cost += VowelCost(ca.NextVowel(), cb.NextVowel());
    }
    const auto fa = ca.NextCluster(), fb = cb.NextCluster();
    const bool open = fa.empty() && fb.empty();
    if (a.postTonic > 0) {
        cost += kCost.tail * ClusterCost(fa, fb);
    } else if (open) {
        // меня / огня: an open masculine rhyme is heard on the consonant before its vowel.
        cost += SupportCost(a.support, b.support);
    } else if (fa.empty() || fb.empty()) {
        const auto& closed = fa.empty() ? fb : fa;
        cost += kCost.truncated + ClusterCost(closed.subspan(1), {}) +
                SupportCost(a.support, b.support);
    } else {
        cost += ClusterCost(fa, fb);
    }
    const bool exact = cost < 1e-4f;
    const bool supported = !open && a.support.letter != 0 && a.support == b.support;
    const float score = 1.0f - cost + (supported ? kCost.supportBonus : 0.0f);
    // Only an exact rhyme scores 1, however rich an inexact one is.
    return {exact ? 1.0f : std::clamp(score, 0.0f, kBestInexact), exact};
}

} // namespace kvat
