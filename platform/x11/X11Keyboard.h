#pragma once

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/TypingInterrupt.h"

namespace tavo {

// The XTest connection to one display and what we know of its keymap: which key types a
// character in the current layout group, and which spare keycodes we have lent to characters
// the layout lacks. Xlib types stay behind this header.
class X11Keyboard {
  public:
    using Clock = std::chrono::steady_clock;

    // A client reads the keymap when it handles an event, which can be well after we sent it;
    // a keycode is therefore not rebound until this long after its last use.
    static constexpr Clock::duration rebindGrace = std::chrono::milliseconds(250);

    // Nothing when the display cannot be opened or lacks XTest or XKB.
    static std::unique_ptr<X11Keyboard> open(const std::string& displayName);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // Texts may nest; the outermost pair releases Caps Lock and restores it, and reports the
    // characters that could not be typed.
    void beginText();
    void endText();

    // One scalar of the text, or the Return key when `scalar` is returnScalar. A scalar without
    // a key, or whose binding the server refuses, is skipped.
    static constexpr char32_t returnScalar = 0xFFFFFFFF;
    void press(char32_t scalar);
    void release(char32_t scalar);
    // Ends the wait for a spare keycode's grace period when typing is cut; may be null.
    void setInterrupt(const TypingInterrupt* interrupt) { interrupt_ = interrupt; }

  private:
    struct Stroke {
        KeyCode code = 0;
        bool shifted = false;
    };
    struct Spare {
        KeyCode code = 0;
        KeySym bound = NoSymbol;
    };
    struct LayoutIndex {
        unsigned long generation = 0;
        unsigned int mods = 0;
        int group = -1;
        bool valid = false;
        std::unordered_map<char32_t, Stroke> strokes;
        KeyCode returnCode = 0;
    };

    X11Keyboard(Display* display, int xkbEventBase, unsigned int deviceId);

    void readKeymap();
    void takeEvents();
    void indexLayout();
    std::optional<Stroke> strokeFor(char32_t scalar);
    std::optional<KeyCode> bind(KeySym keysym);
    std::optional<KeyCode> reusableSpare(Clock::time_point now) const;
    Spare* spareAt(int code);
    bool isPressed(KeyCode code) const;
    void send(KeyCode code, bool down);

    Display* display_;
    int xkbEventBase_;
    unsigned int deviceId_;
    XkbDescPtr keymap_ = nullptr;
    unsigned long keymapGeneration_ = 0;
    bool keymapStale_ = false;
    KeyCode shiftCode_ = 0;
    std::vector<Spare> spares_;
    std::array<Clock::time_point, 256> lastUse_{};
    LayoutIndex index_;
    int openTexts_ = 0;
    bool capsReleased_ = false;
    int skipped_ = 0;
    unsigned int mods_ = 0;
    int group_ = 0;
    std::map<char32_t, Stroke> pressed_;
    const TypingInterrupt* interrupt_ = nullptr;
};

}  // namespace tavo
