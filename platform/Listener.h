#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Connection.h"
#include "platform/NetworkError.h"

namespace tavo {

struct ListenerState {
    enum class Kind { setup, waiting, ready, failed, cancelled };
    Kind kind;
    std::optional<NetworkError> error;  // with waiting and failed
    // With ready: the name the service is advertised under, after any renaming on a collision.
    std::optional<std::string> serviceName = std::nullopt;
};

// What the listener advertises by DNS-SD. No TXT record is ever published.
struct ServiceAdvertisement {
    std::optional<std::string> name;  // nothing: the platform's default name
    std::string type;
    std::optional<std::string> domain;  // nothing: the platform's default registration domain
};

// A TCP listener on a system-chosen port. Handlers run on the network queue it was made on.
class Listener {
  public:
    virtual ~Listener() = default;

    virtual void setService(ServiceAdvertisement service) = 0;
    // Called once per inbound connection, with a connection that is not yet started.
    virtual void setNewConnectionHandler(
        std::function<void(std::shared_ptr<Connection>)> handler) = 0;
    // ready means accepting and advertised.
    virtual void setStateUpdateHandler(std::function<void(ListenerState)> handler) = 0;
    virtual void start() = 0;
    // The port it listens on.
    virtual std::uint16_t port() const = 0;
};

}  // namespace tavo
