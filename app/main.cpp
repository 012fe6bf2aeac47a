#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/DbusSessionLock.h"
#include "app/QtMainThread.h"
#include "app/QuitOnSignals.h"
#include "app/SessionTyping.h"
#include "app/SettingsDefaultsStore.h"
#include "app/ShutdownDeadline.h"
#include "app/SingleInstance.h"
#include "app/TavoReceiverApp.h"
#include "app/Translation.h"
#include "platform/Log.h"
#include "platform/network/AsioNetwork.h"
#include "platform/xdg/XdgLoginItems.h"

// After Qt: Xlib defines macros that clash with Qt's names.
#include <X11/Xlib.h>

namespace {

// Why no display can be had, checked before Qt, which would abort the process.
std::optional<std::string> displayProblem() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return std::nullopt;  // the user chose the platform; Qt reports its own failure
    }
    const QByteArray x11 = qgetenv("DISPLAY");
    if (!x11.isEmpty()) {
        if (Display* display = XOpenDisplay(nullptr)) {
            XCloseDisplay(display);
            // Also under Wayland with Xwayland: there the panel can be placed at the tray icon.
            qputenv("QT_QPA_PLATFORM", "xcb");
            return std::nullopt;
        }
        if (!qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
            return "cannot connect to the X display \"" + x11.toStdString() + "\"";
        }
    }
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        // A Wayland session without Xwayland.
        qputenv("QT_QPA_PLATFORM", "wayland");
        return std::nullopt;
    }
    return std::string("neither DISPLAY nor WAYLAND_DISPLAY is set");
}

// Whether a launcher started us for the user just now, with a token that lets our first window
// take the focus. Read before Qt, whose Wayland plugin takes the token for itself.
bool launchedWithActivationToken() {
    return !qEnvironmentVariableIsEmpty("XDG_ACTIVATION_TOKEN") ||
           !qEnvironmentVariableIsEmpty("DESKTOP_STARTUP_ID");
}

}  // namespace

int main(int argc, char* argv[]) {
    tavo::Translation translation;
    const tavo::CommandLine commandLine = tavo::parseCommandLine(argc, argv, &translation);
    if (commandLine.exitStatus) {
        std::fputs(commandLine.message.c_str(), *commandLine.exitStatus == 0 ? stdout : stderr);
        return *commandLine.exitStatus;
    }
    tavo::log::setVerbose(commandLine.verbose);

    if (const auto problem = displayProblem()) {
        std::fprintf(stderr, "tavo-receiver: no display (%s)\n", problem->c_str());
        return 1;
    }
    // Before Qt connects to the display, so that a second start ends at once, and before the
    // listener exists, so that it never advertises a second service.
    tavo::SingleInstance instance;
    if (!instance.isFirst()) {
        if (instance.askFirstToOpenPanel()) {
            return 0;
        }
        std::fprintf(stderr,
                     "tavo-receiver: already running, but the running one does not answer\n");
        return 1;
    }

    const bool launchedByUser = launchedWithActivationToken();
    QApplication application(argc, argv);
    QApplication::setApplicationName("tavo-receiver");
    QApplication::setApplicationDisplayName("Tavo Receiver");
    QApplication::setDesktopFileName("tavo-receiver");
    translation.install();

    // Declared before everything it waits for at the end.
    tavo::ShutdownDeadline shutdownDeadline;
    // Declared before the others so that it goes after them: the keyboard (X keymap, compositor
    // sessions, the clipboard) is restored once nothing types any more.
    const tavo::SessionTyping typing = tavo::chooseSessionTyping();
    tavo::QtMainThread mainThread;
    tavo::SettingsDefaultsStore defaults;
    tavo::AsioNetwork network;
    tavo::XdgLoginItems loginItems;
    // A native Wayland window cannot appear without the compositor giving it the keyboard focus,
    // and scans would then be typed into it instead of the user's application. Without a tray it
    // therefore opens at start only when the user launched us; started at login, it opens when
    // started again. X11 windows are shown without taking the focus.
    const bool windowAtStart = QGuiApplication::platformName() != "wayland" || launchedByUser;
    tavo::TavoReceiverApp app(mainThread, defaults, network, *typing.keyEvents, *typing.inputAccess,
                              loginItems, typing.phoneConnectionChanged, windowAtStart);
    instance.listen([&app] { app.openPanel(); });
    tavo::DbusSessionLock sessionLock;
    app.followSessionLock(sessionLock);
    const tavo::QuitOnSignals quitOnSignals;
    const int status = QApplication::exec();
    shutdownDeadline.arm(status);

    // In this order: the network thread may post to the main thread until it is joined, and a
    // dropped job may hold the listener, which must not outlive the platform objects it uses.
    app.stopNetwork();
    mainThread.close();
    app.stopTyping();
    return status;
}
