// Every melody method, the one the input picks, over any verse, any metre state and any settings:
// the scroll values over their whole ranges and past them, note maps with unselected entries, the
// five metres and the hand-placed pattern, read back from fuzzed paint or given outright.

#include "fuzz_support.h"

#include "melody/melody.h"
#include "verse/colouring.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    FuzzedDataProvider data(bytes, size);
    const Method method = static_cast<Method>(data.ConsumeIntegralInRange(0, kMethodCount - 1));
    MelodySettings settings{.method = method,
                            .lengthen = data.ConsumeBool(),
                            .keyShift = SettingValue(data, -7, 7),
                            .softVowelShift = SettingValue(data, 0, 11),
                            .centreShift = SettingValue(data, -32768, 32767)};
    for (int& item : settings.noteMap) item = SettingValue(data, -1, 23);
    MetreState metre{BuildMetreTemplates(), static_cast<Metre>(data.ConsumeIntegralInRange(-1, 6))};
    const bool byHand = metre.metre == kManualMetre;
    const std::string patternBytes = byHand ? data.ConsumeRandomLengthString(1024) : "";
    const Lines lines = VerseLines(data.ConsumeRemainingBytesAsString());
    if (byHand) {
        FuzzedDataProvider pattern(reinterpret_cast<const std::uint8_t*>(patternBytes.data()),
                                   patternBytes.size());
        // Read back from paint, as the window makes it, or any text of marks and line breaks,
        // as a damaged or hand-written pattern might be.
        const std::string marks = pattern.ConsumeRandomLengthString(512);
        std::string& hand = metre.templates[kManualMetre];
        if (pattern.ConsumeBool()) {
            VowelPaint paint;
            for (std::size_t i = 0; i < lines.size(); ++i)
                paint.push_back(marks.substr(std::min(6 * i, marks.size()), 6));
            hand = ReadManualIctuses(lines, paint);
        } else {
            hand.clear();
            for (const char c : marks) hand += "01\r\n2"[static_cast<unsigned char>(c) % 5];
        }
    }

    std::string why;
    const auto melody = GenerateMelody(lines, metre, settings, &why);
    const bool empty = lines.empty() || (lines.size() == 1 && lines.front().empty());
    const bool expected =
        !empty && metre.metre >= 0 && metre.metre <= kManualMetre &&
        (!byHand || ManualLines(metre.templates[kManualMetre]).size() >= lines.size());
    Require(melody.has_value() == expected, "a melody where none can be, or none where one can");
    Require(melody || !why.empty(), "no melody and no reason");
    if (!melody) return 0;
    RequireMelody(lines, melody->text);
    const bool centred = FamilyOf(method) == MethodFamily::kCentre;
    Require(melody->centreRange == (centred ? std::optional(CentreRange(lines)) : std::nullopt),
            "a centre range from the wrong method, or the wrong one");
    return 0;
}
