// kvat_manual OUT: writes kvat(1) for the build to install. Run by the build, not installed.

#include "cli/manual/manual_page.h"
#include "kvat_version.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kvat_manual OUT\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << kvat::cli::ManualPage(kvat::kVersion, kvat::cli::OptionsHelpLines());
    out.close();
    if (out) return 0;
    std::cerr << "kvat_manual: " << argv[1] << ": cannot write the manual page\n";
    return 1;
}
