#pragma once
// How a line ends to the ear: its sounds from the last stressed vowel on, as rhymes are heard.

#include <cstddef>
#include <string_view>
#include <vector>

namespace kvat {

// One sound. A consonant is named by its letter (й for the glide, with ь and the iotated vowels
// giving it too); a vowel by a letter of its class: stressed а о у э и (я, ё, ю, е and ы sound as
// these), unstressed а (also е, я at a word's end), и (е, я, ы elsewhere), у.
struct Sound {
    char32_t letter = 0;
    bool soft = false;
    bool vowel = false;
    bool operator==(const Sound&) const = default;
};

struct LineEnding {
    bool hasWord = false;      // false: the line has no vowel letter, and nothing below is set
    std::vector<Sound> sounds; // from the stressed vowel to the end of the line
    Sound support;             // the consonant before the stressed vowel; letter 0 for none
    int postTonic = 0;         // vowels after the stressed one: 0 masculine, 1 feminine …
    bool unwrittenYo = false;  // the stressed vowel is written е: it may be said ё
    std::size_t begin = 0;     // the stressed vowel's character in the line
    std::size_t end = 0;       // one past the line's last letter
};

// `stress` is the line's stress string (one '0'/'1' per vowel letter and per typed 1, 0, 7): the
// last vowel it stresses starts the ending; a line it stresses nowhere ends on its last vowel.
LineEnding EndingOfLine(std::u32string_view line, std::string_view stress);

} // namespace kvat
