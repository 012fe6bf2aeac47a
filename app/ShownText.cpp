#include "app/ShownText.h"

#include "output/Utf8Scalars.h"
#include "platform/wayland/Utf8.h"

namespace tavo {

namespace {

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c < 0xa0) || c == 0x2028 || c == 0x2029;
}

bool isBidiFormatting(char32_t c) {
    return c == 0x061c || c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::string shown(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t offset = 0;
    for (std::size_t count = 0; offset < text.size(); ++count) {
        if (count == limit) {
            return out + "\u2026";
        }
        const char32_t c = nextScalar(text, offset);
        appendUtf8(out, isControl(c) ? U' ' : isBidiFormatting(c) ? replacementCharacter : c);
    }
    return out;
}

}  // namespace

std::string shownText(std::string_view text) {
    return shown(text, std::string_view::npos);
}

std::string shownName(std::string_view name) {
    return shown(name, maximumNameLength);
}

std::string withoutMarkup(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '<':
                out += "\u2039";
                break;
            case '>':
                out += "\u203a";
                break;
            case '&':
                out += "\uff06";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace tavo
