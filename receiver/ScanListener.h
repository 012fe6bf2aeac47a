#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
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
#include "platform/PeerOrigin.h"
#include "receiver/WillChangeSignal.h"

namespace tavo {

// A phone as the user is asked about it. It is known by the name its hello gives together with
// its identity: its hardware address on a local link ("link/<hardware address>"), the local user
// on this computer ("user/<user id>"), else the address it connects from.
struct Phone {
    std::string deviceName;
    std::string address;
    std::string identity;
    bool fromOtherNetwork = false;
    friend bool operator==(const Phone&, const Phone&) = default;
};

// A received scan as listed; typed is false when it was held back (its phone was not allowed,
// typing was paused or the session was locked), and such a scan is never typed later. It also turns
// false when typing was stopped before the scan was typed whole.
struct RecentScan {
    TavoScan scan;
    bool typed;
};

// Why phones cannot find the service by DNS-SD, while they cannot.
struct AdvertisingTrouble {
    // true while the platform's DNS-SD service cannot be reached: the service is registered as
    // soon as it can; false when registration failed for good.
    bool isWaiting;
    std::string description;  // the platform's
    friend bool operator==(const AdvertisingTrouble&, const AdvertisingTrouble&) = default;
};

// The receiver's network service: advertises a TCP listener, serves one phone at a time, and
// publishes what the panel shows. Created, used and destroyed on the main thread.
class ScanListener : public std::enable_shared_from_this<ScanListener> {
  public:
    static constexpr const char* outputModeKey = "tavo.outputMode";
    static constexpr const char* asksBeforeNewPhoneKey = "tavo.askBeforeNewPhone";
    // Entries "<identity> <name>"; entries stored as "<address> <name>" by earlier releases are
    // honoured, and take the phone's identity when it next says hello.
    static constexpr const char* allowedPhonesKey = "tavo.allowedPhones";
    static constexpr const char* onlyLocalNetworksKey = "tavo.onlyLocalNetworks";
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
    // The name from the hello of the active connection, while that connection lasts.
    const std::optional<std::string>& connectedDeviceName() const { return connectedDeviceName_; }
    const std::vector<RecentScan>& recentScans() const { return recentScans_; }
    const std::optional<std::string>& lastError() const { return lastError_; }
    ReceiverOutputMode outputMode() const { return outputMode_; }
    // The name the service is advertised under, once it is.
    const std::optional<std::string>& advertisedName() const { return advertisedName_; }
    // Nothing once advertised, and until the platform says anything.
    const std::optional<AdvertisingTrouble>& advertisingTrouble() const {
        return advertisingTrouble_;
    }
    bool isPaused() const { return isPaused_; }
    bool isSessionLocked() const { return isSessionLocked_; }
    bool asksBeforeNewPhone() const { return asksBeforeNewPhone_; }
    // A connected phone that said hello but is not allowed yet: nothing it sends is typed until
    // the user allows it. Phones asking together are asked about one after another, in the order
    // they asked.
    const std::optional<Phone>& phoneAsking() const { return phoneAsking_; }
    // Persisted; when on, phones from beyond this computer's networks are refused at once.
    bool onlyLocalNetworks() const { return onlyLocalNetworks_; }

    // Persists the mode and tells the connected phone, also when the mode is unchanged.
    void setOutputMode(ReceiverOutputMode mode);

    // Holds back every scan until switched back, and stops typing at once; not persisted.
    void setPaused(bool paused);
    // Holds back every scan while the user's session is locked, exactly as a pause does: keys
    // typed then would go to the unlock dialog.
    void setSessionLocked(bool locked);
    // Persisted; when off, every phone that has not been denied types.
    void setAsksBeforeNewPhone(bool asks);
    // Remembers the phone the user was shown for good: its later scans are typed, and its
    // connection replaces the connected phone's if it waited for that.
    void allowAskingPhone(const Phone& shown);
    // Closes the connections of the phone the user was shown and refuses it until the program
    // restarts.
    void denyAskingPhone(const Phone& shown);
    void forgetAllowedPhones();
    void setOnlyLocalNetworks(bool only);

    // Called with each scan that is to be typed. Each is settled later, in order, by
    // typingSettled().
    void setOnScan(std::function<void(const TavoScan&)> onScan);
    // Asked whether a scan that may be typed may be typed now; while it answers true, scans are
    // held back, for instance while the receiver's own window has the keyboard focus.
    void setHoldsTyping(std::function<bool()> holdsTyping);
    // Called when scans handed to onScan and not settled yet may no longer be typed (Pause, Deny,
    // Forget, the hold): the text in hand must stop at its next key boundary, and every text
    // handed over so far must be dropped.
    void setOnStopTyping(std::function<void()> onStopTyping);
    // The hold's answer may have changed: stops typing when it now holds.
    void typingHoldChanged();
    // How the oldest unsettled scan handed to onScan ended. One not typed whole is listed as not
    // typed.
    void typingSettled(bool typedWhole);

    WillChangeSignal& objectWillChange() { return objectWillChange_; }

    // The listening port, once a listener exists.
    std::optional<std::uint16_t> port() const;

