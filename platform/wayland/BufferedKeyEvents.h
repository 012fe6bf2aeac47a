#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "platform/KeyEvents.h"
#include "platform/wayland/KeyEventPacer.h"

namespace tavo {

// One key of a text: a character, or the Return key itself.
struct TextKey {
    char32_t character = 0;  // unused for Return
    bool isReturn = false;
    bool down = true;

    bool operator==(const TextKey&) const = default;
};

// The keys in pieces of about `most` keys each, cut only where no key is held down and never
// inside a character as the user sees it (a letter and its combining accent).
std::vector<std::span<const TextKey>> piecesOf(std::span<const TextKey> keys, std::size_t most);

// Key events gathered per source and handed over whole when the source is destroyed, so that a
// route can prepare for all characters of a text (a keymap, a clipboard) before it types. Texts
// go no faster than the route's ceiling; a long one in pieces.
class BufferedKeyEvents : public KeyEvents {
  public:
    explicit BufferedKeyEvents(double keyEventsPerSecond = protocolKeyEventsPerSecond);

    std::unique_ptr<KeyEventSource> createSource() override;
    std::unique_ptr<KeyEvent> createKeyboardEvent(KeyEventSource& source, VirtualKeyCode key,
                                                  bool keyDown) override;
    void setUnicodeString(KeyEvent& event, std::span<const char16_t> units) override;
    // Only events created by this object may be posted.
    void post(KeyEvent& event) override;
    // A cut text delivers nothing more, at the next piece.
    void setInterrupt(const TypingInterrupt* interrupt) override;

  protected:
    // Where a route's own waits learn that the text in hand was cut; may be null.
    const TypingInterrupt* interrupt() const { return interrupt_; }
    bool isCut() const { return interrupt_ != nullptr && interrupt_->isCut(); }

    // False refuses every source, e.g. after the compositor went away.
    virtual bool isAvailable() const = 0;
    // Types the keys of one text and waits for the compositor to have taken them. Returns how
    // many characters it had to skip because it cannot type them correctly.
    virtual std::size_t deliver(std::span<const TextKey> keys) = 0;

  private:
    class Source;
    void finishText();

    std::vector<TextKey> text_;
    std::size_t undecodable_ = 0;
    KeyEventPacer pacer_;
    const TypingInterrupt* interrupt_ = nullptr;
};

}  // namespace tavo
