#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
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

private:
    ScanListener(MainThread& mainThread, DefaultsStore& defaults, Network& network);

    void start();
    void acceptConnection(std::shared_ptr<Connection> connection);
    void handleMessage(const TavoMessage& message);
    void sendStatus();

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
