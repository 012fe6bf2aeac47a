#include <algorithm>

#include "platform/Log.h"
#include "receiver/ScanListener.h"

namespace tavo {

namespace {

std::string identityOf(const std::string& address, const PeerOrigin& origin) {
    if (origin.id.empty()) {
        return address;
    }
    return (origin.kind == PeerOrigin::Kind::localLink ? "link/" : "user/") + origin.id;
}

}  // namespace

Phone ScanListener::phoneOf(const Peer& peer, const std::string& deviceName) {
    return {deviceName, peer.address, identityOf(peer.address, peer.origin),
            peer.origin.kind == PeerOrigin::Kind::otherNetwork};
}

bool ScanListener::mayType(const Peer& peer) const {
    if (isPaused_ || isSessionLocked_ || !peer.admitted ||
        (onlyLocalNetworks_ && peer.origin.kind == PeerOrigin::Kind::otherNetwork)) {
        return false;
    }
    // A phone that has not said who it is types only when nobody is asked, and never from
    // another network.
    if (!peer.deviceName) {
        return !asksBeforeNewPhone_ && peer.origin.kind != PeerOrigin::Kind::otherNetwork;
    }
    return isAllowed(phoneOf(peer, *peer.deviceName));
}

bool ScanListener::mayReplace(const Peer& peer) const {
    return peer.deviceName && isAllowed(phoneOf(peer, *peer.deviceName));
}

bool ScanListener::isDenied(const Phone& phone) const {
    return std::ranges::find(deniedPhones_, keyOf(phone)) != deniedPhones_.end();
}

bool ScanListener::isAllowed(const Phone& phone) const {
    if (isDenied(phone)) {
        return false;
    }
    // Turning the question off trusts this computer's networks, not the world beyond them.
    return (!asksBeforeNewPhone_ && !phone.fromOtherNetwork) ||
           std::ranges::find(allowedPhones_, keyOf(phone)) != allowedPhones_.end();
}

bool ScanListener::refusesAtOnce(const Connection& connection) const {
    const PeerOrigin origin = connection.peerOrigin();
    if (origin.kind == PeerOrigin::Kind::otherUser) {
        log::warning("refused a connection from another user on this computer (",
                     origin.id.empty() ? "unknown user" : "user id " + origin.id, ")");
        return true;
    }
    if (origin.kind == PeerOrigin::Kind::otherNetwork && onlyLocalNetworks_) {
        log::warning("refused a connection from ", connection.remoteAddress(),
                     ", which is outside this computer's networks");
        return true;
    }
    return false;
}

void ScanListener::adoptStoredAddress(const Phone& phone) {
    if (phone.identity == phone.address ||
        std::ranges::find(allowedPhones_, keyOf(phone)) != allowedPhones_.end()) {
        return;
    }
    const auto stored =
        std::ranges::find(allowedPhones_, PhoneKey{phone.address, phone.deviceName});
    if (stored != allowedPhones_.end()) {
        stored->identity = phone.identity;
        storeAllowedPhones();
    }
}

void ScanListener::makeActive(const std::shared_ptr<Peer>& peer) {
    if (activePeer_ && activePeer_ != peer) {
        log::detail("a new connection replaces the active one");
        activePeer_->connection->cancel();
    }
    std::erase(waitingPeers_, peer);
    peer->admitted = true;
    activePeer_ = peer;
    // The name shown belongs to the connection whose hello gave it.
    if (connectedDeviceName_) {
        publish(connectedDeviceName_, std::nullopt);
    }
}

void ScanListener::admitWaitingPeers() {
    const auto newest =
        std::ranges::find_if(waitingPeers_.rbegin(), waitingPeers_.rend(),
                             [this](const auto& peer) { return mayReplace(*peer); });
    if (newest != waitingPeers_.rend()) {
        const auto peer = *newest;
        makeActive(peer);
        publish(connectedDeviceName_, peer->deviceName);
        publish(lastError_, std::nullopt);
    }
}

void ScanListener::updatePhoneAsking() {
    std::vector<Phone> asking;
    const auto consider = [&](const std::shared_ptr<Peer>& peer) {
        if (peer && !peer->ended && peer->deviceName) {
            Phone phone = phoneOf(*peer, *peer->deviceName);
            if (!isAllowed(phone) && !isDenied(phone) &&
                std::ranges::find(asking, phone) == asking.end()) {
                asking.push_back(std::move(phone));
            }
        }
    };
    consider(activePeer_);
    std::ranges::for_each(waitingPeers_, consider);
    // The phone shown stays shown until it is answered or gone.
    std::vector<Phone> ordered;
    for (const Phone& phone : phonesAsking_) {
        if (std::ranges::find(asking, phone) != asking.end()) {
            ordered.push_back(phone);
        }
    }
    for (Phone& phone : asking) {
        if (std::ranges::find(ordered, phone) == ordered.end()) {
            ordered.push_back(std::move(phone));
        }
    }
    phonesAsking_ = std::move(ordered);
    std::optional<Phone> first;
    if (!phonesAsking_.empty()) {
        first = phonesAsking_.front();
    }
    if (first != phoneAsking_) {
        publish(phoneAsking_, std::move(first));
    }
}

void ScanListener::storeAllowedPhones() {
    std::vector<std::string> entries;
    for (const PhoneKey& phone : allowedPhones_) {
        entries.push_back(phone.identity + ' ' + phone.deviceName);
    }
    defaults_.setStringList(allowedPhonesKey, entries);
}

void ScanListener::setPaused(bool paused) {
    publish(isPaused_, paused);
    stopTypingUnlessAllowed();
}

void ScanListener::setSessionLocked(bool locked) {
    if (locked == isSessionLocked_) {
        return;
    }
    if (locked) {
        log::warning("the session is locked: scans are not typed until it is unlocked");
    } else {
        log::detail("the session is unlocked: new scans are typed again");
    }
    publish(isSessionLocked_, locked);
    stopTypingUnlessAllowed();
}

void ScanListener::setAsksBeforeNewPhone(bool asks) {
    publish(asksBeforeNewPhone_, asks);
    defaults_.setString(asksBeforeNewPhoneKey, asks ? "true" : "false");
    admitWaitingPeers();
    updatePhoneAsking();
    stopTypingUnlessAllowed();
}

void ScanListener::setOnlyLocalNetworks(bool only) {
    publish(onlyLocalNetworks_, only);
    defaults_.setString(onlyLocalNetworksKey, only ? "true" : "false");
    if (!only) {
        return;
    }
    stopTypingUnlessAllowed();
    for (const auto& peer : waitingPeers_) {
        if (refusesAtOnce(*peer->connection)) {
            peer->connection->cancel();
        }
    }
    if (activePeer_ && refusesAtOnce(*activePeer_->connection)) {
        activePeer_->connection->cancel();
    }
}

void ScanListener::allowAskingPhone(const Phone& shown) {
    if (std::ranges::find(allowedPhones_, keyOf(shown)) == allowedPhones_.end()) {
        allowedPhones_.push_back(keyOf(shown));
        storeAllowedPhones();
    }
    admitWaitingPeers();
    updatePhoneAsking();
}

void ScanListener::denyAskingPhone(const Phone& shown) {
    deniedPhones_.push_back(keyOf(shown));
    const auto isShown = [&](const std::shared_ptr<Peer>& peer) {
        return peer && peer->deviceName && keyOf(phoneOf(*peer, *peer->deviceName)) == keyOf(shown);
    };
    for (const auto& peer : waitingPeers_) {
        if (isShown(peer)) {
            peer->connection->cancel();
        }
    }
    if (isShown(activePeer_)) {
        activePeer_->connection->cancel();
    }
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
