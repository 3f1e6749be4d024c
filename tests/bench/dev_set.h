#pragma once
// The development set's poems, read from its JSON list without a JSON library: the only escapes
// its strings hold are \n, \", \\ and \uXXXX.

#include "text/utf8.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kvat::bench {

inline constexpr char kDevSet[] = "/work/shared/data/rifma-dev/rifma_dev.json";

// Every string value of `field` in the set, in order.
inline std::vector<std::u32string> DevStrings(const std::string& json, const std::string& field) {
    const std::string key = "\"" + field + "\"";
    std::vector<std::u32string> values;
    for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
        std::string text;
        for (at = json.find('"', at + key.size()) + 1; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] != '\\')
                text.push_back(json[at]);
            else if (json[++at] == 'n')
                text.push_back('\n');
            else if (json[at] == 'u') {
                text +=
                    EncodeUtf8(std::u32string(1, std::stoi(json.substr(at + 1, 4), nullptr, 16)));
                at += 4;
            } else
                text.push_back(json[at]);
        }
        values.push_back(DecodeUtf8(text).value_or(U""));
    }
    return values;
}

// The set at the path the environment variable names, or at its usual place.
inline std::optional<std::string> ReadDevSet(const char* variable) {
    const char* env = std::getenv(variable);
    std::ifstream in(env ? env : kDevSet);
    if (!in) return std::nullopt;
    std::stringstream json;
    json << in.rdbuf();
    return json.str();
}

} // namespace kvat::bench
