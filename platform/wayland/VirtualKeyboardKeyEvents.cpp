#include "platform/wayland/VirtualKeyboardKeyEvents.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

#include "platform/Log.h"
#include "platform/wayland/LayoutKeys.h"
#include "platform/wayland/WaylandClient.h"
#include "virtual-keyboard-unstable-v1-client.h"

namespace tavo {
namespace {

constexpr std::uint32_t firstKeycode = 9;
constexpr std::uint32_t evdevOffset = 8;

xkb_keysym_t keysymOf(const TextKey& key) {
    return key.isReturn ? XKB_KEY_Return : keysymFor(key.character);
}

bool contains(const std::vector<xkb_keysym_t>& keysyms, xkb_keysym_t keysym) {
    return std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end();
}

std::uint32_t milliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

// Every key's type takes Shift and Lock as its own, so that neither, nor Caps Lock's
// capitalisation, can change what the key types. Xwayland ignores keymaps without the usual
// compatibility interpretations.
std::optional<std::string> keymapHolding(xkb_context& context,
                                         std::span<const xkb_keysym_t> keysyms) {
    std::ostringstream keycodes;
    std::ostringstream symbols;
    std::uint32_t keycode = firstKeycode;
    for (const xkb_keysym_t keysym : keysyms) {
        char name[64];
        xkb_keysym_get_name(keysym, name, sizeof name);
        keycodes << "<K" << keycode << "> = " << keycode << ";\n";
        symbols << "key <K" << keycode << "> { type = \"TAVO\", [ " << name << " ] };\n";
        ++keycode;
    }
    const std::string text =
        "xkb_keymap {\nxkb_keycodes \"tavo\" {\nminimum = 8;\nmaximum = 255;\n" + keycodes.str() +
        "};\nxkb_types \"tavo\" {\ntype \"TAVO\" {\nmodifiers = Shift+Lock;\n"
        "level_name[Level1] = \"Any\";\n};\n};\n"
        "xkb_compatibility \"tavo\" {\ninclude \"complete\"\n};\nxkb_symbols \"tavo\" {\n" +
        symbols.str() + "};\n};\n";
    xkb_keymap* keymap = xkb_keymap_new_from_string(
        &context, text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        return std::nullopt;
    }
    char* written = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    xkb_keymap_unref(keymap);
    if (written == nullptr) {
        return std::nullopt;
    }
    std::string result(written);
    std::free(written);
    return result;
}

std::optional<KeymapChange> changeFor(const VirtualKeymap& current,
                                      const std::vector<xkb_keysym_t>& needed) {
    KeymapChange change{current, {}};
    auto& [keysyms, lastPressed] = change.keymap;
    for (const xkb_keysym_t keysym : needed) {
        if (contains(keysyms, keysym)) {
            continue;
        }
        if (keysyms.size() < virtualKeyboardKeys) {
            keysyms.push_back(keysym);
            lastPressed.emplace_back();
            continue;
        }
        std::optional<std::size_t> oldest;
        for (std::size_t key = 0; key < keysyms.size(); ++key) {
            if (!contains(needed, keysyms[key]) &&
                (!oldest || lastPressed[key] < lastPressed[*oldest])) {
                oldest = key;
            }
        }
        if (!oldest) {
            return std::nullopt;
        }
        change.notBefore = std::max(change.notBefore, lastPressed[*oldest] + keyRebindGrace);
        keysyms[*oldest] = keysym;
        lastPressed[*oldest] = {};
    }
    if (keysyms == current.keysyms) {
        return std::nullopt;
    }
    return change;
}

std::unique_ptr<VirtualKeyboardKeyEvents> VirtualKeyboardKeyEvents::create() {
    auto client = WaylandClient::connect();
    if (!client || !client->offers(zwp_virtual_keyboard_manager_v1_interface.name)) {
        return nullptr;
    }
    auto* seat = client->bind<wl_seat>(wl_seat_interface, 1);
    auto* manager =
        client->bind<zwp_virtual_keyboard_manager_v1>(zwp_virtual_keyboard_manager_v1_interface, 1);
    if (seat == nullptr || manager == nullptr) {
        return nullptr;
    }
    auto* keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
    zwp_virtual_keyboard_manager_v1_destroy(manager);
    std::unique_ptr<VirtualKeyboardKeyEvents> events(
        new VirtualKeyboardKeyEvents(std::move(client), seat, keyboard));
    // A keyboard with a keymap from the start: focused windows can decode it at once. A
    // compositor that refuses us ends the connection here.
    if (!events->upload({{XKB_KEY_Return}, {{}}}) || !events->client_->roundtrip()) {
        return nullptr;
    }
    return events;
}

VirtualKeyboardKeyEvents::VirtualKeyboardKeyEvents(std::unique_ptr<WaylandClient> client,
                                                   wl_seat* seat, zwp_virtual_keyboard_v1* keyboard)
    : client_(std::move(client)),
      seat_(seat),
      keyboard_(keyboard),
      context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

VirtualKeyboardKeyEvents::~VirtualKeyboardKeyEvents() {
    zwp_virtual_keyboard_v1_destroy(keyboard_);
    wl_seat_destroy(seat_);
    client_->roundtrip();
    xkb_context_unref(context_);
}

bool VirtualKeyboardKeyEvents::isAvailable() const {
    return !client_->hasFailed();
}

// The text goes in runs that each fit one keymap: almost always the whole text at once.
std::size_t VirtualKeyboardKeyEvents::deliver(std::span<const TextKey> keys) {
    std::size_t skipped = 0;
    std::size_t start = 0;
    while (start < keys.size()) {
        std::vector<xkb_keysym_t> needed{XKB_KEY_Return};
        std::size_t end = start;
        for (; end < keys.size(); ++end) {
            const xkb_keysym_t keysym = keysymOf(keys[end]);
            if (keysym != XKB_KEY_NoSymbol && !contains(needed, keysym)) {
                // A new key starts the next run; its release never does.
                if (needed.size() == virtualKeyboardKeys && keys[end].down) {
                    break;
                }
                needed.push_back(keysym);
            }
        }
        bool held = true;
        if (auto change = changeFor(keymap_, needed)) {
            std::this_thread::sleep_until(change->notBefore);
            held = upload(change->keymap);
        }
        for (std::size_t i = start; i < end; ++i) {
            const bool pressed = held && press(keysymOf(keys[i]), keys[i].down);
            if (!pressed && keys[i].down && !keys[i].isReturn) {
                ++skipped;
            }
        }
        start = end;
    }
    if (!client_->roundtrip()) {
        log::warning("the compositor ended the connection of the virtual keyboard");
    }
    return skipped;
}

bool VirtualKeyboardKeyEvents::upload(const VirtualKeymap& keymap) {
    const std::optional<std::string> text = keymapHolding(*context_, keymap.keysyms);
    if (!text) {
        return false;
    }
    const int file = memfd_create("tavo-keymap", MFD_CLOEXEC);
    const std::size_t size = text->size() + 1;
    if (file < 0) {
        return false;
    }
    if (write(file, text->c_str(), size) != static_cast<ssize_t>(size)) {
        close(file);
        return false;
    }
    zwp_virtual_keyboard_v1_keymap(keyboard_, XKB_KEYMAP_FORMAT_TEXT_V1, file,
                                   static_cast<std::uint32_t>(size));
    close(file);
    // No modifier of an earlier keymap may carry over to this one.
    zwp_virtual_keyboard_v1_modifiers(keyboard_, 0, 0, 0, 0);
    keymap_ = keymap;
    return true;
}

// False when the keymap has no key for the keysym.
bool VirtualKeyboardKeyEvents::press(xkb_keysym_t keysym, bool down) {
    const auto found = std::find(keymap_.keysyms.begin(), keymap_.keysyms.end(), keysym);
    if (keysym == XKB_KEY_NoSymbol || found == keymap_.keysyms.end()) {
        return false;
    }
    const auto index = static_cast<std::size_t>(found - keymap_.keysyms.begin());
    keymap_.lastPressed[index] = std::chrono::steady_clock::now();
    zwp_virtual_keyboard_v1_key(
        keyboard_, milliseconds(), firstKeycode + static_cast<std::uint32_t>(index) - evdevOffset,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    return true;
}

}  // namespace tavo
