#include "sound/sound_font.h"

#include <cstdlib>
#include <fstream>

namespace kvat {

bool IsSoundFontFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    if (!in.read(head, sizeof head)) return false;
    const std::string_view text(head, sizeof head);
    return text.substr(0, 4) == "RIFF" && text.substr(8, 4) == "sfbk";
}

std::optional<std::filesystem::path> FindSoundFont(std::string_view chosen,
                                                   std::span<const std::string_view> places) {
    if (!chosen.empty() && IsSoundFontFile(chosen)) return std::filesystem::path(chosen);
    for (const auto place : places)
        if (IsSoundFontFile(place)) return std::filesystem::path(place);
    return std::nullopt;
}

std::optional<std::filesystem::path> FindSoundFont() {
    const char* chosen = std::getenv("KVAT_SOUNDFONT");
    return FindSoundFont(chosen ? chosen : "", kSoundFontPlaces);
}

} // namespace kvat
