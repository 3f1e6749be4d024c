#pragma once
// The development set the benchmarks measure on: a JSON list of poems whose string fields hold
// no escapes but \n, \", \\ and \uXXXX.

#include "text/utf8.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kvat::bench {

// The whole set, from `variable`'s path or the shared copy; nothing when there is none.
inline std::optional<std::string> ReadDevSet(const char* variable) {
    const char* env = std::getenv(variable);
    const std::string path = env ? env : "/work/shared/data/rifma-dev/rifma_dev.json";
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::stringstream json;
    json << in.rdbuf();
    return json.str();
}

// Every value of the field `name`, in order.
inline std::vector<std::u32string> DevField(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\"";
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

} // namespace kvat::bench
