#include "platform/wayland/BufferedKeyEvents.h"

#include <string>

#include "kit/CharacterStarts.h"
#include "platform/Log.h"

namespace tavo {
namespace {

struct BufferedKeyEvent final : KeyEvent {
    BufferedKeyEvent(VirtualKeyCode key, bool keyDown) : key(key), keyDown(keyDown) {}

    VirtualKeyCode key;
    bool keyDown;
    std::u16string units;
};

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// For each key: whether it is the press that begins a character as the user sees it (a letter,
// not the combining accent or the second half of a flag that follows it). A release never does.
std::vector<bool> pressesStartingCharacters(std::span<const TextKey> keys) {
    std::vector<bool> starts(keys.size(), false);
    CharacterStarts characterStarts;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!keys[i].down) {
            continue;
        }
        if (keys[i].isReturn) {
            starts[i] = true;
            characterStarts.restart();
        } else {
            starts[i] = characterStarts.next(keys[i].character);
        }
    }
    return starts;
}

}  // namespace

std::vector<std::span<const TextKey>> piecesOf(std::span<const TextKey> keys, std::size_t most) {
    const std::vector<bool> startsCharacter = pressesStartingCharacters(keys);
    std::vector<std::span<const TextKey>> pieces;
    std::size_t start = 0;
    std::size_t held = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].down) {
            ++held;
        } else if (held > 0) {
            --held;
        }
        const bool last = i + 1 == keys.size();
        const std::size_t size = i + 1 - start;
        // A cut may be the end of what is typed, so it falls between characters; only a
        // "character" of more keys than a piece, which no language has, is cut inside.
        const bool betweenCharacters = last || !keys[i + 1].down || startsCharacter[i + 1];
        if ((held == 0 && ((betweenCharacters && size >= most) || size >= 2 * most)) || last) {
            pieces.push_back(keys.subspan(start, size));
            start = i + 1;
        }
    }
    return pieces;
}

class BufferedKeyEvents::Source final : public KeyEventSource {
  public:
    explicit Source(BufferedKeyEvents& owner) : owner_(owner) {}
    ~Source() override { owner_.finishText(); }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

  private:
    BufferedKeyEvents& owner_;
};

BufferedKeyEvents::BufferedKeyEvents(double keyEventsPerSecond)
    : pacer_(keyEventsPerSecond, keyEventBurst, steadyPacerClock()) {}

std::unique_ptr<KeyEventSource> BufferedKeyEvents::createSource() {
    if (!isAvailable()) {
        return nullptr;
    }
    text_.clear();
    undecodable_ = 0;
    return std::make_unique<Source>(*this);
}

std::unique_ptr<KeyEvent> BufferedKeyEvents::createKeyboardEvent(KeyEventSource&,
                                                                 VirtualKeyCode key, bool keyDown) {
    return std::make_unique<BufferedKeyEvent>(key, keyDown);
}

void BufferedKeyEvents::setUnicodeString(KeyEvent& event, std::span<const char16_t> units) {
    static_cast<BufferedKeyEvent&>(event).units.assign(units.begin(), units.end());
}

// Without a Unicode string only Return means something. A string of several scalars is typed
// whole: each but the last is pressed and released, the last follows the event's own state. A
// lone surrogate names no character and is skipped.
void BufferedKeyEvents::post(KeyEvent& keyEvent) {
    const auto& event = static_cast<const BufferedKeyEvent&>(keyEvent);
    if (event.units.empty()) {
        if (event.key == returnKeyCode) {
            text_.push_back({.isReturn = true, .down = event.keyDown});
        }
        return;
    }
    std::vector<char32_t> scalars;
    for (std::size_t i = 0; i < event.units.size(); ++i) {
        const char16_t unit = event.units[i];
        if (isHighSurrogate(unit) && i + 1 < event.units.size() &&
            isLowSurrogate(event.units[i + 1])) {
            scalars.push_back(0x10000 + ((unit - 0xD800) << 10) + (event.units[i + 1] - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            // Counted once, on the key-down.
            undecodable_ += event.keyDown ? 1 : 0;
        } else {
            scalars.push_back(unit);
        }
    }
    for (std::size_t i = 0; i < scalars.size(); ++i) {
        if (i + 1 < scalars.size()) {
            if (event.keyDown) {
                text_.push_back({.character = scalars[i], .down = true});
                text_.push_back({.character = scalars[i], .down = false});
            }
        } else {
            text_.push_back({.character = scalars[i], .down = event.keyDown});
        }
    }
}

void BufferedKeyEvents::setInterrupt(const TypingInterrupt* interrupt) {
    interrupt_ = interrupt;
}

// Pieces end where no key is held, so a cut text leaves nothing pressed.
void BufferedKeyEvents::finishText() {
    std::size_t skipped = undecodable_;
    for (const std::span<const TextKey> piece : piecesOf(text_, pacer_.burst())) {
        if (isCut() || !pacer_.await(piece.size(), interrupt_)) {
            break;
        }
        skipped += deliver(piece);
    }
    text_.clear();
    if (skipped > 0) {
        log::warning("skipped ", skipped, " character(s) that cannot be typed correctly here");
    }
}

}  // namespace tavo
