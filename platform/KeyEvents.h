#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/TypingInterrupt.h"

namespace tavo {

using VirtualKeyCode = std::uint16_t;
inline constexpr VirtualKeyCode characterKeyCode = 0;  // the event types its Unicode string
inline constexpr VirtualKeyCode returnKeyCode = 36;

class KeyEventSource {
  public:
    virtual ~KeyEventSource() = default;
};

class KeyEvent {
  public:
    virtual ~KeyEvent() = default;
};

// Synthetic keyboard events for the focused application. Released by destroying the handles.
class KeyEvents {
  public:
    virtual ~KeyEvents() = default;

    // Nothing when no source can be had.
    virtual std::unique_ptr<KeyEventSource> createSource() = 0;
    // Nothing when the event cannot be created.
    virtual std::unique_ptr<KeyEvent> createKeyboardEvent(KeyEventSource& source,
                                                          VirtualKeyCode key, bool keyDown) = 0;
    // The event types exactly these UTF-16 units in place of its key's own character.
    virtual void setUnicodeString(KeyEvent& event, std::span<const char16_t> units) = 0;
    virtual void post(KeyEvent& event) = 0;
    // Where a route that waits (pacing, a consent dialog) learns that typing was cut, so that it
    // delivers nothing more of the text in hand and ends its waits. Nothing, the default, never
    // cuts. The interrupt must outlive its use here.
    virtual void setInterrupt(const TypingInterrupt* interrupt) { static_cast<void>(interrupt); }
};

}  // namespace tavo
