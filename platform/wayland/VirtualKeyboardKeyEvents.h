#pragma once

#include <xkbcommon/xkbcommon.h>

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
// xkbcommon refuses it.
std::optional<std::string> keymapHolding(xkb_context& context,
                                         std::span<const xkb_keysym_t> keysyms);

// The keys of our keymaps: keycodes 9 to 255, the ones X clients under Xwayland can see.
inline constexpr std::size_t virtualKeyboardKeys = 247;

// The keymap that holds `needed` (at most virtualKeyboardKeys keysyms), given the `current` one:
// nothing when `current` holds them already; else `current` with the missing ones added at its
// end, so that keys keep their keycodes; or, when that does not fit, `needed` alone.
std::optional<std::vector<xkb_keysym_t>> keymapToUpload(const std::vector<xkb_keysym_t>& current,
                                                        const std::vector<xkb_keysym_t>& needed);

// Key events through a virtual keyboard of our own (wlroots compositors): its keymap holds the
// characters being typed, so any character types on any layout without the user's consent. The
// keymap is replaced only when a text needs characters it lacks.
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
    bool upload(const std::vector<xkb_keysym_t>& keysyms);
    void press(xkb_keysym_t keysym, bool down);

    std::unique_ptr<WaylandClient> client_;
    wl_seat* seat_;
    zwp_virtual_keyboard_v1* keyboard_;
    xkb_context* context_;
    std::vector<xkb_keysym_t> keymap_;  // the keysym of each keycode from the first one
};

}  // namespace tavo
