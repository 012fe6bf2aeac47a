#include "output/Utf8Scalars.h"

namespace tavo {

char32_t nextScalar(std::string_view text, std::size_t& offset) {
    const auto byteAt = [&](std::size_t index) {
        return static_cast<unsigned char>(text[index]);
    };
    const unsigned char lead = byteAt(offset++);
    if (lead < 0x80) {
        return lead;
    }
    // The well-formed sequences: the lead byte fixes the number of continuation bytes and the
    // range of the first one, which excludes overlong forms, surrogates and values past U+10FFFF.
    std::size_t continuations = 0;
    char32_t scalar = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        scalar = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        scalar = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        scalar = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return replacementCharacter;
    }
    for (; continuations > 0; --continuations) {
        if (offset == text.size() || byteAt(offset) < low || byteAt(offset) > high) {
            return replacementCharacter;
        }
        scalar = (scalar << 6) | (byteAt(offset++) & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return scalar;
}

}  // namespace tavo
