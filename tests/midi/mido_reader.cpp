#include "mido_reader.h"

#include "midi/file_writer.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

namespace kvat::test {

std::vector<MidoEvent> MidoReading::Of(const std::string& kind, int channel) const {
    std::vector<MidoEvent> found;
    for (const auto& e : events)
        if (e.kind == kind && (channel < 0 || e.channel == channel)) found.push_back(e);
    return found;
}

MidoReading ReadWithMido(const std::string& path) {
    MidoReading reading;
    const std::string command = std::string(KVAT_PYTHON) + " " + MIDO_CHECK + " '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return reading;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        reading.output.append(buffer, got);
    const int status = pclose(pipe);

    std::istringstream lines(reading.output);
    std::string header;
    std::getline(lines, header);
    MidoEvent e;
    while (lines >> e.tick >> e.kind >> e.channel >> e.first >> e.second)
        reading.events.push_back(e);
    reading.accepted = status == 0 && header == "header 0 1 96" && lines.eof();
    return reading;
}

MidoReading WriteAndReadWithMido(const std::string& name, std::span<const std::uint8_t> bytes) {
    const std::string path = TestFolder() + "/" + name;
    if (!WriteFileAtomically(path, bytes)) return {};
    return ReadWithMido(path);
}

std::vector<std::string> NotesLeftSounding(const MidoReading& reading) {
    std::map<std::pair<int, int>, int> sounding;
    for (const auto& e : reading.events)
        if (e.kind == "note_on" || e.kind == "note_off")
            sounding[{e.channel, e.first}] += e.kind == "note_on" ? 1 : -1;
    std::vector<std::string> left;
    for (const auto& [key, count] : sounding)
        if (count != 0)
            left.push_back(std::to_string(key.first) + ":" + std::to_string(key.second));
    return left;
}

std::string TestFolder() {
    static const std::string folder = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("kvat-midi-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

} // namespace kvat::test
