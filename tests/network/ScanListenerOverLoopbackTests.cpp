#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "kit/TavoFraming.h"
#include "platform/network/AsioNetwork.h"
#include "receiver/ScanListener.h"
#include "tests/network/Loopback.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"

namespace tavo {
namespace {

using test::frame;
using test::joined;
using test::Peer;

Bytes hello(const std::string& deviceName) {
    return TavoFraming::encode(TavoHello{deviceName, 1});
}

Bytes scan(const std::string& value) {
    return TavoFraming::encode(TavoScan(value, "org.gs1.EAN-13", 800000000.0));
}

Bytes status(ReceiverOutputMode mode) {
    return TavoFraming::encode(TavoReceiverStatus{mode});
}

// The real receiver on the real network platform, with the test thread as its main thread.
class ScanListenerOverLoopback : public testing::Test {
  protected:
    void SetUp() override {
        // The listener advertises itself: keep it off any system bus, so that nothing is
        // announced beyond this machine.
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tavo-test-bus", 1);
        service = ScanListener::make(mainThread, defaults, network);
        service->setOnScan([this](const TavoScan& scan) { typed.push_back(scan.value); });
        ASSERT_TRUE(service->port());
    }

    void TearDown() override { service.reset(); }

    Peer connect() { return Peer(*service->port()); }

    // Connects and says hello; returns once the receiver has answered.
    Peer connectAs(const std::string& deviceName) {
        Peer peer = connect();
        peer.write(hello(deviceName));
        EXPECT_TRUE(
            mainThread.runUntil([&] { return service->connectedDeviceName() == deviceName; }));
        EXPECT_EQ(peer.read(status(service->outputMode()).size()), status(service->outputMode()));
        return peer;
    }

    bool waitForTyped(std::size_t count) {
        return mainThread.runUntil([&] { return typed.size() >= count; });
    }

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    AsioNetwork network;
    std::shared_ptr<ScanListener> service;
    std::vector<std::string> typed;
};

TEST_F(ScanListenerOverLoopback, AnswersHelloAndModeChangesWithStatusFrames) {
    Peer phone = connect();
    phone.write(hello("Phone A"));
    ASSERT_TRUE(mainThread.runUntil([&] { return service->connectedDeviceName() == "Phone A"; }));
    EXPECT_EQ(phone.read(status(ReceiverOutputMode::newline).size()),
              status(ReceiverOutputMode::newline));

    service->setOutputMode(ReceiverOutputMode::csv);
    EXPECT_EQ(phone.read(status(ReceiverOutputMode::csv).size()), status(ReceiverOutputMode::csv));
}

TEST_F(ScanListenerOverLoopback, SecondPhoneReplacesTheFirst) {
    Peer first = connectAs("Phone A");
    Peer second = connectAs("Phone B");

    EXPECT_TRUE(first.ended());
    second.write(scan("4006381333931"));
    ASSERT_TRUE(waitForTyped(1));
    mainThread.drain();
    EXPECT_EQ(service->connectedDeviceName(), "Phone B");
    service->setOutputMode(ReceiverOutputMode::csv);
    EXPECT_EQ(second.read(status(ReceiverOutputMode::csv).size()), status(ReceiverOutputMode::csv));
}

TEST_F(ScanListenerOverLoopback, BadAndOversizedBodiesCostNoLaterFrame) {
    Peer phone = connectAs("Phone A");
    phone.write(joined(frame("not json"), frame(""), frame("{}"), frame("\xff\xfe"),
                       frame(R"({"kind":"scan"})"), frame(std::string(2 * 1024 * 1024, 'x')),
                       scan("after bad bodies")));

    ASSERT_TRUE(waitForTyped(1));
    EXPECT_EQ(typed, std::vector<std::string>{"after bad bodies"});
}

TEST_F(ScanListenerOverLoopback, PeerThatStopsInsideAHugeBodyDoesNotBlockTheNext) {
    Peer stalled = connectAs("Phone A");
    // Announces 4 GiB, sends a little, then goes quiet with the stream open.
    stalled.write(joined(Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes(100 * 1024, 0x7B)));
    Peer phone = connectAs("Phone B");
    phone.write(scan("from the next phone"));

    ASSERT_TRUE(waitForTyped(1));
    EXPECT_EQ(typed, std::vector<std::string>{"from the next phone"});
    EXPECT_TRUE(stalled.ended());
}

TEST_F(ScanListenerOverLoopback, FramesSplitAtAnyByteArriveWhole) {
    Peer phone = connectAs("Phone A");
    const Bytes one = scan("split");
    std::vector<std::string> expected;
    for (std::size_t cut = 1; cut < one.size(); ++cut) {
        phone.write(ByteView(one).first(cut));
        phone.write(ByteView(one).subspan(cut));
        expected.push_back("split");
    }
    phone.writeEachByte(joined(scan("one"), scan("two")));
    expected.insert(expected.end(), {"one", "two"});

    ASSERT_TRUE(waitForTyped(expected.size()));
    EXPECT_EQ(typed, expected);
}

TEST_F(ScanListenerOverLoopback, ManyFramesInOneSegmentAreHandledInOrder) {
    Peer phone = connectAs("Phone A");
    Bytes segment;
    std::vector<std::string> expected;
    for (int i = 0; i < 50; ++i) {
        expected.push_back(std::to_string(i));
        segment = joined(segment, scan(expected.back()));
    }
    phone.write(segment);

    ASSERT_TRUE(waitForTyped(expected.size()));
    EXPECT_EQ(typed, expected);
    ASSERT_EQ(service->recentScans().size(), ScanListener::recentScansLimit);
    EXPECT_EQ(service->recentScans().front().value, "49");
}

}  // namespace
}  // namespace tavo
