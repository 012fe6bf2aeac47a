#include "platform/x11/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "platform/Log.h"
#include "platform/x11/XErrorTrap.h"

namespace tavo {
namespace {

constexpr unsigned long unicodeKeysymBase = 0x01000000;

// The slave keyboard that XTest events come from. Its keymap is the one the master keyboard
// takes on when our events arrive, so it is the one our key lookups must follow.
unsigned int xtestKeyboard(Display* display) {
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &eventBase, &errorBase) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        return XkbUseCoreKbd;
    }
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    unsigned int found = XkbUseCoreKbd;
    for (int i = 0; i < count; ++i) {
        if (devices[i].use == XISlaveKeyboard && std::strstr(devices[i].name, "XTEST") != nullptr) {
            found = static_cast<unsigned int>(devices[i].deviceid);
            break;
        }
    }
    XIFreeDeviceInfo(devices);
    return found;
}

// Control characters get their Unicode keysym: the keysyms of Return, Tab or Delete would
// make clients act on a key instead of inserting the character.
bool isControl(char32_t scalar) {
    return scalar < 0x20 || (scalar >= 0x7F && scalar < 0xA0);
}

KeySym keysymFor(char32_t scalar) {
    if (isControl(scalar)) {
        return unicodeKeysymBase + scalar;
    }
    return xkb_utf32_to_keysym(scalar);
}

bool hasCase(KeySym keysym) {
    KeySym lower = NoSymbol;
    KeySym upper = NoSymbol;
    XConvertCase(keysym, &lower, &upper);
    return lower != upper;
}

}  // namespace

std::unique_ptr<X11Keyboard> X11Keyboard::open(const std::string& displayName) {
    int xkbEventBase = 0;
    int xkbErrorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    Display* display = XkbOpenDisplay(displayName.empty() ? nullptr : displayName.c_str(),
                                      &xkbEventBase, &xkbErrorBase, &major, &minor, &reason);
    if (display == nullptr) {
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        return nullptr;
    }
    std::unique_ptr<X11Keyboard> keyboard(
        new X11Keyboard(display, xkbEventBase, xtestKeyboard(display)));
    if (keyboard->keymap_ == nullptr) {
        return nullptr;
    }
    return keyboard;
}

X11Keyboard::X11Keyboard(Display* display, int xkbEventBase, unsigned int deviceId)
    : display_(display), xkbEventBase_(xkbEventBase), deviceId_(deviceId) {
    constexpr unsigned int changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(display_, XkbUseCoreKbd, changes, changes);
    if (deviceId_ != XkbUseCoreKbd) {
        XkbSelectEvents(display_, deviceId_, changes, changes);
    }
    readKeymap();
}

X11Keyboard::~X11Keyboard() {
    while (!pressed_.empty()) {
        release(pressed_.begin()->first);
    }
    if (openTexts_ > 0 && capsReleased_) {
        XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, LockMask);
    }
    takeEvents();
    // Unbinding is a rebind too: wait until every client has read its last use.
    Clock::time_point latest{};
    for (const Spare& spare : spares_) {
        if (spare.bound != NoSymbol) {
            latest = std::max(latest, lastUse_[spare.code]);
        }
    }
    XSync(display_, False);
    std::this_thread::sleep_until(latest + rebindGrace);
    {
        XErrorTrap trap(display_);
        for (const Spare& spare : spares_) {
            if (spare.bound != NoSymbol) {
                KeySym none = NoSymbol;
                XChangeKeyboardMapping(display_, spare.code, 1, &none, 1);
            }
        }
    }
    if (keymap_ != nullptr) {
        XkbFreeKeyboard(keymap_, 0, True);
    }
    XCloseDisplay(display_);
}