    // Ends all network activity for good, before the program quits: stops accepting and
    // advertising, cancels the phone's connection and joins the network thread. Jobs it posted
    // earlier may still reach the main thread; they find nothing to act on.
    void stop();

  private:
    // Bodies announced longer than this are read away in chunks of at most discardChunkLength and
    // dropped, so that a peer cannot make the receiver buffer up to 4 GiB.
    static constexpr std::size_t maximumBodyLength = 1024 * 1024;
    static constexpr std::size_t discardChunkLength = 64 * 1024;

    // One accepted connection and what its own hello said. The loop and the state handler refer
    // to it; only the connection pointer is read off the main thread.
    struct Peer {
        std::shared_ptr<Connection> connection;
        std::string address;
        PeerOrigin origin;
        std::optional<std::string> deviceName;
        bool ended = false;
        // Once it has been the active connection; before that nothing it sends is typed.
        bool admitted = false;
    };

    // What allowing and denying remember of a phone.
    struct PhoneKey {
        std::string identity;
        std::string deviceName;
        friend bool operator==(const PhoneKey&, const PhoneKey&) = default;
    };

    // The frame loop of one connection. It runs on the network queue, where it touches no field:
    // it holds the service weakly, owns the connection it reads and posts its results to the main
    // thread. It never keeps the last strong reference to the service there, since the service's
    // destruction waits for the network queue.
    struct ReceiveLoop {
        std::weak_ptr<ScanListener> service;
        MainThread& mainThread;
        std::shared_ptr<Peer> peer;

        void receiveHeader() const;
        void receiveBody(std::uint32_t length) const;
        void discardBody(std::size_t remaining) const;
        void stop(bool isComplete, std::optional<NetworkError> error) const;
    };

    ScanListener(MainThread& mainThread, DefaultsStore& defaults, Network& network);

    void start();
    void handleListenerState(const ListenerState& state);
    void acceptConnection(std::shared_ptr<Connection> connection);
    void handleConnectionState(const std::weak_ptr<Peer>& peer, const ConnectionState& state);
    void cancelIfActive(const std::shared_ptr<Peer>& peer);
    void handleMessage(const std::shared_ptr<Peer>& from, const TavoMessage& message);
    void handleHello(const std::shared_ptr<Peer>& from, const std::string& deviceName);
    void sendStatus();
    void sendStatusTo(Connection& connection);

    // Whether a scan from this connection is typed now, as far as the phone's trust and Pause go.
    bool mayType(const Peer& peer) const;
    // Whether this connection may take the place of the connected phone: its hello shows a phone
    // that may type.
    bool mayReplace(const Peer& peer) const;
    // The one rule for "may this scan type now", on arrival and while it waits to be typed:
    // mayType and no hold. Every change that can turn it false ends in stopTypingUnlessAllowed.
    bool mayTypeNow(const Peer& peer) const;
    // Stops typing when a scan handed to it may no longer type.
    void stopTypingUnlessAllowed();
    bool isAllowed(const Phone& phone) const;
    bool isDenied(const Phone& phone) const;
    // Whether an arriving connection is turned away before it says anything.
    bool refusesAtOnce(const Connection& connection) const;
    static Phone phoneOf(const Peer& peer, const std::string& deviceName);
    static PhoneKey keyOf(const Phone& phone) { return {phone.identity, phone.deviceName}; }
    // Gives an entry stored by address the phone's identity, once the phone shows it.
    void adoptStoredAddress(const Phone& phone);
    void storeAllowedPhones();
    // The connection becomes the active one; the one it replaces is cancelled.
    void makeActive(const std::shared_ptr<Peer>& peer);
    // Lets the newest waiting connection that may now replace the connected phone do so.
    void admitWaitingPeers();
    // Publishes the first phone that asks, among the active and the waiting connections.
    void updatePhoneAsking();

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
    std::vector<RecentScan> recentScans_;
    std::optional<std::string> lastError_;
    ReceiverOutputMode outputMode_ = ReceiverOutputMode::newline;
    std::optional<std::string> advertisedName_;
    std::optional<AdvertisingTrouble> advertisingTrouble_;
    bool isPaused_ = false;
    bool isSessionLocked_ = false;
    bool asksBeforeNewPhone_ = true;
    std::optional<Phone> phoneAsking_;
    bool onlyLocalNetworks_ = false;

    std::vector<PhoneKey> allowedPhones_;
    // Only until the program ends.
    std::vector<PhoneKey> deniedPhones_;
    // Every phone that asks, the one published first.
    std::vector<Phone> phonesAsking_;
    std::function<void(const TavoScan&)> onScan_;
    std::function<bool()> holdsTyping_;
    std::function<void()> onStopTyping_;
    // The scans handed to onScan and not settled yet, oldest first, with their connection;
    // stopped once typing was told to stop them.
    struct TypingScan {
        Uuid id;
        std::shared_ptr<Peer> from;
        bool stopped = false;
    };
    std::deque<TypingScan> typingScans_;
    std::shared_ptr<Listener> listener_;
    std::shared_ptr<Peer> activePeer_;
    // Connections that arrived while a phone was connected, until their hello shows whether they
    // may replace it.
    std::vector<std::shared_ptr<Peer>> waitingPeers_;
};

}  // namespace tavo
