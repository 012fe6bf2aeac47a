#pragma once

#include <memory>
#include <string>

#include "platform/KeyEvents.h"

namespace tavo {

class X11Keyboard;

// Key events for an X display, sent through XTest. Characters the current layout cannot type
// safely are lent a spare keycode; the bindings stay cached between texts and are removed again
// when this object goes. A source marks one text: Caps Lock is released while it lives.
class X11KeyEvents final : public KeyEvents {
  public:
    // An empty name means $DISPLAY. Without a usable display every source is refused.
    explicit X11KeyEvents(const std::string& displayName = {});
    ~X11KeyEvents() override;

    bool isConnected() const { return keyboard_ != nullptr; }

    std::unique_ptr<KeyEventSource> createSource() override;
    std::unique_ptr<KeyEvent> createKeyboardEvent(KeyEventSource& source, VirtualKeyCode key,
                                                  bool keyDown) override;
    void setUnicodeString(KeyEvent& event, std::span<const char16_t> units) override;
    // Only events created by this object may be posted.
    void post(KeyEvent& event) override;
    // Ends the wait for a spare keycode when typing is cut.
    void setInterrupt(const TypingInterrupt* interrupt) override;

  private:
    std::unique_ptr<X11Keyboard> keyboard_;
};

}  // namespace tavo
