// tavo-text-sink OUTPUT [--name-keys]: a window that takes the keyboard focus and appends every
// character it receives to OUTPUT as UTF-8, decoded like an Xlib client decodes it: the keysym
// of the event's keycode, group and modifiers in the server's current keymap (read anew after
// every MappingNotify), with Caps Lock's capitals. Prints "ready" once it has the focus.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/x11/KeysymText.h"

namespace {

std::string decode(Display* display, const XKeyEvent& event, bool nameKeys) {
    unsigned int consumed = 0;
    KeySym keysym = NoSymbol;
    XkbLookupKeySym(display, static_cast<KeyCode>(event.keycode), event.state, &consumed, &keysym);
    if ((event.state & ~consumed & LockMask) != 0) {
        KeySym lower = NoSymbol;
        XConvertCase(keysym, &lower, &keysym);
    }
    return tavo::testing::keysymText(static_cast<xkb_keysym_t>(keysym), nameKeys);
}

}  // namespace

int main(int argc, char** argv) {
    const bool nameKeys = argc > 2 && std::strcmp(argv[2], "--name-keys") == 0;
    std::FILE* output = argc > 1 ? std::fopen(argv[1], "wb") : nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (output == nullptr || display == nullptr) {
        return 1;
    }
    // Like toolkits, take up XKB and read the keymap before any key arrives; Xlib would
    // otherwise do both at the first key, missing the keymap changes that came before it. The
    // lookup only loads the keymap: a small keymap may well have no key 38.
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    unsigned int consumed = 0;
    KeySym keysym = NoSymbol;
    if (!XkbUseExtension(display, &major, &minor)) {
        return 1;
    }
    XkbLookupKeySym(display, 38, 0, &consumed, &keysym);
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
