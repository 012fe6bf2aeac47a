#pragma once

#include <string_view>

#include "output/TextTyping.h"
#include "platform/KeyEvents.h"

namespace tavo {

// Types a text into the focused application, one key-down/key-up pair per Unicode scalar, then
// Return when asked. Keeps no state between calls; the platform object holds the display.
class KeystrokeTyper final : public TextTyping {
  public:
    explicit KeystrokeTyper(KeyEvents& keyEvents) : keyEvents_(keyEvents) {}

    // Synchronous: every event has been posted on return. Ill-formed UTF-8 is typed as U+FFFD.
    void type(std::string_view text, bool pressReturn) override;

  private:
    KeyEvents& keyEvents_;
};

}  // namespace tavo
