#pragma once

#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Listener.h"
#include "platform/network/AvahiAdvertiser.h"
#include "platform/network/NetworkContext.h"

namespace tavo {

// A dual-stack TCP listener on a system-chosen port, advertised through Avahi. The handle's
// operations are posted to the network thread; releasing the handle closes the listener there.
class AsioListener : public Listener {
  public:
    // Opens the socket at once. Throws NetworkError.
    explicit AsioListener(std::shared_ptr<NetworkContext> context);
    ~AsioListener() override;

    AsioListener(const AsioListener&) = delete;
    AsioListener& operator=(const AsioListener&) = delete;

    void setService(ServiceAdvertisement service) override;
    void setNewConnectionHandler(std::function<void(std::shared_ptr<Connection>)> handler) override;
    void setStateUpdateHandler(std::function<void(ListenerState)> handler) override;
    void start() override;
    std::uint16_t port() const override { return port_; }

  private:
    // What pending handlers own: it lives on the network thread until the handle lets it go.
    class Core : public std::enable_shared_from_this<Core> {
      public:
        Core(std::shared_ptr<NetworkContext> context, asio::ip::tcp::acceptor acceptor);

        void start();
        void close();
        void accept();
        void report(ListenerState::Kind kind, std::optional<NetworkError> error = std::nullopt,
                    std::optional<std::string> serviceName = std::nullopt);
        void advertised(AvahiAdvertiser::Status status, const std::string& error);

        std::shared_ptr<NetworkContext> context;
        asio::ip::tcp::acceptor acceptor;
        asio::steady_timer acceptRetry;
        std::optional<ServiceAdvertisement> service;
        std::function<void(std::shared_ptr<Connection>)> newConnectionHandler;
        std::function<void(ListenerState)> stateHandler;
        std::shared_ptr<AvahiAdvertiser> advertiser;
        std::optional<ListenerState> lastState;
        bool started = false;
        bool closed = false;
    };

    std::shared_ptr<NetworkContext> context_;
    std::shared_ptr<Core> core_;
    std::uint16_t port_;
};

}  // namespace tavo
