// The song method over any verse, any stresses, rhyme groups, metre state and settings: the
// key and range past their ends too. Whenever there is a song, it keeps every rule a song keeps.

#include "fuzz_support.h"

#include "melody/song_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const SongSettings settings{SettingValue(data, 0, 11),
                                static_cast<SongMode>(data.ConsumeIntegralInRange(0, 2)),
                                static_cast<SongRange>(data.ConsumeIntegralInRange(-1, 4))};
    MetreState metre{BuildMetreTemplates(), static_cast<Metre>(data.ConsumeIntegralInRange(-1, 6))};
    if (metre.metre == kManualMetre) {
        std::string& hand = metre.templates[kManualMetre];
        hand.clear();
        for (const char c : data.ConsumeRandomLengthString(512))
            hand += "01\r\n2"[static_cast<unsigned char>(c) % 5];
    }
    // Each line's stresses and rhyme group from a run of bytes of its own.
    const std::string marks = data.ConsumeRandomLengthString(1024);
    const Lines lines = VerseLines(data.ConsumeRemainingBytesAsString());
    std::vector<std::string> stress;
    std::vector<int> rhymes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string piece = marks.substr(std::min(8 * i, marks.size()), 8);
        stress.emplace_back();
        for (const char c : piece) stress.back() += "01x"[static_cast<unsigned char>(c) % 3];
        rhymes.push_back(piece.empty() ? -1 : static_cast<signed char>(piece[0]) % 4);
    }

    std::string why;
    const auto song = ComposeSong(lines, stress, metre, rhymes, settings, &why);
    const bool empty = lines.empty() || (lines.size() == 1 && lines.front().empty());
    const bool expected = !empty && metre.metre >= 0 && metre.metre <= kManualMetre &&
                          (metre.metre != kManualMetre ||
                           ManualLines(metre.templates[kManualMetre]).size() >= lines.size());
    Require(song.has_value() == expected, "a song where none can be, or none where one can");
    Require(song || !why.empty(), "no song and no reason");
    if (!song) return 0;
    const std::string fault = test::SongFault(lines, *song, settings);
    Require(fault.empty(), fault.c_str());
    return 0;
}
