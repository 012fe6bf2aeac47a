#pragma once

#include <string_view>

#include "output/TextTyping.h"
#include "platform/KeyEvents.h"

namespace tavo {

// Types a text into the focused application, one key-down/key-up pair per Unicode scalar, then
// Return when asked. Keeps no state between calls; the platform object holds the display.
class KeystrokeTyper final : public TextTyping {
  public:
    // With an interrupt, a text stops where the interrupt cuts it; the route learns of the
    // interrupt too, until this typer goes.
    explicit KeystrokeTyper(KeyEvents& keyEvents, const TypingInterrupt* interrupt = nullptr);
    ~KeystrokeTyper() override;
    KeystrokeTyper(const KeystrokeTyper&) = delete;
    KeystrokeTyper& operator=(const KeystrokeTyper&) = delete;

    // Synchronous: every event has been posted on return. Ill-formed UTF-8 is typed as U+FFFD.
    // A cut text ends at the start of a user-perceived character (never between a letter and
    // its combining accent, nor between a key-down and its key-up) and without its Return.
    void type(std::string_view text, bool pressReturn) override;

  private:
    bool isCut() const { return interrupt_ != nullptr && interrupt_->isCut(); }

    KeyEvents& keyEvents_;
    const TypingInterrupt* interrupt_;
};

}  // namespace tavo
