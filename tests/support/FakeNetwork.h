#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Connection.h"
#include "platform/Listener.h"
#include "platform/Network.h"

// Single-threaded stand-ins of the network platform. Nothing runs by itself: the test plays the
// network queue by calling the deliver, feed and complete operations, which run the handlers and
// completions at once, on the test's thread.
namespace tavo {

// Records what is asked of it. A pending receive stays pending until the test completes it, by
// hand (completeReceive) or from the peer's bytes (feed).
class FakeConnection : public Connection {
  public:
    struct ReceiveRequest {
        std::size_t minimum;
        std::size_t maximum;
        friend bool operator==(const ReceiveRequest&, const ReceiveRequest&) = default;
    };

    void setStateUpdateHandler(std::function<void(ConnectionState)> handler) override {
        calls.emplace_back("setStateUpdateHandler");
        stateHandler_ = std::move(handler);
    }
    void start() override { calls.emplace_back("start"); }
    void cancel() override { calls.emplace_back("cancel"); }
    void receive(std::size_t minimum, std::size_t maximum, ReceiveCompletion completion) override {
        calls.emplace_back("receive");
        requests.push_back({minimum, maximum});
        pending.push_back(std::move(completion));
    }
    // The completion is never called.
    void send(Bytes content, SendCompletion) override { sent.push_back(std::move(content)); }
    std::string remoteAddress() const override { return address; }
    PeerOrigin peerOrigin() const override { return origin; }

    void deliverState(ConnectionState state) { stateHandler_(std::move(state)); }

    // Completes the oldest pending receive with exactly these arguments.
    void completeReceive(std::optional<Bytes> content, bool isComplete = false,
                         std::optional<NetworkError> error = std::nullopt) {
        const auto completion = std::move(pending.front());
        pending.pop_front();
        completion(std::move(content), isComplete, std::move(error));
    }

    // The peer sends bytes: every pending receive whose minimum is there completes with up to its
    // maximum, including receives issued meanwhile.
    void feed(const Bytes& bytes) {
        stream_.insert(stream_.end(), bytes.begin(), bytes.end());
        while (!pending.empty()) {
            // The pending receives are the newest requests.
            const auto request = requests[requests.size() - pending.size()];
            if (stream_.size() < request.minimum) {
                break;
            }
            const auto count = std::min(stream_.size(), request.maximum);
            const auto end = stream_.begin() + static_cast<std::ptrdiff_t>(count);
            Bytes content(stream_.begin(), end);
            stream_.erase(stream_.begin(), end);
            completeReceive(std::move(content));
        }
    }

    std::size_t cancels() const {
        return static_cast<std::size_t>(std::ranges::count(calls, "cancel"));
    }

    // "setStateUpdateHandler", "start", "cancel" and "receive", in order.
    std::vector<std::string> calls;
    // Every receive issued, and the completions of those still pending, oldest first.
    std::vector<ReceiveRequest> requests;
    std::deque<ReceiveCompletion> pending;
    std::vector<Bytes> sent;
    std::string address = "192.168.1.20";
    // A device on the local link whose hardware address is unknown: known by its address.
    PeerOrigin origin;

  private:
    std::function<void(ConnectionState)> stateHandler_;
    Bytes stream_;
};

// The test delivers states and connections.
class FakeListener : public Listener {
  public:
    void setService(ServiceAdvertisement) override {}
    void setNewConnectionHandler(
        std::function<void(std::shared_ptr<Connection>)> handler) override {
        connectionHandler_ = std::move(handler);
    }
    void setStateUpdateHandler(std::function<void(ListenerState)> handler) override {
        stateHandler_ = std::move(handler);
    }
    void start() override {}
    std::uint16_t port() const override { return 49152; }

    void deliverState(ListenerState state) { stateHandler_(std::move(state)); }
    void deliverConnection(std::shared_ptr<Connection> c) { connectionHandler_(std::move(c)); }

  private:
    std::function<void(std::shared_ptr<Connection>)> connectionHandler_;
    std::function<void(ListenerState)> stateHandler_;
};

// Makes queues and fake listeners, and connections for the test to deliver. Outlives what it made
// (as the platform does).
class FakeNetwork : public Network {
  public:
    // Pending completions own their connection: drop them, or the connections leak.
    ~FakeNetwork() override {
        for (const auto& weak : connections_) {
            if (const auto connection = weak.lock()) {
                connection->pending.clear();
            }
        }
    }

    std::unique_ptr<NetworkQueue> makeQueue(std::string) override {
        return std::make_unique<NetworkQueue>();
    }

    std::shared_ptr<Listener> makeListener(NetworkQueue&) override {
        if (listenerError) {
            throw *listenerError;
        }
        return listeners.emplace_back(std::make_shared<FakeListener>());
    }

    std::shared_ptr<FakeConnection> makeConnection(std::string address = "192.168.1.20") {
        auto connection = std::make_shared<FakeConnection>();
        connection->address = std::move(address);
        connections_.push_back(connection);
        return connection;
    }

    FakeListener& listener() const { return *listeners.back(); }

    // makeListener throws this when set.
    std::optional<NetworkError> listenerError;
    std::vector<std::shared_ptr<FakeListener>> listeners;

  private:
    std::vector<std::weak_ptr<FakeConnection>> connections_;
};

}  // namespace tavo
