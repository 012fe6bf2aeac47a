#pragma once

#include <wayland-client.h>

#include <memory>

#include "platform/wayland/LayoutKeys.h"
#include "platform/wayland/WaylandClient.h"

namespace tavo {

// The seat's keyboard as any client sees it: the compositor sends its keymap to every client
// that asks for the keyboard, and again whenever the layout changes.
class SeatKeymap {
  public:
    // Nothing when the compositor offers no seat.
    static std::unique_ptr<SeatKeymap> open(WaylandClient& client);
    ~SeatKeymap();
    SeatKeymap(const SeatKeymap&) = delete;
    SeatKeymap& operator=(const SeatKeymap&) = delete;

    wl_seat* seat() const { return seat_; }
    // Nothing until the compositor has sent a keymap (a headless seat has no keyboard at
    // first). Events are read by the client's roundtrips, which may replace the keymap: a text
    // holds on to the one it started with.
    std::shared_ptr<const LayoutKeys> layout() const { return layout_; }

  private:
    explicit SeatKeymap(wl_seat* seat);
    static void capabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void keymap(void* data, wl_keyboard* keyboard, std::uint32_t format, int fd,
                       std::uint32_t size);

    wl_seat* seat_;
    wl_keyboard* keyboard_ = nullptr;
    std::shared_ptr<const LayoutKeys> layout_;
};

}  // namespace tavo
