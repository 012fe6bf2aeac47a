#include "receiver/ScanListener.h"

#include "kit/TavoProtocol.h"
#include "platform/Log.h"

namespace tavo {

namespace {

ReceiverOutputMode storedOutputMode(const DefaultsStore& defaults) {
    const auto stored = defaults.string(ScanListener::outputModeKey);
    return stored ? receiverOutputModeFromRawValue(*stored).value_or(ReceiverOutputMode::newline)
                  : ReceiverOutputMode::newline;
}

}  // namespace

std::shared_ptr<ScanListener> ScanListener::make(MainThread& mainThread, DefaultsStore& defaults,
                                                 Network& network) {
    std::shared_ptr<ScanListener> service(new ScanListener(mainThread, defaults, network));
    service->start();
    return service;
}

ScanListener::ScanListener(MainThread& mainThread, DefaultsStore& defaults, Network& network)
    : mainThread_(mainThread),
      defaults_(defaults),
      network_(network),
      queue_(network.makeQueue("tavo.receiver.network")),
      outputMode_(storedOutputMode(defaults)),
      asksBeforeNewPhone_(defaults.string(asksBeforeNewPhoneKey) != "false") {
    // Stored as "<address> <name>": an address holds no space, a name may.
    for (const auto& entry : defaults.stringList(allowedPhonesKey)) {
        const auto space = entry.find(' ');
        if (space != std::string::npos) {
            allowedPhones_.push_back({entry.substr(space + 1), entry.substr(0, space)});
        }
    }
}

ScanListener::~ScanListener() = default;

std::optional<std::uint16_t> ScanListener::port() const {
    return listener_ ? std::optional(listener_->port()) : std::nullopt;
}

void ScanListener::stop() {
    listener_.reset();
    if (activePeer_) {
        activePeer_->connection->cancel();
        activePeer_.reset();
    }
    queue_.reset();
}

void ScanListener::setOnScan(std::function<void(const TavoScan&)> onScan) {
    onScan_ = std::move(onScan);
}

void ScanListener::setHoldsTyping(std::function<bool()> holdsTyping) {
    holdsTyping_ = std::move(holdsTyping);
}

void ScanListener::setOnStopTyping(std::function<void()> onStopTyping) {
    onStopTyping_ = std::move(onStopTyping);
}

void ScanListener::start() {
    if (listener_ || !queue_) {
        return;
    }
    std::shared_ptr<Listener> listener;
    try {
        listener = network_.makeListener(*queue_);
    } catch (const NetworkError& error) {
        log::warning("listener failed: ", error.localizedDescription);
        publish(lastError_, error.localizedDescription);
        return;
    }
    listener->setService({std::nullopt, std::string(TavoProtocol::serviceType), std::nullopt});
    // The handlers run on the network queue: they only hand over to the main thread.
    listener->setNewConnectionHandler(
        [service = weak_from_this(), &mainThread = mainThread_](std::shared_ptr<Connection> c) {
            mainThread.post([service, c = std::move(c)] {
                if (const auto self = service.lock()) {
                    self->acceptConnection(c);
                }
            });
        });
    listener->setStateUpdateHandler(
        [service = weak_from_this(), &mainThread = mainThread_](ListenerState state) {
            mainThread.post([service, state] {
                if (const auto self = service.lock()) {
                    self->handleListenerState(state);
                }
            });
        });
    listener->start();
    listener_ = std::move(listener);
}

void ScanListener::handleListenerState(const ListenerState& state) {
    const std::string why = state.error ? state.error->localizedDescription : "";
    switch (state.kind) {
        case ListenerState::Kind::ready:
            log::detail("listener ready and advertised");
            publish(isAdvertising_, true);
            if (state.serviceName != advertisedName_) {
                publish(advertisedName_, state.serviceName);
            }
            break;
        case ListenerState::Kind::failed:
            log::warning("listener failed: ", why);
            publish(lastError_, description(state.error));
            break;
        case ListenerState::Kind::waiting:
            // Phones cannot find us until the DNS-SD daemon is back.
            log::warning("listener waiting, not advertised: ", why);
            break;
        case ListenerState::Kind::setup:
        case ListenerState::Kind::cancelled:
            break;
    }
}

void ScanListener::acceptConnection(std::shared_ptr<Connection> connection) {
    if (activePeer_) {
        log::detail("a new connection replaces the active one");
        activePeer_->connection->cancel();
    }
    auto peer = std::make_shared<Peer>(Peer{connection, connection->remoteAddress(), {}});
    activePeer_ = peer;
    // The name shown belongs to the connection whose hello gave it.
    if (connectedDeviceName_) {
        publish(connectedDeviceName_, std::nullopt);
    }
    updatePhoneAsking();
    // The handler knows its connection, so that a replaced connection's end leaves the published
    // state of the one that replaced it alone.
    connection->setStateUpdateHandler([service = weak_from_this(), weakPeer = std::weak_ptr(peer),
                                       &mainThread = mainThread_](ConnectionState state) {
        mainThread.post([service, weakPeer, state] {
            if (const auto self = service.lock()) {
                self->handleConnectionState(weakPeer, state);
            }
        });
    });
    connection->start();
    ReceiveLoop{weak_from_this(), mainThread_, std::move(peer)}.receiveHeader();
}

void ScanListener::handleConnectionState(const std::weak_ptr<Peer>& peer,
                                         const ConnectionState& state) {
    const bool ended = state.kind == ConnectionState::Kind::cancelled ||
                       state.kind == ConnectionState::Kind::failed;
    if (ended && activePeer_ && peer.lock() == activePeer_) {
        activePeer_->ended = true;
        publish(connectedDeviceName_, std::nullopt);
        updatePhoneAsking();
    }
}

void ScanListener::cancelIfActive(const std::shared_ptr<Peer>& peer) {
    // A connection that is no longer active was cancelled when it was replaced.
    if (peer == activePeer_) {
        peer->connection->cancel();
    }
}

std::optional<std::string> ScanListener::description(const std::optional<NetworkError>& error) {
    return error ? std::optional(error->localizedDescription) : std::nullopt;
}

}  // namespace tavo
