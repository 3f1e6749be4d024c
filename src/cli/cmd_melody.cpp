// kvat melody: the melody's tokens, one per line.

#include "cli/commands.h"
#include "cli/melody_options.h"
#include "cli/output.h"
#include "cli/verse_context.h"
#include "melody/melody.h"

#include <iostream>

namespace kvat::cli {

int RunMelody(const Options& options) {
    std::string error;
    const auto verse = LoadVerse(options, error);
    if (!verse) {
        PrintError(error);
        return 2;
    }
    std::string why;
    const auto melody =
        GenerateMelody(verse->lines, verse->metre, MelodySettingsFromOptions(options), &why);
    if (!melody) {
        const std::string name =
            options.file.empty() || options.file == "-" ? "standard input" : options.file;
        PrintError(name + ": no melody: " + why);
        return 1;
    }
    std::string out;
    out.reserve(melody->text.size());
    for (const std::string& token : MelodyTokens(melody->text)) (out += token) += '\n';
    std::cout << out;
    return 0;
}

} // namespace kvat::cli
