#pragma once
// The development set as the benchmarks read it: the string values of one key of every entry,
// in order. The set's strings hold no escapes but \n, \", \\ and \uXXXX.

#include "text/utf8.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kvat::bench {

inline std::vector<std::u32string> DevStrings(const std::string& json, const std::string& name) {
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

// The set KVAT_STRESS_DEV names, or the shared one; empty, with a note printed, when absent.
inline std::string DevSetJson() {
    const char* env = std::getenv("KVAT_STRESS_DEV");
    const std::string path = env ? env : "/work/shared/data/rifma-dev/rifma_dev.json";
    std::ifstream in(path);
    if (!in) {
        std::printf("no development set at %s: its figures are skipped\n", path.c_str());
        return {};
    }
    std::stringstream json;
    json << in.rdbuf();
    return json.str();
}

} // namespace kvat::bench
