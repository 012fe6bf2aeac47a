#pragma once

#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/wayland/BufferedKeyEvents.h"

struct zwp_virtual_keyboard_v1;
struct wl_seat;

namespace tavo {

class WaylandClient;

// The keymap text of a keyboard whose keys carry exactly these keysyms, one key each, on a single
// level (no modifier changes them), from keycode 9 on, as xkbcommon writes it; nothing when
// xkbcommon refuses it. The context needs the system's keymap files.
std::optional<std::string> keymapHolding(xkb_context& context,
                                         std::span<const xkb_keysym_t> keysyms);

// The keys of our keymaps: keycodes 9 to 255, the ones X clients under Xwayland can see.
inline constexpr std::size_t virtualKeyboardKeys = 247;

// Programs under Xwayland read the keymap when they handle a key, not when it was sent: a key
// must keep its keysym for a while after it was pressed, or a late reader types the new one.
inline constexpr std::chrono::milliseconds keyRebindGrace{250};

// The keysym of each key from keycode 9 on, and when each key was last pressed.
struct VirtualKeymap {
    std::vector<xkb_keysym_t> keysyms;
    std::vector<std::chrono::steady_clock::time_point> lastPressed;
};

struct KeymapChange {
    VirtualKeymap keymap;
    std::chrono::steady_clock::time_point notBefore;  // when no key it rebinds is in use
};

// The keymap that holds `needed` (at most virtualKeyboardKeys keysyms), or nothing when `current`
// holds all of them. Keys keep their keysyms: missing ones get new keys at the end, and once the
// keymap is full, the keys that were pressed longest ago among those not needed.
std::optional<KeymapChange> changeFor(const VirtualKeymap& current,
                                      const std::vector<xkb_keysym_t>& needed);

// Key events through a virtual keyboard of our own (wlroots compositors): its keymap holds the
// characters being typed, so any character types on any layout without the user's consent. The
// keymap changes only when a text needs characters it lacks.
class VirtualKeyboardKeyEvents final : public BufferedKeyEvents {
  public:
    // Nothing when the compositor offers no virtual keyboard or refuses ours.
    static std::unique_ptr<VirtualKeyboardKeyEvents> create();
    ~VirtualKeyboardKeyEvents() override;

  protected:
    bool isAvailable() const override;
    std::size_t deliver(std::span<const TextKey> keys) override;

  private:
    VirtualKeyboardKeyEvents(std::unique_ptr<WaylandClient> client, wl_seat* seat,
                             zwp_virtual_keyboard_v1* keyboard);
    bool upload(const VirtualKeymap& keymap);
    bool press(xkb_keysym_t keysym, bool down);

    std::unique_ptr<WaylandClient> client_;
    wl_seat* seat_;
    zwp_virtual_keyboard_v1* keyboard_;
    xkb_context* context_;
    VirtualKeymap keymap_;
};

}  // namespace tavo
