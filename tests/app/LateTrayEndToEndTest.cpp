#include "tests/app/ReceiverDesktopTest.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>

namespace tavo::testing {
namespace {

// At login the autostart entry often runs before the desktop's tray is up.
class LateTrayEndToEndTest : public ReceiverDesktopTest {
  protected:
    LateTrayEndToEndTest() { trayAtStart_ = false; }

    // What a window manager's close button sends.
    void requestClose(int window) {
        Display* display = XOpenDisplay(xvfb_.display().c_str());
        ASSERT_NE(display, nullptr);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = static_cast<Window>(window);
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
        XCloseDisplay(display);
    }
};

TEST_F(LateTrayEndToEndTest, IconMovesIntoATrayThatComesLaterAndClosingTheWindowDoesNotQuit) {
    launchReceiver();
    const auto fallbackWindows = [&] {
        return windows("--name", "^Tavo Receiver$");
    };
    ASSERT_TRUE(waitUntil([&] { return fallbackWindows().size() == 1; }));
    requestClose(fallbackWindows().begin()->first);
    ASSERT_TRUE(waitUntil([&] { return fallbackWindows().empty(); }));

    startTray();
    const QRect tray = windows("--name", "^panel$").begin()->second;
    EXPECT_TRUE(waitUntil([&] { return tray.contains(trayIcon()); })) << "not embedded";

    // The icon opens the panel below it, as a tray's panel now.
    openPanel();
    EXPECT_GE(panelGeometry()["panel"].top(), trayIcon().bottom());
}

}  // namespace
}  // namespace tavo::testing
