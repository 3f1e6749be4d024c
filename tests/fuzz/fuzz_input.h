#pragma once
// Turning a fuzzer's bytes into the values the core takes, and the one way a target reports a
// broken promise: a message and abort(), which libFuzzer records as a crash with its input.

#include "text/strings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kvat::fuzz {

[[noreturn]] void Broken(const char* what);

inline void Require(bool holds, const char* what) {
    if (!holds) Broken(what);
}

// UTF-8 read leniently, so that mutated verse stays mostly verse: any well-formed lead and
// continuation bytes give their code point (surrogates and values past U+10FFFF included, which
// the core must survive too); a byte that fits no sequence is taken as the character of its own
// value.
std::u32string LenientText(std::string_view bytes);

// The verse lines of a text split at LF, as the command line reads a file (a CR stays in its
// line, as any other character does).
Lines VerseLines(std::string_view bytes);

// An int anywhere in its range, but most often near the interesting stretch [low, high]:
// fuzzed settings must reach the far ends as well as every value a control can hold.
int SettingValue(FuzzedDataProvider& data, int low, int high);

} // namespace kvat::fuzz
