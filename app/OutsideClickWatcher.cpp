#include "app/OutsideClickWatcher.h"

#include <QCursor>
#include <QGuiApplication>
#include <cstdint>

// After Qt: Xlib defines macros that clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace tavo {
namespace {

Display* qtDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// The head of an XInput 2 raw button event as it arrives on Qt's XCB connection.
struct RawButtonEvent {
    std::uint8_t responseType;
    std::uint8_t extension;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint16_t eventType;
    std::uint16_t deviceId;
    std::uint32_t time;
    std::uint32_t detail;  // the button
};

constexpr std::uint8_t genericEvent = 35;
constexpr std::uint32_t firstWheelButton = 4;

}  // namespace

OutsideClickWatcher::OutsideClickWatcher(std::function<void(QPoint)> onPress)
    : onPress_(std::move(onPress)) {
    Display* display = qtDisplay();
    int event = 0;
    int error = 0;
    if (display == nullptr ||
        !XQueryExtension(display, "XInputExtension", &xinputOpcode_, &event, &error)) {
        xinputOpcode_ = -1;
        return;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

OutsideClickWatcher::~OutsideClickWatcher() {
    stop();
    if (xinputOpcode_ >= 0 && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void OutsideClickWatcher::start() {
    if (!watching_) {
        select(true);
    }
}

void OutsideClickWatcher::stop() {
    if (watching_) {
        select(false);
    }
}

void OutsideClickWatcher::select(bool presses) {
    Display* display = qtDisplay();
    if (xinputOpcode_ < 0 || display == nullptr) {
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (presses) {
        XISetMask(bits, XI_RawButtonPress);
    }
    // For the master devices only, so that Qt's own selections on the root window stay as they are.
    XIEventMask mask{XIAllMasterDevices, sizeof(bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);
    watching_ = presses;
}

bool OutsideClickWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!watching_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const RawButtonEvent*>(message);
    if ((event->responseType & 0x7f) == genericEvent && event->extension == xinputOpcode_ &&
        event->eventType == XI_RawButtonPress && event->detail < firstWheelButton) {
        onPress_(QCursor::pos());
    }
    return false;
}

}  // namespace tavo
