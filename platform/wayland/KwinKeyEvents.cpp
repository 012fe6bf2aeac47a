#include "platform/wayland/KwinKeyEvents.h"

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <thread>

#include "fake-input-client.h"
#include "keystate-client.h"
#include "platform/wayland/Utf8.h"

namespace tavo {
namespace {

// An application that has not read a paste by then has no text field that takes it.
constexpr std::chrono::milliseconds pasteTimeout{1000};

}  // namespace

std::unique_ptr<KwinKeyEvents> KwinKeyEvents::open() {
    auto client = WaylandClient::connect();
    if (!client) {
        return nullptr;
    }
    auto* fakeInput = client->bind<org_kde_kwin_fake_input>(org_kde_kwin_fake_input_interface, 4);
    if (fakeInput == nullptr) {
        return nullptr;
    }
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(fakeInput)) <
        ORG_KDE_KWIN_FAKE_INPUT_KEYBOARD_KEY_SINCE_VERSION) {
        org_kde_kwin_fake_input_destroy(fakeInput);
        return nullptr;
    }
    std::unique_ptr<KwinKeyEvents> keyEvents(new KwinKeyEvents(std::move(client), fakeInput));
    if (!keyEvents->client_->roundtrip() || !keyEvents->keymap_) {
        return nullptr;
    }
    return keyEvents;
}

KwinKeyEvents::KwinKeyEvents(std::unique_ptr<WaylandClient> client,
                             org_kde_kwin_fake_input* fakeInput)
    : client_(std::move(client)), fakeInput_(fakeInput) {
    org_kde_kwin_fake_input_authenticate(fakeInput_, "Tavo Receiver",
                                         "Types barcodes scanned with a phone");
    keyState_ = client_->bind<org_kde_kwin_keystate>(org_kde_kwin_keystate_interface, 4);
    if (keyState_ != nullptr) {
        static const org_kde_kwin_keystate_listener listener{
            [](void* data, org_kde_kwin_keystate*, std::uint32_t key, std::uint32_t state) {
                if (key == ORG_KDE_KWIN_KEYSTATE_KEY_CAPSLOCK) {
                    static_cast<KwinKeyEvents*>(data)->capsLocked_ =
                        state == ORG_KDE_KWIN_KEYSTATE_STATE_LOCKED;
                }
            }};
        org_kde_kwin_keystate_add_listener(keyState_, &listener, this);
        org_kde_kwin_keystate_fetchStates(keyState_);
    }
    keymap_ = SeatKeymap::open(*client_);
    if (keymap_) {
        clipboard_ = DataControlClipboard::open(*client_, keymap_->seat());
    }
}

// Events still on the way are taken while their objects live: libwayland before 1.22 leaks
// the offers that arrive for a destroyed data device.
KwinKeyEvents::~KwinKeyEvents() {
    client_->roundtrip();
    clipboard_.reset();
    keymap_.reset();
    if (keyState_ != nullptr && wl_proxy_get_version(reinterpret_cast<wl_proxy*>(keyState_)) >=
                                    ORG_KDE_KWIN_KEYSTATE_DESTROY_SINCE_VERSION) {
        org_kde_kwin_keystate_destroy(keyState_);
    } else if (keyState_ != nullptr) {
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(keyState_));
    }
    org_kde_kwin_fake_input_destroy(fakeInput_);
}

bool KwinKeyEvents::isAvailable() const {
    return !client_->hasFailed();
}

void KwinKeyEvents::send(const KeyStroke& stroke, bool down) {
    constexpr auto pressed = [](bool isDown) {
        return isDown ? 1U : 0U;
    };
    if (down) {
        for (const std::uint32_t modifier : stroke.modifiers) {
            org_kde_kwin_fake_input_keyboard_key(fakeInput_, modifier, pressed(true));
        }
    }
    org_kde_kwin_fake_input_keyboard_key(fakeInput_, stroke.key, pressed(down));
    if (!down) {
        for (auto modifier = stroke.modifiers.rbegin(); modifier != stroke.modifiers.rend();
             ++modifier) {
            org_kde_kwin_fake_input_keyboard_key(fakeInput_, *modifier, pressed(false));
        }
    }
}

// Characters in a row go in one paste. Ctrl+V is what most applications take; terminals,
// which want Ctrl+Shift+V, do not read the paste and the characters count as skipped (also
// when a clipboard history read it). A clipboard that cannot be saved whole is not touched.
std::size_t KwinKeyEvents::paste(const std::u32string& characters, std::optional<bool>& saved) {
    if (characters.empty()) {
        return 0;
    }
    const auto layout = keymap_->layout();
    if (!clipboard_ || layout == nullptr) {
        return characters.size();
    }
    if (!saved) {
        saved = clipboard_->save();
    }
    if (!*saved) {
        return characters.size();
    }
    if (!clipboard_->offer(toUtf8(characters))) {
        return characters.size();
    }
    const KeyStroke shortcut = pasteShortcut(layout.get());
    clipboard_->expectPaste();
    send(shortcut, true);
    send(shortcut, false);
    if (!clipboard_->waitUntilTaken(pasteTimeout)) {
        return characters.size();
    }
    std::this_thread::sleep_for(pasteSettleTime);
    return 0;
}

void KwinKeyEvents::toggleCapsLock() {
    const auto layout = keymap_->layout();
    const KeyStroke capsLock =
        (layout != nullptr ? layout->strokeFor(XKB_KEY_Caps_Lock) : std::nullopt)
            .value_or(KeyStroke{KEY_CAPSLOCK, {}});
    send(capsLock, true);
    send(capsLock, false);
}

std::size_t KwinKeyEvents::deliver(std::span<const TextKey> keys) {
    // Takes in the current keymap and lock state first.
    client_->roundtrip();
    const auto layout = keymap_->layout();
    const bool capsWasLocked = capsLocked_;
    if (capsWasLocked) {
        toggleCapsLock();
    }
    std::size_t skipped = 0;
    std::optional<bool> clipboardSaved;
    std::u32string missing;
    for (const TextKey& key : keys) {
        std::optional<KeyStroke> stroke;
        if (key.isReturn) {
            stroke = KeyStroke{KEY_ENTER, {}};
        } else if (layout != nullptr) {
            stroke = layout->strokeFor(keysymFor(key.character));
        }
        if (!stroke) {
            if (key.down) {
                missing += key.character;
            }
            continue;
        }
        skipped += paste(missing, clipboardSaved);
        missing.clear();
        send(*stroke, key.down);
    }
    skipped += paste(missing, clipboardSaved);
    if (capsWasLocked) {
        toggleCapsLock();
    }
    if (clipboardSaved.value_or(false)) {
        clipboard_->restore();
    }
    // Without this wait KWin's queue to the receiving window overflows, and KWin disconnects
    // that window.
    client_->roundtrip();
    return skipped;
}

}  // namespace tavo
