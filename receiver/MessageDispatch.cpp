#include <algorithm>

#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"
#include "platform/Log.h"
#include "receiver/ScanListener.h"

namespace tavo {

void ScanListener::handleMessage(const std::shared_ptr<Peer>& from, const TavoMessage& message) {
    if (const auto* hello = message.hello()) {
        handleHello(from, hello->deviceName);
    } else if (const auto* scan = message.scan()) {
        // A held scan is never typed later; one handed to typing may still be stopped.
        const bool typed = mayTypeNow(*from);
        // Two assignments, each announced: the insertion, then the removal of the oldest scan.
        objectWillChange_.emit();
        recentScans_.insert(recentScans_.begin(), {*scan, typed});
        if (recentScans_.size() > recentScansLimit) {
            objectWillChange_.emit();
            recentScans_.pop_back();
        }
        if (typed && onScan_) {
            typingScans_.push_back({scan->id, from});
            onScan_(*scan);
        }
    }
    // A status from the phone changes nothing.
}

void ScanListener::handleHello(const std::shared_ptr<Peer>& from, const std::string& deviceName) {
    // A replaced connection no longer speaks for the phone that is shown.
    const bool waiting = std::ranges::find(waitingPeers_, from) != waitingPeers_.end();
    if (from != activePeer_ && !waiting) {
        return;
    }
    const Phone phone = phoneOf(*from, deviceName);
    if (isDenied(phone)) {
        log::warning("refused the denied phone at ", phone.address);
        from->connection->cancel();
        return;
    }
    log::detail("connected device: \"", deviceName, "\"");
    adoptStoredAddress(phone);
    from->deviceName = deviceName;
    // A connection that waited replaces the connected phone only as a phone that may type.
    if (waiting && mayReplace(*from)) {
        makeActive(from);
    }
    if (from == activePeer_) {
        publish(connectedDeviceName_, deviceName);
        publish(lastError_, std::nullopt);
    }
    // Also a phone that must still be allowed, or waits: it expects the reply.
    sendStatusTo(*from->connection);
    updatePhoneAsking();
}

void ScanListener::sendStatus() {
    if (activePeer_) {
        sendStatusTo(*activePeer_->connection);
    }
}

void ScanListener::sendStatusTo(Connection& connection) {
    Bytes frame;
    try {
        frame = TavoFraming::encode(TavoReceiverStatus{outputMode_});
    } catch (const EncodingError& error) {
        log::warning("status not sent: ", error.what());
        return;
    }
    connection.send(std::move(frame), [](std::optional<NetworkError> error) {
        if (error) {
            log::warning("status not sent: ", error->localizedDescription);
        }
    });
}

void ScanListener::setOutputMode(ReceiverOutputMode mode) {
    log::detail("output mode: ", rawValue(mode));
    publish(outputMode_, mode);
    defaults_.setString(outputModeKey, rawValue(mode));
    sendStatus();
}

}  // namespace tavo
