// The verse report, for the patterns hand placement gives and for any ASCII pattern: the
// header and legend around one body line per pattern piece.

#include "fuzz_input.h"

#include "verse/colouring.h"
#include "verse/metre.h"
#include "verse/report.h"

namespace {

constexpr std::u32string_view kHead =
    U"Kvat-1.05: О стихотворении\r\n\r\nСтруктура стихотворения:\r\n\r\n";
constexpr std::u32string_view kLegend = U"где, 1 - ударная гласная, 0 - безударная гласная.";

void CheckReport(std::string_view pattern) {
    using namespace kvat;
    using namespace kvat::fuzz;
    const std::u32string report = VerseReport(pattern);
    Require(report.starts_with(kHead), "the report does not start with its header");
    Require(report.ends_with(kLegend), "the report does not end with its legend");
    const auto body = std::u32string_view(report).substr(
        kHead.size(), report.size() - kHead.size() - kLegend.size());
    std::u32string expected;
    for (const auto& piece : ManualLines(pattern)) {
        for (const char c : piece) expected.push_back(static_cast<unsigned char>(c));
        expected += U"\r\n";
    }
    Require(body == expected, "the report body is not the pattern's pieces, one per line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    FuzzedDataProvider data(bytes, size);
    std::string ascii = data.ConsumeRandomLengthString(256);
    for (char& c : ascii) c = static_cast<char>(c & 0x7F);
    CheckReport(ascii);

    // As the window makes it: the verse's paint read back as the hand-placed pattern.
    const std::string paintBytes = data.ConsumeRandomLengthString(256);
    const Lines lines = fuzz::VerseLines(data.ConsumeRemainingBytesAsString());
    VowelPaint paint;
    for (std::size_t i = 0; i < lines.size(); ++i)
        paint.push_back(paintBytes.substr(std::min(paintBytes.size(), i * 8), 8));
    CheckReport(ReadManualIctuses(lines, paint));
    return 0;
}