void X11Keyboard::readKeymap() {
    constexpr unsigned int parts = XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask;
    XkbDescPtr fresh = XkbGetMap(display_, parts, deviceId_);
    if (fresh == nullptr) {
        return;
    }
    std::vector<Spare> spares;
    shiftCode_ = 0;
    for (int code = fresh->min_key_code; code <= fresh->max_key_code; ++code) {
        const int groups = XkbKeyNumGroups(fresh, code);
        if (groups == 0) {
            spares.push_back({static_cast<KeyCode>(code), NoSymbol});
            continue;
        }
        const KeySym first = XkbKeySymEntry(fresh, code, 0, 0);
        // Our binding survives only where the key still holds exactly it at every level.
        const Spare* ours = spareAt(code);
        if (ours != nullptr && ours->bound == first && groups == 1) {
            bool same = true;
            for (int level = 0; level < XkbKeyGroupWidth(fresh, code, 0); ++level) {
                same = same && XkbKeySymEntry(fresh, code, level, 0) == first;
            }
            if (same) {
                spares.push_back(*ours);
                continue;
            }
        }
        if (shiftCode_ == 0 && (fresh->map->modmap[code] & ShiftMask) != 0 &&
            (first == XK_Shift_L || first == XK_Shift_R)) {
            shiftCode_ = static_cast<KeyCode>(code);
        }
    }
    if (keymap_ != nullptr) {
        XkbFreeKeyboard(keymap_, 0, True);
    }
    keymap_ = fresh;
    spares_ = std::move(spares);
    ++keymapGeneration_;
    keymapStale_ = false;
}

// Any keymap change since the last text, ours included, makes us read the keymap again once.
void X11Keyboard::takeEvents() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == xkbEventBase_) {
            const int kind = reinterpret_cast<XkbEvent*>(&event)->any.xkb_type;
            keymapStale_ = keymapStale_ || kind == XkbNewKeyboardNotify || kind == XkbMapNotify;
        }
    }
    if (keymapStale_) {
        readKeymap();
    }
}

void X11Keyboard::beginText() {
    if (openTexts_++ > 0) {
        return;
    }
    takeEvents();
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    // A locked Caps Lock would turn letters, even of our own bindings, into capitals.
    capsReleased_ = (state.locked_mods & LockMask) != 0;
    if (capsReleased_) {
        XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, 0);
    }
    mods_ = state.base_mods | state.latched_mods | (state.locked_mods & ~LockMask);
    group_ = state.group;
}

void X11Keyboard::endText() {
    if (openTexts_ == 0 || --openTexts_ > 0) {
        return;
    }
    while (!pressed_.empty()) {
        release(pressed_.begin()->first);
    }
    if (capsReleased_) {
        XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, LockMask);
        capsReleased_ = false;
    }
    XFlush(display_);
    if (skipped_ > 0) {
        log::warning("typing: ", skipped_,
                     " character(s) skipped: no key could be bound for them on the X display");
        skipped_ = 0;
    }
}

void X11Keyboard::press(char32_t scalar) {
    release(scalar);
    const std::optional<Stroke> stroke = strokeFor(scalar);
    if (!stroke) {
        // A character of a cut text is not typed by intent.
        skipped_ += interrupt_ != nullptr && interrupt_->isCut() ? 0 : 1;
        return;
    }
    if (stroke->shifted) {
        send(shiftCode_, true);
    }
    send(stroke->code, true);
    pressed_[scalar] = *stroke;
}

void X11Keyboard::release(char32_t scalar) {
    const auto it = pressed_.find(scalar);
    if (it == pressed_.end()) {
        return;
    }
    send(it->second.code, false);
    if (it->second.shifted) {
        send(shiftCode_, false);
    }
    pressed_.erase(it);
}

// Which keys of the current group type which character, as the state stands now: plain, or
// with Shift pressed by us. Keys that need any other modifier, keypad keys and our own bindings
// are left out, so that a key is only used where its character is certain.
void X11Keyboard::indexLayout() {
    if (index_.valid && index_.generation == keymapGeneration_ && index_.mods == mods_ &&
        index_.group == group_) {
        return;
    }
    index_ = LayoutIndex{keymapGeneration_, mods_, group_, true, {}, 0};
    const bool lockActive = (mods_ & LockMask) != 0;
    const auto add = [&](unsigned int mods, bool shifted) {
        for (int code = keymap_->min_key_code; code <= keymap_->max_key_code; ++code) {
            if (spareAt(code) != nullptr) {
                continue;
            }
            unsigned int consumed = 0;
            KeySym keysym = NoSymbol;
            if (!XkbTranslateKeyCode(keymap_, static_cast<KeyCode>(code),
                                     XkbBuildCoreState(mods, group_), &consumed, &keysym) ||
                keysym == NoSymbol) {
                continue;
            }
            if (!shifted && keysym == XK_Return && index_.returnCode == 0) {
                index_.returnCode = static_cast<KeyCode>(code);
            }
            const char32_t scalar = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
            if (scalar == 0 || isControl(scalar) || IsKeypadKey(keysym) ||
                (lockActive && hasCase(keysym))) {
                continue;
            }
            index_.strokes.try_emplace(scalar, Stroke{static_cast<KeyCode>(code), shifted});
        }
    };
    add(mods_, false);
    if (shiftCode_ != 0 && (mods_ & ShiftMask) == 0) {
        add(mods_ | ShiftMask, true);
    }
}

