#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tavo::testing {

// A text and whether Return follows it.
using Text = std::pair<std::string, bool>;

// As a sink that names keys records them: control characters stay apart from the Return key.
inline std::string expectedOf(const std::vector<Text>& texts) {
    std::string expected;
    for (const auto& [text, pressReturn] : texts) {
        expected += text + (pressReturn ? "<Return>" : "");
    }
    return expected;
}

// Each code as a scan followed by Return.
inline std::vector<Text> scansOf(const std::vector<std::string>& codes) {
    std::vector<Text> scans;
    for (const std::string& code : codes) {
        scans.emplace_back(code, true);
    }
    return scans;
}

// How many times Return was pressed in what a sink recorded.
inline std::size_t returnsIn(const std::string& typed) {
    std::size_t returns = 0;
    for (auto at = typed.find("<Return>"); at != std::string::npos;
         at = typed.find("<Return>", at + 1)) {
        ++returns;
    }
    return returns;
}

}  // namespace tavo::testing
