#pragma once

#include <avahi-common/watch.h>

#include <asio/io_context.hpp>

namespace tavo {

// Avahi's event loop interface served by an io_context, so that every Avahi callback runs on the
// network thread. It must outlive the Avahi client that uses it.
class AsioAvahiPoll {
  public:
    explicit AsioAvahiPoll(asio::io_context& io);

    AsioAvahiPoll(const AsioAvahiPoll&) = delete;
    AsioAvahiPoll& operator=(const AsioAvahiPoll&) = delete;

    const AvahiPoll* api() const { return &api_; }

  private:
    static AvahiWatch* watchNew(const AvahiPoll* api, int fd, AvahiWatchEvent events,
                                AvahiWatchCallback callback, void* userdata);
    static void watchUpdate(AvahiWatch* watch, AvahiWatchEvent events);
    static AvahiWatchEvent watchGetEvents(AvahiWatch* watch);
    static void watchFree(AvahiWatch* watch);
    static AvahiTimeout* timeoutNew(const AvahiPoll* api, const struct timeval* tv,
                                    AvahiTimeoutCallback callback, void* userdata);
    static void timeoutUpdate(AvahiTimeout* timeout, const struct timeval* tv);
    static void timeoutFree(AvahiTimeout* timeout);

    asio::io_context& io_;
    AvahiPoll api_;
};

}  // namespace tavo
