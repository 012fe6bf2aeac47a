#include "platform/network/AsioListener.h"

#include <netinet/in.h>
#include <netinet/tcp.h>

#include <asio/ip/v6_only.hpp>
#include <chrono>
#include <utility>

#include "platform/Log.h"
#include "platform/network/AsioConnection.h"
#include "platform/network/PeerOrigins.h"

namespace tavo {

namespace {

// Keepalive probes notice a phone that vanished without closing: after 30 s of silence, every
// 10 s, given up after 3 unanswered probes.
using KeepIdle = asio::detail::socket_option::integer<IPPROTO_TCP, TCP_KEEPIDLE>;
using KeepInterval = asio::detail::socket_option::integer<IPPROTO_TCP, TCP_KEEPINTVL>;
using KeepCount = asio::detail::socket_option::integer<IPPROTO_TCP, TCP_KEEPCNT>;

// A failed accept (out of descriptors, say) is tried again after this pause rather than at once.
constexpr std::chrono::milliseconds acceptRetryDelay(100);

void enableKeepAlive(asio::ip::tcp::socket& socket) {
    asio::error_code ignored;
    socket.set_option(asio::socket_base::keep_alive(true), ignored);
    socket.set_option(KeepIdle(30), ignored);
    socket.set_option(KeepInterval(10), ignored);
    socket.set_option(KeepCount(3), ignored);
}

bool listenOn(asio::ip::tcp::acceptor& acceptor, const asio::ip::tcp& protocol,
              asio::error_code& error) {
    acceptor.open(protocol, error);
    if (!error && protocol == asio::ip::tcp::v6()) {
        acceptor.set_option(asio::ip::v6_only(false), error);
    }
    if (!error) {
        acceptor.bind(asio::ip::tcp::endpoint(protocol, 0), error);
    }
    if (!error) {
        acceptor.listen(asio::socket_base::max_listen_connections, error);
    }
    if (error) {
        asio::error_code ignored;
        acceptor.close(ignored);
    }
    return !error;
}

// IPv6 accepting IPv4 too, or IPv4 alone where the host has no IPv6.
asio::ip::tcp::acceptor openAcceptor(asio::io_context& io) {
    asio::ip::tcp::acceptor acceptor(io);
    asio::error_code error;
    if (!listenOn(acceptor, asio::ip::tcp::v6(), error) &&
        !listenOn(acceptor, asio::ip::tcp::v4(), error)) {
        throw NetworkError{error.message()};
    }
    return acceptor;
}

}  // namespace

AsioListener::AsioListener(std::shared_ptr<NetworkContext> context)
    : context_(std::move(context)),
      core_(std::make_shared<Core>(context_, openAcceptor(context_->io()))),
      port_(core_->acceptor.local_endpoint().port()) {}

AsioListener::~AsioListener() {
    context_->post([core = std::move(core_)] { core->close(); });
}

void AsioListener::setService(ServiceAdvertisement service) {
    context_->post([core = core_, service = std::move(service)]() mutable {
        core->service = std::move(service);
    });
}

void AsioListener::setNewConnectionHandler(
    std::function<void(std::shared_ptr<Connection>)> handler) {
    context_->post([core = core_, handler = std::move(handler)]() mutable {
        core->newConnectionHandler = std::move(handler);
    });
}

void AsioListener::setStateUpdateHandler(std::function<void(ListenerState)> handler) {
    context_->post([core = core_, handler = std::move(handler)]() mutable {
        core->stateHandler = std::move(handler);
    });
}

void AsioListener::start() {
    context_->post([core = core_] { core->start(); });
}

AsioListener::Core::Core(std::shared_ptr<NetworkContext> context, asio::ip::tcp::acceptor acceptor)
    : context(std::move(context)),
      acceptor(std::move(acceptor)),
      acceptRetry(this->context->io()) {}

void AsioListener::Core::start() {
    if (started || closed) {
        return;
    }
    started = true;
    log::detail("listening on TCP port ", acceptor.local_endpoint().port());
    accept();
    if (!service) {
        report(ListenerState::Kind::ready);
        return;
    }
    advertiser = std::make_shared<AvahiAdvertiser>(
        context->io(), *service, acceptor.local_endpoint().port(),
        [this](AvahiAdvertiser::Status status, const std::string& error) {
            advertised(status, error);
        });
    advertiser->start();
}

void AsioListener::Core::close() {
    closed = true;
    asio::error_code ignored;
    acceptor.close(ignored);
    acceptRetry.cancel();
    advertiser.reset();
    newConnectionHandler = nullptr;
    stateHandler = nullptr;
}

void AsioListener::Core::accept() {
    acceptor.async_accept([core = shared_from_this()](const asio::error_code& error,
                                                      asio::ip::tcp::socket socket) {
        if (core->closed) {
            return;
        }
        if (error) {
            log::warning("accepting a connection failed: ", error.message());
            core->acceptRetry.expires_after(acceptRetryDelay);
            core->acceptRetry.async_wait([core](const asio::error_code& cancelled) {
                if (!cancelled && !core->closed) {
                    core->accept();
                }
            });
            return;
        }
        enableKeepAlive(socket);
        asio::error_code unknownPeer;
        const auto peer = socket.remote_endpoint(unknownPeer);
        log::detail("connection from ", peer.address().to_string(), " port ", peer.port());
        // Phones from other networks too: the receiver asks the user about them.
        auto origin = peerOriginOf(socket);
        auto connection =
            std::make_shared<AsioConnection>(core->context, std::move(socket), std::move(origin));
        if (core->newConnectionHandler) {
            core->newConnectionHandler(std::move(connection));
        }
        core->accept();
    });
}

void AsioListener::Core::report(ListenerState::Kind kind, std::optional<NetworkError> error,
                                std::optional<std::string> serviceName) {
    const auto description = [](const std::optional<NetworkError>& e) {
        return e ? std::optional(e->localizedDescription) : std::nullopt;
    };
    if (lastState && lastState->kind == kind &&
        description(lastState->error) == description(error) &&
        lastState->serviceName == serviceName) {
        return;
    }
    lastState = ListenerState{kind, std::move(error), std::move(serviceName)};
    if (stateHandler) {
        stateHandler(*lastState);
    }
}

void AsioListener::Core::advertised(AvahiAdvertiser::Status status, const std::string& error) {
    switch (status) {
        case AvahiAdvertiser::Status::registered:
            report(ListenerState::Kind::ready, std::nullopt, advertiser->name());
            break;
        case AvahiAdvertiser::Status::unreachable:
            report(ListenerState::Kind::waiting, NetworkError{error});
            break;
        case AvahiAdvertiser::Status::failed:
            report(ListenerState::Kind::failed, NetworkError{error});
            break;
    }
}

}  // namespace tavo
