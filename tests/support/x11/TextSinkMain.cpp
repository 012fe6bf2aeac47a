// tavo-text-sink OUTPUT [--name-keys]: a window that takes the keyboard focus and appends every
// character it receives to OUTPUT as UTF-8, decoded like an Xlib client decodes it: the keysym
// of the event's keycode, group and modifiers in the server's current keymap (read anew after
// every MappingNotify), with Caps Lock's capitals. Prints "ready" once it has the focus.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string keyName(KeySym keysym) {
    const char* name = XKeysymToString(keysym);
    return std::string("<") + (name != nullptr ? name : "NoSymbol") + ">";
}

std::string decode(Display* display, const XKeyEvent& event, bool nameKeys) {
    unsigned int consumed = 0;
    KeySym keysym = NoSymbol;
    XkbLookupKeySym(display, static_cast<KeyCode>(event.keycode), event.state, &consumed, &keysym);
    if ((event.state & ~consumed & LockMask) != 0) {
        KeySym lower = NoSymbol;
        XConvertCase(keysym, &lower, &keysym);
    }
    if (IsModifierKey(keysym)) {
        return {};
    }
    const bool functionKey = (keysym & ~0xFFUL) == 0xFF00;
    if (nameKeys && functionKey) {
        return keyName(keysym);
    }
    if (keysym == XK_Return || keysym == XK_KP_Enter) {
        return "\n";
    }
    const char32_t c = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    return c != 0 ? utf8(c) : keyName(keysym);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT [--name-keys]\n", argv[0]);
        return 2;
    }
    const bool nameKeys = argc > 2 && std::strcmp(argv[2], "--name-keys") == 0;
    std::FILE* output = std::fopen(argv[1], "wb");
    Display* display = XOpenDisplay(nullptr);
    if (output == nullptr || display == nullptr) {
        return 1;
    }
    // Like toolkits, take up XKB and read the keymap before any key arrives; Xlib would
    // otherwise do both at the first key, missing the keymap changes that came before it.
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    unsigned int consumed = 0;
    KeySym keysym = NoSymbol;
    if (!XkbUseExtension(display, &major, &minor) ||
        !XkbLookupKeySym(display, 38, 0, &consumed, &keysym)) {
        return 1;
    }
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 200, 0, 0, 0);
    XSelectInput(display, window, KeyPressMask | StructureNotifyMask | FocusChangeMask);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
        } else if (event.type == FocusIn) {
            std::printf("ready\n");
            std::fflush(stdout);
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        } else if (event.type == KeyPress) {
            const std::string text = decode(display, event.xkey, nameKeys);
            std::fwrite(text.data(), 1, text.size(), output);
            std::fflush(output);
        }
    }
}
