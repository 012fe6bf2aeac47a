#include <algorithm>

#include "receiver/ScanListener.h"

namespace tavo {

bool ScanListener::mayType(const Peer& peer) const {
    if (isPaused_) {
        return false;
    }
    // A phone that has not said who it is types only when nobody is asked.
    return peer.deviceName ? isAllowed({*peer.deviceName, peer.address}) : !asksBeforeNewPhone_;
}

bool ScanListener::isDenied(const Phone& phone) const {
    return std::ranges::find(deniedPhones_, phone) != deniedPhones_.end();
}

bool ScanListener::isAllowed(const Phone& phone) const {
    if (isDenied(phone)) {
        return false;
    }
    return !asksBeforeNewPhone_ || std::ranges::find(allowedPhones_, phone) != allowedPhones_.end();
}

void ScanListener::updatePhoneAsking() {
    std::optional<Phone> asking;
    if (activePeer_ && !activePeer_->ended && activePeer_->deviceName) {
        Phone phone{*activePeer_->deviceName, activePeer_->address};
        if (!isAllowed(phone) && !isDenied(phone)) {
            asking = std::move(phone);
        }
    }
    if (asking != phoneAsking_) {
        publish(phoneAsking_, std::move(asking));
    }
}

void ScanListener::storeAllowedPhones() {
    std::vector<std::string> entries;
    for (const Phone& phone : allowedPhones_) {
        entries.push_back(phone.address + ' ' + phone.deviceName);
    }
    defaults_.setStringList(allowedPhonesKey, entries);
}

void ScanListener::setPaused(bool paused) {
    publish(isPaused_, paused);
    stopTypingUnlessAllowed();
}

void ScanListener::setAsksBeforeNewPhone(bool asks) {
    publish(asksBeforeNewPhone_, asks);
    defaults_.setString(asksBeforeNewPhoneKey, asks ? "true" : "false");
    updatePhoneAsking();
    stopTypingUnlessAllowed();
}

void ScanListener::allowAskingPhone() {
    if (!phoneAsking_) {
        return;
    }
    allowedPhones_.push_back(*phoneAsking_);
    storeAllowedPhones();
    updatePhoneAsking();
}

void ScanListener::denyAskingPhone() {
    if (!phoneAsking_) {
        return;
    }
    deniedPhones_.push_back(*phoneAsking_);
    // The asking phone is always the active connection's.
    activePeer_->connection->cancel();
    updatePhoneAsking();
    stopTypingUnlessAllowed();
}

void ScanListener::forgetAllowedPhones() {
    allowedPhones_.clear();
    storeAllowedPhones();
    updatePhoneAsking();
    stopTypingUnlessAllowed();
}

}  // namespace tavo
