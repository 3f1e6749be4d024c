// The verse report, for any ASCII pattern (the patterns hand placement gives among them): the
// header and legend around one body line per pattern piece.

#include "fuzz_support.h"

#include "verse/metre.h"
#include "verse/report.h"

namespace {

void CheckReport(std::string_view pattern) {
    using namespace kvat;
    std::u32string expected = U"Kvat-1.05: О стихотворении\r\n\r\nСтруктура стихотворения:\r\n\r\n";
    for (const auto& piece : ManualLines(pattern))
        (expected += std::u32string(piece.begin(), piece.end())) += U"\r\n";
    expected += U"где, 1 - ударная гласная, 0 - безударная гласная.";
    fuzz::Require(VerseReport(pattern) == expected,
                  "the report is not its header, the pattern's pieces one a line, and its legend");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    FuzzedDataProvider data(bytes, size);
    std::string ascii = data.ConsumeRandomLengthString(256);
    for (char& c : ascii) c = static_cast<char>(c & 0x7F);
    CheckReport(ascii);
    return 0;
}
