#include "platform/wayland/SeatKeymap.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string_view>

namespace tavo {
namespace {

void ignoreName(void*, wl_seat*, const char*) {}
void ignoreEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void ignoreLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void ignoreKey(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void ignoreModifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
                     std::uint32_t, std::uint32_t) {}
void ignoreRepeat(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

}  // namespace

std::unique_ptr<SeatKeymap> SeatKeymap::open(WaylandClient& client) {
    auto* seat = client.bind<wl_seat>(wl_seat_interface, 5);
    if (seat == nullptr) {
        return nullptr;
    }
    std::unique_ptr<SeatKeymap> keymap(new SeatKeymap(seat));
    client.roundtrip();
    client.roundtrip();
    return keymap;
}

SeatKeymap::SeatKeymap(wl_seat* seat) : seat_(seat) {
    static const wl_seat_listener listener{&SeatKeymap::capabilities, ignoreName};
    wl_seat_add_listener(seat_, &listener, this);
}

SeatKeymap::~SeatKeymap() {
    if (keyboard_ != nullptr) {
        wl_keyboard_release(keyboard_);
    }
    wl_seat_release(seat_);
}

void SeatKeymap::capabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto& self = *static_cast<SeatKeymap*>(data);
    const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (hasKeyboard && self.keyboard_ == nullptr) {
        static const wl_keyboard_listener listener{&SeatKeymap::keymap, ignoreEnter,
                                                   ignoreLeave,         ignoreKey,
                                                   ignoreModifiers,     ignoreRepeat};
        self.keyboard_ = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(self.keyboard_, &listener, data);
    } else if (!hasKeyboard && self.keyboard_ != nullptr) {
        wl_keyboard_release(self.keyboard_);
        self.keyboard_ = nullptr;
        self.layout_.reset();
    }
}

void SeatKeymap::keymap(void* data, wl_keyboard*, std::uint32_t format, int fd,
                        std::uint32_t size) {
    auto& self = *static_cast<SeatKeymap*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (text != MAP_FAILED) {
            // The size counts the terminating NUL.
            self.layout_ =
                LayoutKeys::fromText(std::string_view(static_cast<const char*>(text), size - 1));
            munmap(text, size);
        }
    }
    close(fd);
}

}  // namespace tavo
