#include "receiver/ScanListener.h"

#include <algorithm>

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
      asksBeforeNewPhone_(defaults.string(asksBeforeNewPhoneKey) != "false"),
      onlyLocalNetworks_(defaults.string(onlyLocalNetworksKey) == "true") {
    // Stored as "<identity> <name>": an identity holds no space, a name may.
    for (const auto& entry : defaults.stringList(allowedPhonesKey)) {
        const auto space = entry.find(' ');
        if (space != std::string::npos) {
            allowedPhones_.push_back({entry.substr(0, space), entry.substr(space + 1)});
        }
    }
}

ScanListener::~ScanListener() = default;

std::optional<std::uint16_t> ScanListener::port() const {
    return listener_ ? std::optional(listener_->port()) : std::nullopt;
}

void ScanListener::stop() {
    listener_.reset();
    for (const auto& peer : waitingPeers_) {
        peer->connection->cancel();
    }
    waitingPeers_.clear();
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
        publish(advertisingTrouble_, AdvertisingTrouble{false, error.localizedDescription});
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
            if (advertisingTrouble_) {
                publish(advertisingTrouble_, std::nullopt);
            }
            break;
        case ListenerState::Kind::failed:
            log::warning("listener failed: ", why);
            publish(lastError_, description(state.error));
            publish(advertisingTrouble_, AdvertisingTrouble{false, why});
            break;
        case ListenerState::Kind::waiting:
            // Phones cannot find us until the DNS-SD daemon is back; they can still connect to
            // an address typed in by hand.
            log::warning("listener waiting, not advertised: ", why);
            publish(advertisingTrouble_, AdvertisingTrouble{true, why});
            break;
        case ListenerState::Kind::setup:
        case ListenerState::Kind::cancelled:
            break;
    }
}

void ScanListener::acceptConnection(std::shared_ptr<Connection> connection) {
    if (refusesAtOnce(*connection)) {
        connection->cancel();
        return;
    }
    auto peer = std::make_shared<Peer>(
        Peer{connection, connection->remoteAddress(), connection->peerOrigin(), {}});
    // A connected phone stays until the newcomer's hello shows a phone that may type.
    if (activePeer_ && !activePeer_->ended) {
        log::detail("a new connection waits for its hello");
        waitingPeers_.push_back(peer);
    } else {
        makeActive(peer);
        updatePhoneAsking();
    }
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

void ScanListener::handleConnectionState(const std::weak_ptr<Peer>& weakPeer,
                                         const ConnectionState& state) {
    const bool ended = state.kind == ConnectionState::Kind::cancelled ||
                       state.kind == ConnectionState::Kind::failed;
    const auto peer = weakPeer.lock();
    if (!ended || !peer) {
        return;
    }
    if (peer == activePeer_) {
        activePeer_->ended = true;
        publish(connectedDeviceName_, std::nullopt);
        updatePhoneAsking();
    } else if (std::erase(waitingPeers_, peer) > 0) {
        peer->ended = true;
        updatePhoneAsking();
    }
}

void ScanListener::cancelIfActive(const std::shared_ptr<Peer>& peer) {
    // A connection that is neither active nor waiting was cancelled when it was replaced.
    if (peer == activePeer_ || std::ranges::find(waitingPeers_, peer) != waitingPeers_.end()) {
        peer->connection->cancel();
    }
}

std::optional<std::string> ScanListener::description(const std::optional<NetworkError>& error) {
    return error ? std::optional(error->localizedDescription) : std::nullopt;
}

}  // namespace tavo
