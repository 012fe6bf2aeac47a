#include "platform/network/AsioAvahiPoll.h"

#include <avahi-common/timeval.h>
#include <unistd.h>

#include <algorithm>
#include <asio/posix/stream_descriptor.hpp>
#include <asio/steady_timer.hpp>
#include <chrono>
#include <memory>

// The opaque types of Avahi's poll interface. Each owns itself until Avahi frees it; pending waits
// own it too, so that Avahi may free it from inside its own callback.
struct AvahiWatch {
    AvahiWatch(asio::io_context& io, int fd, int ownFd, AvahiWatchEvent events,
               AvahiWatchCallback callback, void* userdata)
        : descriptor(io, ownFd), fd(fd), events(events), callback(callback), userdata(userdata) {}

    // A duplicate of fd: libdbus may watch one descriptor twice, which the reactor refuses.
    asio::posix::stream_descriptor descriptor;
    int fd;
    int events;
    AvahiWatchEvent happened = static_cast<AvahiWatchEvent>(0);
    AvahiWatchCallback callback;
    void* userdata;
    bool waitingToRead = false;
    bool waitingToWrite = false;
    std::shared_ptr<AvahiWatch> self;
};

struct AvahiTimeout {
    AvahiTimeout(asio::io_context& io, AvahiTimeoutCallback callback, void* userdata)
        : timer(io), callback(callback), userdata(userdata) {}

    asio::steady_timer timer;
    AvahiTimeoutCallback callback;
    void* userdata;
    // Tells a timer that has already fired that it was set again or disabled since.
    unsigned generation = 0;
    std::shared_ptr<AvahiTimeout> self;
};

namespace tavo {

namespace {

void wait(const std::shared_ptr<AvahiWatch>& watch);

void waitFor(const std::shared_ptr<AvahiWatch>& watch, AvahiWatchEvent event) {
    const bool reading = event == AVAHI_WATCH_IN;
    bool& waiting = reading ? watch->waitingToRead : watch->waitingToWrite;
    if (waiting || !(watch->events & event)) {
        return;
    }
    waiting = true;
    watch->descriptor.async_wait(reading ? asio::posix::descriptor_base::wait_read
                                         : asio::posix::descriptor_base::wait_write,
                                 [watch, event, &waiting](const asio::error_code& error) {
                                     waiting = false;
                                     // A freed watch, or one that no longer wants this event, drops
                                     // it.
                                     if (error || !watch->self || !(watch->events & event)) {
                                         return;
                                     }
                                     watch->happened = event;
                                     watch->callback(watch.get(), watch->fd, event,
                                                     watch->userdata);
                                     watch->happened = static_cast<AvahiWatchEvent>(0);
                                     if (watch->self) {
                                         wait(watch);
                                     }
                                 });
}

void wait(const std::shared_ptr<AvahiWatch>& watch) {
    waitFor(watch, AVAHI_WATCH_IN);
    waitFor(watch, AVAHI_WATCH_OUT);
}

void set(AvahiTimeout* timeout, const struct timeval* tv) {
    ++timeout->generation;
    timeout->timer.cancel();
    if (!tv) {
        return;
    }
    // avahi_age() is how long ago tv was: negative for a time still to come.
    const auto delay = std::chrono::microseconds(std::max<AvahiUsec>(-avahi_age(tv), 0));
    timeout->timer.expires_after(delay);
    timeout->timer.async_wait(
        [timeout = timeout->self, generation = timeout->generation](const asio::error_code& error) {
            if (error || !timeout->self || generation != timeout->generation) {
                return;
            }
            // A timeout that fired stays off until it is set again.
            ++timeout->generation;
            timeout->callback(timeout.get(), timeout->userdata);
        });
}

}  // namespace

AsioAvahiPoll::AsioAvahiPoll(asio::io_context& io)
    : io_(io), api_{this,      watchNew,   watchUpdate,   watchGetEvents,
                    watchFree, timeoutNew, timeoutUpdate, timeoutFree} {}

AvahiWatch* AsioAvahiPoll::watchNew(const AvahiPoll* api, int fd, AvahiWatchEvent events,
                                    AvahiWatchCallback callback, void* userdata) {
    const int ownFd = ::dup(fd);
    if (ownFd < 0) {
        return nullptr;
    }
    auto& poll = *static_cast<AsioAvahiPoll*>(api->userdata);
    auto watch = std::make_shared<AvahiWatch>(poll.io_, fd, ownFd, events, callback, userdata);
    watch->self = watch;
    wait(watch);
    return watch.get();
}

void AsioAvahiPoll::watchUpdate(AvahiWatch* watch, AvahiWatchEvent events) {
    watch->events = events;
    wait(watch->self);
}

AvahiWatchEvent AsioAvahiPoll::watchGetEvents(AvahiWatch* watch) {
    return watch->happened;
}

void AsioAvahiPoll::watchFree(AvahiWatch* watch) {
    // Closing the duplicate ends the pending waits, which hold the last references.
    asio::error_code ignored;
    watch->descriptor.close(ignored);
    watch->self.reset();
}

AvahiTimeout* AsioAvahiPoll::timeoutNew(const AvahiPoll* api, const struct timeval* tv,
                                        AvahiTimeoutCallback callback, void* userdata) {
    auto& poll = *static_cast<AsioAvahiPoll*>(api->userdata);
    auto timeout = std::make_shared<AvahiTimeout>(poll.io_, callback, userdata);
    timeout->self = timeout;
    set(timeout.get(), tv);
    return timeout.get();
}

void AsioAvahiPoll::timeoutUpdate(AvahiTimeout* timeout, const struct timeval* tv) {
    set(timeout, tv);
}

void AsioAvahiPoll::timeoutFree(AvahiTimeout* timeout) {
    ++timeout->generation;
    timeout->timer.cancel();
    timeout->self.reset();
}

}  // namespace tavo
