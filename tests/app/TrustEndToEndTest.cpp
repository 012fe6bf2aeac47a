// The guard of the keyboard with the real receiver: a new phone types only once allowed in the
// panel, Deny shuts it out, the pause switch holds typing back, and a peer from outside this
// computer's networks cannot knock the connected phone off.
#include <unistd.h>

#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

// The phones here connect from 127.0.0.1 to the port in the receiver's log, so that each stays
// the same phone from one connection to the next.
class TrustEndToEndTest : public ReceiverDesktopTest {
  protected:
    // The rows of the recent scans, as last drawn: controls below them move as they come.
    int scanRows() const {
        std::ifstream file(home_ / "panel");
        int rows = 0;
        for (std::string line; std::getline(file, line);) {
            rows += line.starts_with("scanValue ") ? 1 : 0;
        }
        return rows;
    }
};

TEST_F(TrustEndToEndTest, ANewPhoneTypesOnlyOnceAllowedAndStaysAllowedAfterARestart) {
    fs::remove(settingsFile());
    startReceiver(true);
    const std::string port = receiverPort();
    openPanel();

    // Answered and listed, marked as not typed, and the panel asks.
    auto phone = startPhone({"111"}, "30", port);
    EXPECT_EQ(nextStatus(*phone), "newline");
    EXPECT_TRUE(waitUntil([&] { return shows("notTypedMark") && shows("allowPhoneButton"); }));
    EXPECT_EQ(sink_.received(), "");
    screenshot(fs::path(TAVO_E2E_ARTIFACT_DIR) / "tavo-receiver-new-phone.png");

    clickControl("allowPhoneButton");
    EXPECT_TRUE(waitUntil([&] { return !shows("allowPhoneButton"); }));
    // The output format, like the allowed phone, is kept across the restart below.
    clickControl("csvSegment");
    EXPECT_EQ(nextStatus(*phone), "csv");
    auto allowed = startPhone({"222"}, "0", port);
    EXPECT_EQ(nextStatus(*allowed), "csv");
    // The scan held back before is never typed.
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "222,"; })) << sink_.received();
    EXPECT_EQ(allowed->stop(false), 0);

    receiver_.reset();
    startReceiver(true);
    allowed = startPhone({"333"}, "0", receiverPort());
    EXPECT_EQ(nextStatus(*allowed), "csv");
    EXPECT_EQ(allowed->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "222,333,"; })) << sink_.received();
}

TEST_F(TrustEndToEndTest, PauseHoldsTypingBackAndDenyShutsAPhoneOut) {
    startReceiver(true);
    const std::string port = receiverPort();
    openPanel();
    // The tray icon shows the paused state.
    const QImage waitingIcon = iconImage();
    clickControl("pauseSwitch");
    ASSERT_TRUE(waitUntil([&] { return iconImage() != waitingIcon; }));
    auto phone = startPhone({"1"}, "0", port);
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return shows("notTypedMark"); }));
    clickControl("pauseSwitch");
    ASSERT_TRUE(waitUntil([&] { return iconImage() == waitingIcon; }));
    phone = startPhone({"2"}, "0", port);
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "2<Return>"; })) << sink_.received();
    ASSERT_TRUE(waitUntil([&] { return scanRows() == 2; }));

    // Forgotten, the phone asks again; denied, its connection is closed at once, and so is the
    // next one until the receiver restarts.
    clickControl("forgetPhonesButton");
    // The click takes effect in its own time, and the receiver stores its effect at once: the
    // phone must come after it.
    ASSERT_TRUE(waitUntil([&] {
        return QSettings(QString::fromStdString(settingsFile().string()), QSettings::IniFormat)
            .value("tavo.allowedPhones")
            .toStringList()
            .isEmpty();
    }));
    phone = startPhone({"3"}, "30", port);
    EXPECT_EQ(nextStatus(*phone), "newline");
    clickControl("denyPhoneButton");
    // Closed by the receiver long before its linger ends: tavo-send reports the failure.
    EXPECT_NE(phone->stop(false), 0);
    EXPECT_NE(startPhone({"4"}, "0", port)->stop(false), 0);
    EXPECT_EQ(sink_.received(), "2<Return>");
}

// A peer on a link of its own whose address lies in no subnet of this computer, as a peer beyond
// a router would.
TEST_F(TrustEndToEndTest, APeerFromOutsideTheLocalNetworksCannotReplaceThePhone) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root for its network namespace";
    }
    const std::string far = "tavo-far-" + std::to_string(getpid());
    // Deleting the namespace deletes the link, and the route with it.
    struct Cleanup {
        std::string name;
        ~Cleanup() { runProgram({"ip", "netns", "del", name}); }
    } cleanup{far};
    const std::string inFar = "ip -n " + far + " ";
    for (const std::string& command : std::vector<std::string>{
             "ip netns add " + far,
             "ip link add tavo-near type veth peer name far0 netns " + far,
             "ip addr add 10.77.1.1/24 dev tavo-near",
             "ip link set tavo-near up",
             "ip route add 10.77.2.0/24 dev tavo-near",
             inFar + "addr add 10.77.2.2/24 dev far0",
             inFar + "link set far0 up",
             inFar + "route add 10.77.1.0/24 dev far0",
         }) {
        ASSERT_EQ(runProgram({"sh", "-c", command}), 0) << command;
    }

    startReceiver(true);
    const std::string port = receiverPort();

    // The allowed phone streams for a few seconds; the far peer tries in the middle of it.
    auto phone = startPhone({"--count=40", "--rate=10"});
    ASSERT_TRUE(waitUntil([&] { return sink_.received().find("<Return>") != std::string::npos; }));
    ChildProcess farPhone({"ip", "netns", "exec", far, TAVO_SEND_PATH, "--host=10.77.1.1",
                           "--port=" + port, "--name=Far", "--wait-status", "--timeout=5", "X"});
    // Answered, and asked about rather than typed.
    EXPECT_EQ(farPhone.stop(false), 0);
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return sink_.received().size() == 40 * generatedScanInSink; }))
        << sink_.received();
    EXPECT_EQ(sink_.received().find('X'), std::string::npos);
}

}  // namespace
}  // namespace tavo::testing
