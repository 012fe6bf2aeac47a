#include "output/KeystrokeTyper.h"

#include <array>
#include <cstddef>

#include "kit/CharacterStarts.h"
#include "output/Utf8Scalars.h"

namespace tavo {

namespace {

// The scalar's UTF-16 units: one, or a surrogate pair with the high surrogate first.
std::span<const char16_t> utf16Units(char32_t scalar, std::array<char16_t, 2>& units) {
    if (scalar <= 0xFFFF) {
        units[0] = static_cast<char16_t>(scalar);
        return std::span(units).first(1);
    }
    const char32_t offset = scalar - 0x10000;
    units[0] = static_cast<char16_t>(0xD800 + (offset >> 10));
    units[1] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    return std::span(units);
}

}  // namespace

KeystrokeTyper::KeystrokeTyper(KeyEvents& keyEvents, const TypingInterrupt* interrupt)
    : keyEvents_(keyEvents), interrupt_(interrupt) {
    keyEvents_.setInterrupt(interrupt_);
}

KeystrokeTyper::~KeystrokeTyper() {
    if (interrupt_ != nullptr) {
        keyEvents_.setInterrupt(nullptr);
    }
}

void KeystrokeTyper::type(std::string_view text, bool pressReturn) {
    const auto source = keyEvents_.createSource();
    if (!source) {
        return;
    }
    CharacterStarts characterStarts;
    for (std::size_t offset = 0; offset < text.size();) {
        const char32_t scalar = nextScalar(text, offset);
        if (characterStarts.next(scalar) && isCut()) {
            return;
        }
        std::array<char16_t, 2> buffer{};
        const auto units = utf16Units(scalar, buffer);
        // A scalar whose events cannot both be created is skipped entirely.
        const auto keyDown = keyEvents_.createKeyboardEvent(*source, characterKeyCode, true);
        if (!keyDown) {
            continue;
        }
        const auto keyUp = keyEvents_.createKeyboardEvent(*source, characterKeyCode, false);
        if (!keyUp) {
            continue;
        }
        keyEvents_.setUnicodeString(*keyDown, units);
        keyEvents_.setUnicodeString(*keyUp, units);
        keyEvents_.post(*keyDown);
        keyEvents_.post(*keyUp);
    }
    if (pressReturn && !isCut()) {
        // The key-up goes out even without its key-down, so that Return is never left pressed.
        if (const auto keyDown = keyEvents_.createKeyboardEvent(*source, returnKeyCode, true)) {
            keyEvents_.post(*keyDown);
        }
        if (const auto keyUp = keyEvents_.createKeyboardEvent(*source, returnKeyCode, false)) {
            keyEvents_.post(*keyUp);
        }
    }
}

}  // namespace tavo
