#pragma once
// kvat(1), the manual page, in the man macros of roff. Its options are the rows --help prints,
// so the two cannot disagree; the rest (the commands, exit status, environment, files and
// examples) is written here once.

#include "cli/options.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvat::cli {

std::string ManualPage(std::string_view version, const std::vector<OptionHelpLine>& options);

} // namespace kvat::cli
