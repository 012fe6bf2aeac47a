#include "platform/x11/X11KeyEvents.h"

#include <string>
#include <vector>

#include "platform/Log.h"
#include "platform/x11/X11Keyboard.h"

namespace tavo {
namespace {

// A source spans one text: while it lives, Caps Lock is released.
class X11KeySource final : public KeyEventSource {
  public:
    explicit X11KeySource(X11Keyboard& keyboard) : keyboard_(keyboard) { keyboard_.beginText(); }
    ~X11KeySource() override { keyboard_.endText(); }
    X11KeySource(const X11KeySource&) = delete;
    X11KeySource& operator=(const X11KeySource&) = delete;

  private:
    X11Keyboard& keyboard_;
};

struct X11KeyEvent final : KeyEvent {
    X11KeyEvent(VirtualKeyCode key, bool keyDown) : key(key), keyDown(keyDown) {}

    VirtualKeyCode key;
    bool keyDown;
    std::u16string units;
};

std::vector<char32_t> scalarsOf(const std::u16string& units) {
    std::vector<char32_t> scalars;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            scalars.push_back(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            scalars.push_back(0xFFFD);
        } else {
            scalars.push_back(unit);
        }
    }
    return scalars;
}

}  // namespace

X11KeyEvents::X11KeyEvents(const std::string& displayName)
    : keyboard_(X11Keyboard::open(displayName)) {}

X11KeyEvents::~X11KeyEvents() = default;

void X11KeyEvents::setInterrupt(const TypingInterrupt* interrupt) {
    if (keyboard_) {
        keyboard_->setInterrupt(interrupt);
    }
}

std::unique_ptr<KeyEventSource> X11KeyEvents::createSource() {
    if (!keyboard_) {
        log::warning("typing: no X display with XTest; the scan is not typed");
        return nullptr;
    }
    return std::make_unique<X11KeySource>(*keyboard_);
}

std::unique_ptr<KeyEvent> X11KeyEvents::createKeyboardEvent(KeyEventSource&, VirtualKeyCode key,
                                                            bool keyDown) {
    return std::make_unique<X11KeyEvent>(key, keyDown);
}

void X11KeyEvents::setUnicodeString(KeyEvent& event, std::span<const char16_t> units) {
    static_cast<X11KeyEvent&>(event).units.assign(units.begin(), units.end());
}

// The Unicode string decides what is typed; without one only Return has a meaning here. A
// string of several scalars is typed whole: all but its last are released at once.
void X11KeyEvents::post(KeyEvent& keyEvent) {
    if (!keyboard_) {
        return;
    }
    const auto& event = static_cast<const X11KeyEvent&>(keyEvent);
    std::vector<char32_t> scalars = scalarsOf(event.units);
    if (scalars.empty() && event.key == returnKeyCode) {
        scalars.push_back(X11Keyboard::returnScalar);
    }
    if (scalars.empty()) {
        return;
    }
    keyboard_->beginText();
    if (event.keyDown) {
        for (std::size_t i = 0; i < scalars.size(); ++i) {
            keyboard_->press(scalars[i]);
            if (i + 1 < scalars.size()) {
                keyboard_->release(scalars[i]);
            }
        }
    } else {
        keyboard_->release(scalars.back());
    }
    keyboard_->endText();
}

}  // namespace tavo
