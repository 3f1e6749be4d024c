// UTF-8 at the program's edges: strict decoding gives back exactly the bytes it accepted, a
// rejection points at the first bad sequence, and any UTF-32 text encodes as UTF-8 that the
// decoder accepts.

#include "fuzz_support.h"

#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kvat;
    using namespace kvat::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    Utf8Error error;
    if (const auto text = DecodeUtf8(input, &error)) {
        Require(EncodeUtf8(*text) == input, "decoding and encoding again changes the bytes");
    } else {
        Require(error.offset < size, "a rejection past the end of the bytes");
        Require(DecodeUtf8(input.substr(0, error.offset)).has_value(),
                "the bytes before the reported fault do not decode");
    }

    // The same bytes as UTF-32 code units of any value.
    std::u32string units(size / 4, 0);
    for (std::size_t k = 0; k < units.size(); ++k)
        for (int b = 0; b < 4; ++b)
            units[k] = units[k] << 8 | bytes[4 * k + static_cast<std::size_t>(b)];
    const auto back = DecodeUtf8(EncodeUtf8(units));
    Require(back && back->size() == units.size(), "encoded text does not decode one for one");
    for (std::size_t k = 0; k < units.size(); ++k) {
        const char32_t c = units[k];
        const bool encodable = c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        Require((*back)[k] == (encodable ? c : 0xFFFD), "a character changed on its way through");
    }
    return 0;
}
