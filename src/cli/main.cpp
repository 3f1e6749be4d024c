// kvat: the command users type. It writes everything the core writes (the analysis, the
// syllables, the report, the melody, MIDI, the layout's JSON, MusicXML) without loading Qt or
// the synthesizer; for the window, the score's pictures and sound it runs the desktop program in
// its own place, with the same arguments and the same standard input and output.

#include "cli/command_line.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kDesktopProgram = "kvat-desktop";

// Beside kvat in the build tree; in the program's own libexec folder once installed.
fs::path DesktopProgram() {
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path installed = folder / KVAT_DESKTOP_FOLDER / kDesktopProgram;
    const fs::path beside = folder / kDesktopProgram;
    return fs::exists(beside, error) ? beside : installed;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const int status = kvat::cli::RunCommandLine(argc, argv, nullptr);
    if (status != kvat::cli::kDesktopNeeded) return status;
    const fs::path program = DesktopProgram();
    execv(program.c_str(), argv);
    std::cerr << "kvat: " << program.string()
              << ": the window, pictures and sound need this program, which cannot be run ("
              << std::strerror(errno) << ")\n";
    return 1;
}
