#pragma once

#include <avahi-client/client.h>
#include <avahi-client/publish.h>

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Listener.h"
#include "platform/network/AsioAvahiPoll.h"

namespace tavo {

// Keeps one service registered with the system's avahi-daemon: waits for the daemon while it is
// away and registers again after it restarts. Runs on the thread of its io_context.
class AvahiAdvertiser : public std::enable_shared_from_this<AvahiAdvertiser> {
  public:
    enum class Status { registered, unreachable, failed };
    // error: Avahi's description of the cause, empty when registered.
    using StatusHandler = std::function<void(Status status, const std::string& error)>;

    AvahiAdvertiser(asio::io_context& io, ServiceAdvertisement service, std::uint16_t port,
                    StatusHandler handler);
    ~AvahiAdvertiser();

    AvahiAdvertiser(const AvahiAdvertiser&) = delete;
    AvahiAdvertiser& operator=(const AvahiAdvertiser&) = delete;

    void start();
    // The name registered last: the host name, or its alternative after a collision.
    const std::string& name() const { return name_; }

  private:
    static void onClientState(AvahiClient* client, AvahiClientState state, void* userdata);
    static void onGroupState(AvahiEntryGroup* group, AvahiEntryGroupState state, void* userdata);

    void connect();
    void disconnect();
    // Replaces the client later, never from inside one of its own callbacks.
    void reconnect(std::chrono::milliseconds delay);
    void publish(AvahiClient* client);
    void rename();
    // Waits for the daemon, or gives up for good when it refused the service.
    void fail(int error);
    void report(Status status, int error);

    AsioAvahiPoll poll_;
    asio::steady_timer reconnectTimer_;
    ServiceAdvertisement service_;
    std::uint16_t port_;
    StatusHandler handler_;
    AvahiClient* client_ = nullptr;
    AvahiEntryGroup* group_ = nullptr;
    std::string name_;
    // The daemon refused the service: registering it again would fail the same way.
    bool refused_ = false;
};

}  // namespace tavo
