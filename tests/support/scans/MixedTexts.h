#pragma once

#include <string>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "tests/support/TypedTexts.h"

namespace tavo::testing {

// What every route must type exactly: layout letters, digits and punctuation, characters that
// most layouts lack, an emoji, a combining accent, control characters that must not act as
// keys, and `cjkCount` distinct CJK characters (more than one keymap holds, when many).
inline std::vector<Text> mixedTexts(int cjkCount) {
    std::string cjk;
    for (char32_t c = 0x4E00; c < 0x4E00 + static_cast<char32_t>(cjkCount); ++c) {
        cjk += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    }
    return {{"4006381333931", true},
            {"Gr\u00fc\u00dfe \u20ac", true},
            {"\U0001F600e\u0301", false},
            {cjk, true},
            {"ABC-123 abc/xyz \u043f\u0440\u0438\u0432\u0435\u0442", true},
            {"\u00fc\u20ac4006381333931", true},
            {"a\tb\nc", true}};
}

// Types the texts one after another, as the typing thread does.
inline void typeAll(KeyEvents& keyEvents, const std::vector<Text>& texts) {
    KeystrokeTyper typer(keyEvents);
    for (const auto& [text, pressReturn] : texts) {
        typer.type(text, pressReturn);
    }
}

}  // namespace tavo::testing
