#include <algorithm>

#include "platform/Log.h"
#include "receiver/ScanListener.h"

namespace tavo {

bool ScanListener::mayTypeNow(const Peer& peer) const {
    if (!mayType(peer)) {
        return false;
    }
    if (holdsTyping_ && holdsTyping_()) {
        log::warning("held a scan back: the receiver's own window has the keyboard focus");
        return false;
    }
    return true;
}

void ScanListener::stopTypingUnlessAllowed() {
    const bool allowed = std::ranges::all_of(typingScans_, [this](const TypingScan& scan) {
        return scan.stopped || mayTypeNow(*scan.from);
    });
    if (allowed) {
        return;
    }
    log::detail("typing stopped");
    for (TypingScan& scan : typingScans_) {
        scan.stopped = true;
    }
    if (onStopTyping_) {
        onStopTyping_();
    }
}

void ScanListener::typingHoldChanged() {
    stopTypingUnlessAllowed();
}

void ScanListener::typingSettled(bool typedWhole) {
    if (typingScans_.empty()) {
        return;
    }
    const Uuid id = typingScans_.front().id;
    typingScans_.pop_front();
    if (typedWhole) {
        return;
    }
    // The oldest listed row of that scan that still says typed: a phone may send an id twice.
    const auto row = std::find_if(
        recentScans_.rbegin(), recentScans_.rend(),
        [&](const RecentScan& recent) { return recent.typed && recent.scan.id == id; });
    if (row != recentScans_.rend()) {
        objectWillChange_.emit();
        row->typed = false;
    }
}

}  // namespace tavo
