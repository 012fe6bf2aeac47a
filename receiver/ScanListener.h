#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "kit/ReceiverOutputMode.h"
#include "kit/TavoMessage.h"
#include "kit/TavoScan.h"
#include "platform/Connection.h"
#include "platform/DefaultsStore.h"
#include "platform/Listener.h"
#include "platform/MainThread.h"
#include "platform/Network.h"
#include "receiver/WillChangeSignal.h"

namespace tavo {

// The receiver's network service: advertises a TCP listener, serves one phone at a time, and
// publishes what the panel shows. Created, used and destroyed on the main thread.
class ScanListener : public std::enable_shared_from_this<ScanListener> {
  public:
    static constexpr const char* outputModeKey = "tavo.outputMode";
    static constexpr std::size_t recentScansLimit = 20;

    // Loads the stored output mode and starts listening and advertising. The platform objects must
    // outlive the listener.
    static std::shared_ptr<ScanListener> make(MainThread& mainThread, DefaultsStore& defaults,
                                              Network& network);
    ~ScanListener();

    ScanListener(const ScanListener&) = delete;
    ScanListener& operator=(const ScanListener&) = delete;

    // Published fields: every assignment emits objectWillChange first, then stores.
    bool isAdvertising() const { return isAdvertising_; }
    const std::optional<std::string>& connectedDeviceName() const { return connectedDeviceName_; }
    const std::vector<TavoScan>& recentScans() const { return recentScans_; }
    const std::optional<std::string>& lastError() const { return lastError_; }
    ReceiverOutputMode outputMode() const { return outputMode_; }

    // Persists the mode and tells the connected phone, also when the mode is unchanged.
    void setOutputMode(ReceiverOutputMode mode);

    void setOnScan(std::function<void(const TavoScan&)> onScan);

    WillChangeSignal& objectWillChange() { return objectWillChange_; }

    // The listening port, once a listener exists.
    std::optional<std::uint16_t> port() const;

    // Ends all network activity for good, before the program quits: stops accepting and
    // advertising, cancels the phone's connection and joins the network thread. Jobs it posted
    // earlier may still reach the main thread; they find nothing to act on.
    void stop();

  private:
    // Lets the tests call start() again.
    friend class ScanListenerTestPeer;

    // Bodies announced longer than this are read away in chunks of at most discardChunkLength and
    // dropped, so that a peer cannot make the receiver buffer up to 4 GiB.
    static constexpr std::size_t maximumBodyLength = 1024 * 1024;
    static constexpr std::size_t discardChunkLength = 64 * 1024;

    // The frame loop of one connection. It runs on the network queue, where it touches no field:
    // it holds the service weakly, owns the connection it reads and posts its results to the main
    // thread. It never keeps the last strong reference to the service there, since the service's
    // destruction waits for the network queue.
    struct ReceiveLoop {
        std::weak_ptr<ScanListener> service;
        MainThread& mainThread;
        std::shared_ptr<Connection> connection;

        void receiveHeader() const;
        void receiveBody(std::uint32_t length) const;
        void discardBody(std::size_t remaining) const;
        void stop(bool isComplete, std::optional<NetworkError> error) const;
    };

    ScanListener(MainThread& mainThread, DefaultsStore& defaults, Network& network);

    void start();
    void handleListenerState(const ListenerState& state);
    void acceptConnection(std::shared_ptr<Connection> connection);
    void handleConnectionState(const std::weak_ptr<Connection>& connection,
                               const ConnectionState& state);
    void cancelIfActive(const std::shared_ptr<Connection>& connection);
    void handleMessage(const TavoMessage& message);
    void sendStatus();

    static std::optional<std::string> description(const std::optional<NetworkError>& error);

    // Assigns a published field.
    template <typename T>
    void publish(T& field, std::type_identity_t<T> value) {
        objectWillChange_.emit();
        field = std::move(value);
    }

    MainThread& mainThread_;
    DefaultsStore& defaults_;
    Network& network_;
    // Declared first so that it is destroyed last, after everything made on it.
    std::unique_ptr<NetworkQueue> queue_;

    WillChangeSignal objectWillChange_;
    bool isAdvertising_ = false;
    std::optional<std::string> connectedDeviceName_;
    std::vector<TavoScan> recentScans_;
    std::optional<std::string> lastError_;
    ReceiverOutputMode outputMode_ = ReceiverOutputMode::newline;

    std::function<void(const TavoScan&)> onScan_;
    std::shared_ptr<Listener> listener_;
    std::shared_ptr<Connection> activeConnection_;
};

}  // namespace tavo
