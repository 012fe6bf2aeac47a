#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace tavo {

// The keysym that types a character; control characters get their Unicode keysym, since the
// keysyms of Return, Tab or Delete would make applications act on a key instead.
std::uint32_t keysymFor(char32_t character);

// Evdev key codes: the key, and the modifier keys held around it.
struct KeyStroke {
    std::uint32_t key = 0;
    std::vector<std::uint32_t> modifiers;
};

// The compositor's keymap, asked which keys type a keysym. A client without keyboard focus
// never learns the current layout group, so a keysym counts as on the layout only where the
// same keys type it in every group.
class LayoutKeys {
  public:
    // Nothing when the text does not compile.
    static std::unique_ptr<LayoutKeys> fromText(std::string_view keymap);
    ~LayoutKeys();
    LayoutKeys(const LayoutKeys&) = delete;
    LayoutKeys& operator=(const LayoutKeys&) = delete;

    std::optional<KeyStroke> strokeFor(std::uint32_t keysym) const;

  private:
    // The keyboard state of every layout group while some modifier keys are held.
    struct Chord {
        std::vector<std::uint32_t> modifiers;  // xkb key codes
        std::vector<xkb_state*> groups;
    };

    LayoutKeys(xkb_context* context, xkb_keymap* keymap);
    std::optional<KeyStroke> search(std::uint32_t keysym) const;

    xkb_context* context_;
    xkb_keymap* keymap_;
    std::vector<Chord> chords_;
    mutable std::map<std::uint32_t, std::optional<KeyStroke>> found_;
};

// Ctrl+V. Applications match it by the key's keysym in the current group, or else in the
// first: the key that types v in every group, or else the key where v usually is.
KeyStroke pasteShortcut(const LayoutKeys* layout);

}  // namespace tavo
