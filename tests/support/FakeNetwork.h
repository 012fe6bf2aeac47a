#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/Connection.h"
#include "platform/Listener.h"
#include "platform/Network.h"

// Single-threaded stand-ins of the network platform. Nothing runs by itself: the test plays the
// network queue by calling the deliver and complete operations, which run the handlers and
// completions at once, on the test's thread.
namespace tavo {

// Shared by the fakes of one FakeNetwork: whether a handler or completion is running, as if on the
// network queue, and whether the queue was destroyed from there (which would make a real queue join
// its own thread).
struct FakeNetworkSide {
    int depth = 0;
    bool queueDestroyedOnNetworkSide = false;
};

class NetworkSideScope {
  public:
    explicit NetworkSideScope(std::shared_ptr<FakeNetworkSide> side) : side_(std::move(side)) {
        ++side_->depth;
    }
    ~NetworkSideScope() { --side_->depth; }
    NetworkSideScope(const NetworkSideScope&) = delete;
    NetworkSideScope& operator=(const NetworkSideScope&) = delete;

  private:
    std::shared_ptr<FakeNetworkSide> side_;
};

class FakeNetworkQueue : public NetworkQueue {
  public:
    FakeNetworkQueue(std::string label, std::shared_ptr<FakeNetworkSide> side)
        : label(std::move(label)), side_(std::move(side)) {}
    ~FakeNetworkQueue() override {
        if (side_->depth > 0) {
            side_->queueDestroyedOnNetworkSide = true;
        }
    }

    const std::string label;

  private:
    std::shared_ptr<FakeNetworkSide> side_;
};

// Records what is asked of it. A pending receive stays pending until the test completes it, either
// by hand (completeReceive) or from a byte stream (feed, endStream). The test keeps the connection
// while it drives it.
class FakeConnection : public Connection {
  public:
    struct ReceiveRequest {
        std::size_t minimum;
        std::size_t maximum;
        friend bool operator==(const ReceiveRequest&, const ReceiveRequest&) = default;
    };

    explicit FakeConnection(
        std::shared_ptr<FakeNetworkSide> side = std::make_shared<FakeNetworkSide>())
        : side_(std::move(side)) {}

    void setStateUpdateHandler(std::function<void(ConnectionState)> handler) override {
        calls_.emplace_back("setStateUpdateHandler");
        stateHandler_ = std::move(handler);
    }
    void start() override { calls_.emplace_back("start"); }
    void cancel() override { calls_.emplace_back("cancel"); }
    void receive(std::size_t minimumIncompleteLength, std::size_t maximumLength,
                 ReceiveCompletion completion) override {
        calls_.emplace_back("receive");
        requests_.push_back({minimumIncompleteLength, maximumLength});
        pending_.push_back({{minimumIncompleteLength, maximumLength}, std::move(completion)});
    }
    // The completion is never called.
    void send(Bytes content, SendCompletion) override {
        calls_.emplace_back("send");
        sent_.push_back(std::move(content));
    }

    // Runs the state handler with state.
    void deliverState(ConnectionState state) {
        if (!stateHandler_) {
            throw std::logic_error("no connection state handler");
        }
        NetworkSideScope scope(side_);
        stateHandler_(std::move(state));
    }

    // Completes the oldest pending receive with exactly these arguments.
    void completeReceive(std::optional<Bytes> content, bool isComplete = false,
                         std::optional<NetworkError> error = std::nullopt) {
        if (pending_.empty()) {
            throw std::logic_error("no pending receive");
        }
        auto completion = std::move(pending_.front().completion);
        pending_.pop_front();
        NetworkSideScope scope(side_);
        completion(std::move(content), isComplete, std::move(error));
    }

    // The peer sends bytes: every pending receive whose minimum is there completes with up to its
    // maximum, including receives issued meanwhile; the rest waits for more.
    void feed(const Bytes& bytes) {
        stream_.insert(stream_.end(), bytes.begin(), bytes.end());
        serve();
    }

    // The peer ends the stream: pending receives get what is left, then no content, with
    // isComplete once nothing is left.
    void endStream() {
        ended_ = true;
        serve();
    }

    // Forgets pending receives without completing them (their completions own this connection).
    void dropPendingReceives() {
        auto dropped = std::move(pending_);
        pending_.clear();
    }

    // Calls made on it, in order: "setStateUpdateHandler", "start", "cancel", "receive", "send".
    const std::vector<std::string>& calls() const { return calls_; }
    std::size_t count(const std::string& call) const {
        return static_cast<std::size_t>(std::count(calls_.begin(), calls_.end(), call));
    }
    std::size_t cancels() const { return count("cancel"); }
    // Every receive ever issued, in order.
    const std::vector<ReceiveRequest>& receiveRequests() const { return requests_; }
    std::size_t pendingReceives() const { return pending_.size(); }
    // Every send's content, in order.
    const std::vector<Bytes>& sent() const { return sent_; }

  private:
    struct PendingReceive {
        ReceiveRequest request;
        ReceiveCompletion completion;
    };

