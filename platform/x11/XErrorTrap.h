#pragma once

#include <X11/Xlib.h>

namespace tavo {

// Catches the X errors of one display for as long as it lives, so that a request the server
// refuses can be told apart from one it carried out. Errors of other displays (Qt's) go on to
// the handler that was installed before, which is installed again at the end. Xlib has one
// handler per process: traps must not nest or overlap in time.
class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to handle every request sent so far; true when none failed.
    bool succeeded();

  private:
    static int handle(Display* display, XErrorEvent* event);

    Display* display_;
    XErrorHandler previous_;
    int errors_ = 0;
};

}  // namespace tavo
