#include "tests/app/ReceiverDesktopTest.h"

// Last: Xlib's macros would break the headers above.
#include <X11/Xlib.h>

namespace tavo::testing {
namespace {

// At login the autostart entry often runs before the desktop's tray is up.
class LateTrayEndToEndTest : public ReceiverDesktopTest {
  protected:
    LateTrayEndToEndTest() { trayAtStart_ = false; }

    std::vector<std::string> fallbackWindows() {
        ChildProcess search({"xdotool", "search", "--onlyvisible", "--name", "^Tavo Receiver$"},
                            environment_);
        std::vector<std::string> found;
        while (auto line = search.readLine(10s)) {
            found.push_back(*line);
        }
        search.stop(false);
        return found;
    }

    // What a window manager's close button sends.
    void requestClose(const std::string& window) {
        Display* display = XOpenDisplay(xvfb_.display().c_str());
        ASSERT_NE(display, nullptr);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = std::stoul(window);
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
    std::vector<std::string> windows;
    ASSERT_TRUE(waitUntil([&] { return (windows = fallbackWindows()).size() == 1; }));
    requestClose(windows.front());
    ASSERT_TRUE(waitUntil([&] { return fallbackWindows().empty(); }));

    startTray();
    const QRect tray = ReceiverDesktopTest::windows("--name", "^panel$").front();
    EXPECT_TRUE(waitUntil([&] { return tray.contains(trayIcon()); })) << "not embedded";

    // The icon opens the panel below it, as a tray's panel now.
    click(trayIcon().center());
    ASSERT_TRUE(waitUntil([&] { return panelGeometry().contains("quitButton"); }));
    EXPECT_GE(panelGeometry()["panel"].top(), trayIcon().bottom());
}

}  // namespace
}  // namespace tavo::testing