    void serve() {
        while (!pending_.empty() &&
               (ended_ || stream_.size() >= pending_.front().request.minimum)) {
            const auto count = std::min(stream_.size(), pending_.front().request.maximum);
            std::optional<Bytes> content;
            if (count > 0 || !ended_) {
                const auto end = stream_.begin() + static_cast<std::ptrdiff_t>(count);
                content = Bytes(stream_.begin(), end);
                stream_.erase(stream_.begin(), end);
            }
            completeReceive(std::move(content), ended_ && stream_.empty());
        }
    }

    std::shared_ptr<FakeNetworkSide> side_;
    std::function<void(ConnectionState)> stateHandler_;
    std::vector<std::string> calls_;
    std::vector<ReceiveRequest> requests_;
    std::deque<PendingReceive> pending_;
    Bytes stream_;
    bool ended_ = false;
    std::vector<Bytes> sent_;
};

// Records its service, handlers and calls; the test delivers states and connections.
class FakeListener : public Listener {
  public:
    FakeListener(NetworkQueue& queue, std::shared_ptr<FakeNetworkSide> side, std::uint16_t port)
        : queue_(queue), side_(std::move(side)), port_(port) {}

    void setService(ServiceAdvertisement service) override {
        calls_.emplace_back("setService");
        service_ = std::move(service);
    }
    void setNewConnectionHandler(
        std::function<void(std::shared_ptr<Connection>)> handler) override {
        calls_.emplace_back("setNewConnectionHandler");
        connectionHandler_ = std::move(handler);
    }
    void setStateUpdateHandler(std::function<void(ListenerState)> handler) override {
        calls_.emplace_back("setStateUpdateHandler");
        stateHandler_ = std::move(handler);
    }
    void start() override { calls_.emplace_back("start"); }
    std::uint16_t port() const override { return port_; }

    void deliverState(ListenerState state) {
        if (!stateHandler_) {
            throw std::logic_error("no listener state handler");
        }
        NetworkSideScope scope(side_);
        stateHandler_(std::move(state));
    }
    void deliverConnection(std::shared_ptr<Connection> connection) {
        if (!connectionHandler_) {
            throw std::logic_error("no new-connection handler");
        }
        NetworkSideScope scope(side_);
        connectionHandler_(std::move(connection));
    }

    NetworkQueue& queue() const { return queue_; }
    const std::optional<ServiceAdvertisement>& service() const { return service_; }
    // Calls made on it, in order: "setService", "setNewConnectionHandler",
    // "setStateUpdateHandler", "start".
    const std::vector<std::string>& calls() const { return calls_; }

  private:
    NetworkQueue& queue_;
    std::shared_ptr<FakeNetworkSide> side_;
    std::uint16_t port_;
    std::optional<ServiceAdvertisement> service_;
    std::function<void(std::shared_ptr<Connection>)> connectionHandler_;
    std::function<void(ListenerState)> stateHandler_;
    std::vector<std::string> calls_;
};

// Makes fake queues and listeners, and connections for the test to deliver. Outlives what it made
// (as the platform does).
class FakeNetwork : public Network {
  public:
    ~FakeNetwork() override {
        for (const auto& weak : connections_) {
            if (const auto connection = weak.lock()) {
                connection->dropPendingReceives();
            }
        }
    }

    std::unique_ptr<NetworkQueue> makeQueue(std::string label) override {
        queueLabels_.push_back(label);
        return std::make_unique<FakeNetworkQueue>(std::move(label), side_);
    }

    std::shared_ptr<Listener> makeListener(NetworkQueue& queue) override {
        if (listenerError) {
            throw *listenerError;
        }
        listeners_.push_back(std::make_shared<FakeListener>(queue, side_, nextPort_++));
        return listeners_.back();
    }

    // A connection bound to this network, as the listener would hand it over.
    std::shared_ptr<FakeConnection> makeConnection() {
        auto connection = std::make_shared<FakeConnection>(side_);
        connections_.push_back(connection);
        return connection;
    }

    // makeListener throws this when set.
    std::optional<NetworkError> listenerError;

    const std::vector<std::string>& queueLabels() const { return queueLabels_; }
    const std::vector<std::shared_ptr<FakeListener>>& listeners() const { return listeners_; }
    // The listener made last; throws when none was.
    FakeListener& listener() const {
        if (listeners_.empty()) {
            throw std::logic_error("no listener");
        }
        return *listeners_.back();
    }

    // Whether a queue was destroyed while a handler or completion was running.
    bool queueDestroyedOnNetworkSide() const { return side_->queueDestroyedOnNetworkSide; }
    // Runs action as the main thread would, also from inside a handler or completion.
    void onMainSide(const std::function<void()>& action) {
        const auto depth = std::exchange(side_->depth, 0);
        action();
        side_->depth = depth;
    }

  private:
    std::shared_ptr<FakeNetworkSide> side_ = std::make_shared<FakeNetworkSide>();
    std::vector<std::string> queueLabels_;
    std::vector<std::shared_ptr<FakeListener>> listeners_;
    std::vector<std::weak_ptr<FakeConnection>> connections_;
    std::uint16_t nextPort_ = 49152;
};

}  // namespace tavo
