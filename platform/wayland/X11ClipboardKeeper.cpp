#include "platform/wayland/X11ClipboardKeeper.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace tavo {
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t atomFor(xcb_connection_t* connection, const std::string& name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

// xcb rather than Xlib: Xlib ends the process when the display goes or a requestor's window
// vanishes before our reply; xcb reports both.
std::unique_ptr<X11ClipboardKeeper> X11ClipboardKeeper::start(
    std::shared_ptr<const ClipboardContent> content) {
    if (std::getenv("DISPLAY") == nullptr) {
        return nullptr;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    // Larger data would need the incremental transfer: the caller keeps it another way.
    const std::size_t largest = std::size_t{xcb_get_maximum_request_length(connection)} * 4 - 64;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    bool fits = screens.rem > 0;
    for (const ClipboardEntry& entry : *content) {
        fits = fits && entry.data.size() <= largest;
    }
    if (!fits) {
        xcb_disconnect(connection);
        return nullptr;
    }
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    const xcb_atom_t clipboard = atomFor(connection, "CLIPBOARD");
    std::vector<std::uint32_t> atoms{atomFor(connection, "TARGETS")};
    for (const ClipboardEntry& entry : *content) {
        atoms.push_back(atomFor(connection, entry.mimeType));
    }
    // Ownership wants a server time: that of an empty change to our own window.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window,
                        atomFor(connection, "TAVO_TIMESTAMP"), XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
    xcb_timestamp_t time = XCB_CURRENT_TIME;
    while (time == XCB_CURRENT_TIME) {
        const Reply<xcb_generic_event_t> event(xcb_wait_for_event(connection));
        if (!event) {
            xcb_disconnect(connection);
            return nullptr;
        }
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            time = reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time;
        }
    }
    xcb_set_selection_owner(connection, window, clipboard, time);
    const Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, clipboard), nullptr));
    if (!owner || owner->owner != window) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11ClipboardKeeper>(
        new X11ClipboardKeeper(connection, window, std::move(atoms), std::move(content)));
}

X11ClipboardKeeper::X11ClipboardKeeper(xcb_connection_t* connection, std::uint32_t window,
                                       std::vector<std::uint32_t> atoms,
                                       std::shared_ptr<const ClipboardContent> content)
    : connection_(connection),
      window_(window),
      atoms_(std::move(atoms)),
      content_(std::move(content)),
      wake_(eventfd(0, EFD_CLOEXEC)),
      thread_([this] { serve(); }) {}

X11ClipboardKeeper::~X11ClipboardKeeper() {
    const std::uint64_t one = 1;
    if (write(wake_, &one, sizeof one) < 0) {
        // The thread still ends when the connection does.
    }
    thread_.join();
    close(wake_);
    xcb_destroy_window(connection_, window_);
    xcb_disconnect(connection_);
}

void X11ClipboardKeeper::serve() {
    while (owns_) {
        Reply<xcb_generic_event_t> event(xcb_poll_for_event(connection_));
        if (!event) {
            if (xcb_connection_has_error(connection_) != 0) {
                owns_ = false;
                return;
            }
            pollfd fds[2] = {{xcb_get_file_descriptor(connection_), POLLIN, 0}, {wake_, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) {
                return;
            }
            continue;
        }
        const auto type = event->response_type & 0x7f;
        if (type == XCB_SELECTION_CLEAR) {
            owns_ = false;
        } else if (type == XCB_SELECTION_REQUEST) {
            const auto& request = *reinterpret_cast<xcb_selection_request_event_t*>(event.get());
            xcb_selection_notify_event_t reply{};
            reply.response_type = XCB_SELECTION_NOTIFY;
            reply.time = request.time;
            reply.requestor = request.requestor;
            reply.selection = request.selection;
            reply.target = request.target;
            reply.property = XCB_ATOM_NONE;
            // Old clients name no property: the target stands for it.
            const xcb_atom_t property =
                request.property != XCB_ATOM_NONE ? request.property : request.target;
            // Mutter offers every target but TARGETS to Wayland programs, in reverse order.
            if (request.target == atoms_.front()) {
                const std::vector<std::uint32_t> types(atoms_.rbegin(), atoms_.rend() - 1);
                xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                    XCB_ATOM_ATOM, 32, static_cast<std::uint32_t>(types.size()),
                                    types.data());
                reply.property = property;
            }
            for (std::size_t i = 1; i < atoms_.size(); ++i) {
                if (request.target == atoms_[i]) {
                    const std::string& data = (*content_)[i - 1].data;
                    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor,
                                        property, request.target, 8,
                                        static_cast<std::uint32_t>(data.size()), data.data());
                    reply.property = property;
                }
            }
            xcb_send_event(connection_, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char*>(&reply));
            xcb_flush(connection_);
        }
    }
}

}  // namespace tavo
