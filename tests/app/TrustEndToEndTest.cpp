// The guard of the keyboard with the real receiver: a new phone types only once allowed in the
// panel, Deny shuts it out, the pause switch holds typing back, and a peer from outside this
// computer's networks cannot knock the connected phone off.
#include <unistd.h>

#include <regex>

#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

class TrustEndToEndTest : public ReceiverDesktopTest {
  protected:
    void openPanel() {
        click(trayIcon().center());
        ASSERT_TRUE(waitUntil([&] { return panelGeometry().contains("pauseSwitch"); }));
    }

    void clickControl(const std::string& name) {
        ASSERT_TRUE(waitUntil([&] { return panelGeometry().contains(name); })) << name;
        click(panelGeometry()[name].center());
    }

    // The port, as tavo-send --list reports it.
    std::string receiverPort() {
        std::smatch port;
        std::string line;
        EXPECT_TRUE(waitUntil([&] {
            line = ChildProcess({TAVO_SEND_PATH, "--list"}, environment_).readLine(5s).value_or("");
            return std::regex_search(line, port, std::regex("port (\\d+)$"));
        })) << line;
        return port.str(1);
    }

    // A phone at one address, so that it stays the same phone from one connection to the next.
    std::unique_ptr<ChildProcess> startPhoneAt(const std::string& port,
                                               std::vector<std::string> scans,
                                               const std::string& linger = "0") {
        scans.insert(scans.begin(), {"--host=127.0.0.1", "--port=" + port});
        return startPhone(scans, linger);
    }

    // The rows of the recent scans, as last drawn: controls below them move as they come.
    int scanRows() const {
        std::ifstream file(home_ / "panel");
        int rows = 0;
        for (std::string line; std::getline(file, line);) {
            rows += line.starts_with("scanValue ") ? 1 : 0;
        }
        return rows;
    }

    bool shows(const std::string& name) { return panelGeometry().contains(name); }
};

TEST_F(TrustEndToEndTest, ANewPhoneTypesOnlyOnceAllowedAndStaysAllowedAfterARestart) {
    fs::remove(settingsFile());
    startReceiver();
    openPanel();
    const std::string port = receiverPort();

    // Answered and listed, marked as not typed, and the panel asks.
    auto phone = startPhoneAt(port, {"111"}, "30");
    EXPECT_EQ(nextStatus(*phone), "newline");
    EXPECT_TRUE(waitUntil([&] { return shows("notTypedMark") && shows("allowPhoneButton"); }));
    EXPECT_EQ(sink_.received(), "");
    screenshot(fs::path(TAVO_E2E_ARTIFACT_DIR) / "tavo-receiver-new-phone.png");

    clickControl("allowPhoneButton");
    EXPECT_TRUE(waitUntil([&] { return !shows("allowPhoneButton"); }));
    auto allowed = startPhoneAt(port, {"222"});
    EXPECT_EQ(nextStatus(*allowed), "newline");
    // The scan held back before is never typed.
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "222<Return>"; })) << sink_.received();
    EXPECT_EQ(allowed->stop(false), 0);

    receiver_.reset();
    startReceiver();
    // Discovery may still list the previous run's port for a moment: the phone tries again.
    EXPECT_TRUE(waitUntil([&] { return startPhoneAt(receiverPort(), {"333"})->stop(false) == 0; }));
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "222<Return>333<Return>"; }))
        << sink_.received();
}

TEST_F(TrustEndToEndTest, PauseHoldsTypingBackAndDenyShutsAPhoneOut) {
    startReceiver();
    openPanel();

    const std::string port = receiverPort();
    // The tray icon shows the paused state.
    const QImage waitingIcon = iconImage();
    clickControl("pauseSwitch");
    ASSERT_TRUE(waitUntil([&] { return iconImage() != waitingIcon; }));
    auto phone = startPhoneAt(port, {"1"});
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return shows("notTypedMark"); }));
    clickControl("pauseSwitch");
    ASSERT_TRUE(waitUntil([&] { return iconImage() == waitingIcon; }));
    phone = startPhoneAt(port, {"2"});
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "2<Return>"; })) << sink_.received();
    ASSERT_TRUE(waitUntil([&] { return scanRows() == 2; }));

    // Forgotten, the phone asks again; denied, its connection is closed at once, and so is the
    // next one until the receiver restarts.
    clickControl("forgetPhonesButton");
    phone = startPhoneAt(port, {"3"}, "30");
    EXPECT_EQ(nextStatus(*phone), "newline");
    clickControl("denyPhoneButton");
    // Closed by the receiver long before its linger ends: tavo-send reports the failure.
    EXPECT_NE(phone->stop(false), 0);
    EXPECT_NE(startPhoneAt(port, {"4"})->stop(false), 0);
    EXPECT_EQ(sink_.received(), "2<Return>");
}

// A phone two hops away, beyond a router namespace: not on any network of this computer.
TEST_F(TrustEndToEndTest, APeerFromOutsideTheLocalNetworksCannotReplaceThePhone) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root for its network namespaces";
    }
    const std::string router = "tavo-router-" + std::to_string(getpid());
    const std::string far = "tavo-far-" + std::to_string(getpid());
    struct Cleanup {
        std::string command;
        ~Cleanup() { runProgram({"sh", "-c", command}); }
    } cleanup{"ip netns del " + router + "; ip netns del " + far};
    const std::string inRouter = "ip -n " + router + " ";
    const std::string inFar = "ip -n " + far + " ";
    for (const std::string& command : std::vector<std::string>{
             "ip netns add " + router,
             "ip netns add " + far,
             "ip link add tavo-near type veth peer name near0 netns " + router,
             "ip addr add 10.77.1.1/24 dev tavo-near",
             "ip link set tavo-near up",
             inRouter + "addr add 10.77.1.2/24 dev near0",
             inRouter + "link set near0 up",
             inRouter + "link add far0 type veth peer name far1 netns " + far,
             inRouter + "addr add 10.77.2.1/24 dev far0",
             inRouter + "link set far0 up",
             "ip netns exec " + router + " sysctl -qw net.ipv4.ip_forward=1",
             inFar + "addr add 10.77.2.2/24 dev far1",
             inFar + "link set far1 up",
             inFar + "route add default via 10.77.2.1",
             "ip route add 10.77.2.0/24 via 10.77.1.2",
         }) {
        ASSERT_EQ(runProgram({"sh", "-c", command}), 0) << command;
    }

    startReceiver();
    const std::string port = receiverPort();

    // The allowed phone streams for a few seconds; the far peer tries in the middle of it.
    auto phone = startPhone({"--count=40", "--rate=10"});
    ASSERT_TRUE(waitUntil([&] { return sink_.received().find("<Return>") != std::string::npos; }));
    ChildProcess farPhone({"ip", "netns", "exec", far, TAVO_SEND_PATH, "--host=10.77.1.1",
                           "--port=" + port, "--name=Far", "--wait-status", "--timeout=5", "X"});
    EXPECT_NE(farPhone.stop(false), 0) << "refused";
    EXPECT_EQ(phone->stop(false), 0);
    const auto returns = [&] {
        const std::string typed = sink_.received();
        std::size_t count = 0;
        for (auto at = typed.find("<Return>"); at != std::string::npos;
             at = typed.find("<Return>", at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_TRUE(waitUntil([&] { return returns() == 40; })) << sink_.received();
    EXPECT_EQ(sink_.received().find('X'), std::string::npos);
}

}  // namespace
}  // namespace tavo::testing
