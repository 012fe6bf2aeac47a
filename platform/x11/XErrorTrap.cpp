#include "platform/x11/XErrorTrap.h"

#include <atomic>

namespace tavo {
namespace {

std::atomic<XErrorTrap*> activeTrap{nullptr};

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    // Errors of requests sent before the trap belong to whoever sent them.
    XSync(display_, False);
    activeTrap.store(this);
    previous_ = XSetErrorHandler(&XErrorTrap::handle);
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
    activeTrap.store(nullptr);
}

bool XErrorTrap::succeeded() {
    XSync(display_, False);
    return errors_ == 0;
}

int XErrorTrap::handle(Display* display, XErrorEvent* event) {
    XErrorTrap* trap = activeTrap.load();
    if (trap != nullptr && trap->display_ == display) {
        ++trap->errors_;
        return 0;
    }
    return trap != nullptr && trap->previous_ != nullptr ? trap->previous_(display, event) : 0;
}

}  // namespace tavo
