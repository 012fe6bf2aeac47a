#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kit/FrameHeader.h"
#include "kit/TavoFraming.h"
#include "receiver/ScanListener.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"

namespace tavo {

// A listener on fakes; the test plays both the network queue and the main thread.
class ScanListenerTest : public ::testing::Test {
  protected:
    void make() {
        listener = ScanListener::make(mainThread, defaults, network);
        subscription = listener->objectWillChange().connect([this] { ++willChanges; });
    }

    // Most cases are about the protocol, not about trust: there, every phone types.
    void SetUp() override {
        defaults.values[ScanListener::asksBeforeNewPhoneKey] = "false";
        make();
    }

    // A phone connects and the main thread accepts it.
    std::shared_ptr<FakeConnection> connect(std::string address = "192.168.1.20",
                                            PeerOrigin origin = {}) {
        auto connection = network.makeConnection(std::move(address));
        connection->origin = std::move(origin);
        network.listener().deliverConnection(connection);
        mainThread.drain();
        return connection;
    }

    // The peer sends these bytes, then the main thread handles what they brought.
    void receive(FakeConnection& connection, const Bytes& bytes) {
        connection.feed(bytes);
        mainThread.drain();
    }

    static Bytes frameOf(std::string_view body) {
        const auto header = *TavoFraming::encodeLength(body.size());
        return join({Bytes(header.begin(), header.end()), Bytes(body.begin(), body.end())});
    }
    static Bytes hello(const std::string& deviceName) {
        return TavoFraming::encode(TavoHello{deviceName, 1});
    }
    static Bytes scan(const std::string& value) {
        return TavoFraming::encode(TavoScan(value, "ean13", 1.5));
    }
    static Bytes status(ReceiverOutputMode mode) {
        return TavoFraming::encode(TavoReceiverStatus{mode});
    }
    static Bytes join(std::initializer_list<Bytes> parts) {
        Bytes joined;
        for (const auto& part : parts) {
            joined.insert(joined.end(), part.begin(), part.end());
        }
        return joined;
    }

    std::vector<std::string> scanValues() const {
        std::vector<std::string> values;
        for (const auto& recent : listener->recentScans()) {
            values.push_back(recent.scan.value);
        }
        return values;
    }

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    std::shared_ptr<ScanListener> listener;
    WillChangeSignal::Subscription subscription;
    int willChanges = 0;
};

}  // namespace tavo
