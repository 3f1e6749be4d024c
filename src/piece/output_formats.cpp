#include "piece/output_formats.h"

namespace kvat {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

std::optional<OutputFormat> FormatOfExtension(std::string_view extension,
                                              std::string_view command) {
    for (const auto& row : kOutputFormats)
        if (SameIgnoringCase(row.extension, extension) &&
            (command.empty() || row.command == command))
            return row.format;
    return std::nullopt;
}

std::optional<OutputFormat> FormatOfPath(std::string_view path, std::string_view command) {
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    return FormatOfExtension(path.substr(dot + 1), command);
}

std::optional<OutputFormat> BatchFormat(std::string_view command, std::string_view extension) {
    for (const auto& row : kOutputFormats)
        if (row.command == command &&
            (extension.empty() ? row.batchDefault : row.extension == extension))
            return row.format;
    return std::nullopt;
}

std::vector<OutputFormat> FormatsOf(std::string_view command) {
    std::vector<OutputFormat> formats;
    for (const auto& row : kOutputFormats)
        if (row.command == command) formats.push_back(row.format);
    return formats;
}

std::string Listed(const std::vector<std::string>& texts, std::string_view conjunction) {
    std::string listed;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) listed += i + 1 == texts.size() ? " " + std::string(conjunction) + " " : ", ";
        listed += texts[i];
    }
    return listed;
}

std::vector<std::string> WritingCommands() {
    std::vector<std::string> commands;
    for (const auto& row : kOutputFormats)
        if (commands.empty() || commands.back() != row.command) commands.emplace_back(row.command);
    return commands;
}

} // namespace kvat
