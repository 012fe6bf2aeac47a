#pragma once

#include <string>

namespace tavo {

// Appends one Unicode scalar, which must be valid, as UTF-8.
inline void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Scalars that came out of UTF-16 decoding, so always valid.
inline std::string toUtf8(const std::u32string& characters) {
    std::string text;
    for (const char32_t c : characters) {
        appendUtf8(text, c);
    }
    return text;
}

}  // namespace tavo
