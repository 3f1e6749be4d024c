#pragma once
// What every subcommand starts from: the verse and the --ictus file read, analysed and coloured
// as the options choose (piece/verse_setup.h).

#include "cli/options.h"
#include "piece/verse_setup.h"

#include <optional>
#include <string>

namespace kvat::cli {

// The locale's decimal separator, as the metre list and the settings labels show numbers. It
// sets the process's locale for a moment: read it before any worker starts.
char32_t DecimalSeparator();

// Reads the verse and the --ictus file. On failure sets `error` to one line and returns nothing
// (the caller exits with status 2).
std::optional<VerseSetup> LoadVerse(const Options& options, char32_t decimalSeparator,
                                    std::string& error);

} // namespace kvat::cli
