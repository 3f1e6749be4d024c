#include "cli/input.h"

#include "text/utf8.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace kvat::cli {
namespace {

std::optional<std::string> ReadBytes(const std::string& path, std::string& error) {
    const bool stdinput = path.empty() || path == "-";
    const std::string name = stdinput ? "standard input" : path;
    std::ostringstream bytes;
    if (stdinput) {
        bytes << std::cin.rdbuf();
        if (std::cin.bad()) {
            error = name + ": cannot be read";
            return std::nullopt;
        }
        return bytes.str();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = name + ": cannot be read (" + std::strerror(errno) + ")";
        return std::nullopt;
    }
    bytes << in.rdbuf();
    if (in.bad()) {
        error = name + ": cannot be read";
        return std::nullopt;
    }
    return bytes.str();
}

} // namespace

std::optional<Lines> ReadTextLines(const std::string& path, std::string& error) {
    const std::string name = path.empty() || path == "-" ? "standard input" : path;
    auto bytes = ReadBytes(path, error);
    if (!bytes) return std::nullopt;
    std::string_view view(*bytes);
    if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    Utf8Error bad;
    auto text = DecodeUtf8(view, &bad);
    if (!text) {
        error = name + ": not UTF-8 text (invalid byte sequence at byte " +
                std::to_string(bad.offset) + ")";
        return std::nullopt;
    }
    Lines lines = Split(std::u32string_view(*text), std::u32string_view(U"\n"));
    for (auto& line : lines)
        if (!line.empty() && line.back() == U'\r') line.pop_back();
    // A file's final line break only ends its last line.
    if (!text->empty() && text->back() == U'\n') lines.pop_back();
    // The verse is its lines joined by line breaks: a lone empty line is the empty text, which
    // has no lines at all.
    if (lines.size() == 1 && lines.front().empty()) lines.clear();
    return lines;
}

} // namespace kvat::cli
