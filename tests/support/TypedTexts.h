#pragma once

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

}  // namespace tavo::testing
