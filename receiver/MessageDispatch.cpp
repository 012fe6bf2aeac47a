#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"
#include "platform/Log.h"
#include "receiver/ScanListener.h"

namespace tavo {

void ScanListener::handleMessage(const TavoMessage& message) {
    if (const auto* hello = message.hello()) {
        log::detail("connected device: \"", hello->deviceName, "\"");
        publish(connectedDeviceName_, hello->deviceName);
        publish(lastError_, std::nullopt);
        sendStatus();
    } else if (const auto* scan = message.scan()) {
        // Two assignments, each announced: the insertion, then the removal of the oldest scan.
        objectWillChange_.emit();
        recentScans_.insert(recentScans_.begin(), *scan);
        if (recentScans_.size() > recentScansLimit) {
            objectWillChange_.emit();
            recentScans_.pop_back();
        }
        if (onScan_) {
            onScan_(*scan);
        }
    }
    // A status from the phone changes nothing.
}

void ScanListener::sendStatus() {
    if (!activeConnection_) {
        return;
    }
    Bytes frame;
    try {
        frame = TavoFraming::encode(TavoReceiverStatus{outputMode_});
    } catch (const EncodingError& error) {
        log::warning("status not sent: ", error.what());
        return;
    }
    activeConnection_->send(std::move(frame), [](std::optional<NetworkError> error) {
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
