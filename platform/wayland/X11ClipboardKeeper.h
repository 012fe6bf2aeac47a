#pragma once

#include <memory>
#include <thread>
#include <vector>

#include "platform/wayland/ClipboardContent.h"

struct xcb_connection_t;

namespace tavo {

// Offers a clipboard content as an X11 selection owner, served from a thread of its own until
// another program takes the clipboard or this object goes. On GNOME Mutter bridges it to
// Wayland programs, so that it outlives the remote desktop session that restored it.
class X11ClipboardKeeper {
  public:
    // Nothing without an X display, or when a type's data outgrows one X request.
    static std::unique_ptr<X11ClipboardKeeper> start(
        std::shared_ptr<const ClipboardContent> content);
    ~X11ClipboardKeeper();
    X11ClipboardKeeper(const X11ClipboardKeeper&) = delete;
    X11ClipboardKeeper& operator=(const X11ClipboardKeeper&) = delete;

  private:
    X11ClipboardKeeper(xcb_connection_t* connection, std::uint32_t window,
                       std::vector<std::uint32_t> atoms,
                       std::shared_ptr<const ClipboardContent> content);
    void serve();

    xcb_connection_t* connection_;
    std::uint32_t window_;
    // TARGETS, then one for each entry of the content.
    std::vector<std::uint32_t> atoms_;
    const std::shared_ptr<const ClipboardContent> content_;
    bool owns_ = true;
    int wake_;
    std::thread thread_;
};

}  // namespace tavo
