#pragma once
// Just enough JSON writing for what the program writes as JSON.

#include "text/utf8.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kvat {

inline std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

inline std::string JsonString(std::u32string_view text) {
    return JsonString(EncodeUtf8(text));
}

// The shortest decimal text that reads back as the same float: std::to_chars where the library
// has it for floats; elsewhere (emscripten's) the same text, found by printing the two forms it
// chooses between at rising precision.
inline std::string JsonNumber(float value) {
#if defined(__cpp_lib_to_chars)
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : "0";
#else
    std::string best;
    for (const char* form : {"%.*f", "%.*e"}) {
        constexpr int kMostDigits = 60; // the smallest float's in fixed form
        for (int precision = 0; precision <= kMostDigits; ++precision) {
            char text[128];
            const int length = std::snprintf(text, sizeof text, form, precision, double(value));
            if (length <= 0 || std::strtof(text, nullptr) != value) continue;
            if (best.empty() || std::size_t(length) < best.size())
                best.assign(text, std::size_t(length));
            break;
        }
    }
    return best.empty() ? "0" : best;
#endif
}

} // namespace kvat