std::optional<X11Keyboard::Stroke> X11Keyboard::strokeFor(char32_t scalar) {
    KeySym keysym = NoSymbol;
    if (scalar == returnScalar) {
        indexLayout();
        if (index_.returnCode != 0) {
            return Stroke{index_.returnCode, false};
        }
        keysym = XK_Return;
    } else {
        if (!isControl(scalar)) {
            indexLayout();
            const auto found = index_.strokes.find(scalar);
            if (found != index_.strokes.end()) {
                return found->second;
            }
        }
        keysym = keysymFor(scalar);
    }
    if (keysym == NoSymbol) {
        return std::nullopt;
    }
    const std::optional<KeyCode> code = bind(keysym);
    if (!code) {
        return std::nullopt;
    }
    return Stroke{*code, false};
}

// Binds the keysym at both levels of a spare keycode, so that Shift cannot change it. A
// binding is reused as long as it lasts; a new one takes a free spare, else the one unused the
// longest, and waits for its grace period to end if it must. The server may refuse a binding
// (its keymap changed under us): that costs one round trip per new binding, and the keymap is
// read again before the next text.
std::optional<KeyCode> X11Keyboard::bind(KeySym keysym) {
    for (const Spare& spare : spares_) {
        if (spare.bound == keysym) {
            return spare.code;
        }
    }
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (const std::optional<KeyCode> code = reusableSpare(now)) {
            KeySym levels[2] = {keysym, keysym};
            XErrorTrap trap(display_);
            XChangeKeyboardMapping(display_, *code, 2, levels, 1);
            if (!trap.succeeded()) {
                keymapStale_ = true;
                return std::nullopt;
            }
            spareAt(*code)->bound = keysym;
            return code;
        }
        Clock::time_point soonest = Clock::time_point::max();
        for (const Spare& spare : spares_) {
            if (!isPressed(spare.code)) {
                soonest = std::min(soonest, lastUse_[spare.code] + rebindGrace);
            }
        }
        if (soonest == Clock::time_point::max()) {
            return std::nullopt;
        }
        XSync(display_, False);
        // A cut text types nothing more: the character is skipped.
        if (interrupt_ != nullptr) {
            if (!interrupt_->waitUntil(soonest)) {
                return std::nullopt;
            }
        } else {
            std::this_thread::sleep_until(soonest);
        }
    }
}

std::optional<KeyCode> X11Keyboard::reusableSpare(Clock::time_point now) const {
    const Spare* best = nullptr;
    for (const Spare& spare : spares_) {
        if (isPressed(spare.code) || now < lastUse_[spare.code] + rebindGrace) {
            continue;
        }
        if (spare.bound == NoSymbol) {
            return spare.code;
        }
        if (best == nullptr || lastUse_[spare.code] < lastUse_[best->code]) {
            best = &spare;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return best->code;
}

X11Keyboard::Spare* X11Keyboard::spareAt(int code) {
    const auto found = std::find_if(spares_.begin(), spares_.end(),
                                    [&](const Spare& spare) { return spare.code == code; });
    return found != spares_.end() ? &*found : nullptr;
}

bool X11Keyboard::isPressed(KeyCode code) const {
    return std::any_of(pressed_.begin(), pressed_.end(),
                       [&](const auto& entry) { return entry.second.code == code; });
}

void X11Keyboard::send(KeyCode code, bool down) {
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    lastUse_[code] = Clock::now();
}

}  // namespace tavo
