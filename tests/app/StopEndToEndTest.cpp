// Stop means stop, with the real receiver: Pause cuts typing at once, on X11 and on a Wayland
// route; Quit ends the process within its deadline whatever is typed or awaited; and a phone
// that may not type starts no remote-desktop session. The Wayland route here is the desktop
// portal's, on a stand-in portal with a session bus of its own: Qt runs on the test's X display,
// and no compositor answers, so probing finds only the portal.
#include <signal.h>

#include <algorithm>

#include "tests/app/ReceiverDesktopTest.h"
#include "tests/support/TypedTexts.h"
#include "tests/support/scans/MixedTexts.h"

namespace tavo::testing {
namespace {

class StopEndToEndTest : public ReceiverDesktopTest {
  protected:
    // The rows of the recent scans with this control, as last drawn.
    int rowsWith(const std::string& control) const {
        std::ifstream file(home_ / "panel");
        int rows = 0;
        for (std::string line; std::getline(file, line);) {
            rows += line.starts_with(control + " ") ? 1 : 0;
        }
        return rows;
    }
    int notTypedRows() const { return rowsWith("notTypedMark"); }

    // Clicks Pause once the panel lists its 20 rows: controls below them move as they come.
    void clickPause() {
        ASSERT_TRUE(waitUntil([&] { return rowsWith("scanValue") == 20; }));
        clickControl("pauseSwitch");
    }

    // A private session bus with the stand-in portal on it, which the receiver then types
    // through. `silent`: the portal never answers Start, as a consent dialog left open.
    void startPortal(bool silent = false) {
        bus_.emplace(
            std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address=1"},
            environment_);
        const auto address = bus_->readLine(10s);
        ASSERT_TRUE(address);
        environment_.push_back("DBUS_SESSION_BUS_ADDRESS=" + *address);
        environment_.push_back("WAYLAND_DISPLAY=tavo-no-compositor");
        // python3-dbus serves the system's interpreter, whatever else is first on the PATH.
        std::vector<std::string> arguments{"/usr/bin/python3", TAVO_FAKE_PORTAL_PATH, "2"};
        if (silent) {
            arguments.push_back("silent");
        }
        portal_.emplace(arguments, environment_);
        ASSERT_EQ(portal_->readLine(10s), "ready");
    }

    // What the portal said until `line` (included); nothing when it did not say it in time.
    std::optional<std::vector<std::string>> portalSaysUntil(const std::string& line) {
        std::vector<std::string> lines;
        while (const auto next = portal_->readLine(30s)) {
            lines.push_back(*next);
            if (*next == line) {
                return lines;
            }
        }
        return std::nullopt;
    }

    // Whether the receiver's log says `text`, reading on until it does.
    bool receiverLogs(const std::string& text) {
        while (const auto line = receiver_->readLine(30s)) {
            if (line->find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // The lines the portal has said by now, without waiting for more.
    std::vector<std::string> portalSaysNow() {
        std::vector<std::string> lines;
        while (const auto next = portal_->readLine(0s)) {
            lines.push_back(*next);
        }
        return lines;
    }

    // Asks the receiver to end and waits for it; its status, or nothing when it outlived the
    // deadline of one second by far (a few seconds, for a loaded machine).
    std::optional<int> quitReceiver(int signal) {
        kill(receiver_->pid(), signal);
        const auto ended = [&] {
            return !receiver_->readLine(100ms) && receiver_->outputEnded();
        };
        if (!waitUntil(ended, 3s)) {
            return std::nullopt;
        }
        const int status = receiver_->stop(false);
        receiver_.reset();
        return status;
    }

    void TearDown() override {
        ReceiverDesktopTest::TearDown();
        portal_.reset();
        bus_.reset();
    }

    std::optional<ChildProcess> bus_;
    std::optional<ChildProcess> portal_;
};

constexpr const char* returnDown = "key 65293 1";

// 200 scans in mixed scripts, each its text repeated to some 2,000 bytes so that typing them
// lasts a while; Pause is clicked while they are typed. The few characters that need spare
// keycodes keep theirs from the first scans on: remaps make every client on the display reload
// its keymap, and a flood of them would hold the receiver's own click back.
TEST_F(StopEndToEndTest, PauseStopsTypingOnX11AtOnce) {
    startReceiver(true);
    const std::string port = receiverPort();
    openPanel();
    std::vector<std::string> scans;
    const auto texts = mixedTexts(8);
    for (std::size_t i = 0; i < 200; ++i) {
        std::string scan;
        while (scan.size() < 2000) {
            scan += texts[i % texts.size()].first;
        }
        scans.push_back(scan);
    }
    EXPECT_EQ(startPhone(scans, "0", port)->stop(false), 0);
    ASSERT_TRUE(waitUntil([&] { return returnsIn(sink_.received()) >= 3; }));

    clickPause();
    EXPECT_TRUE(receiverLogs("typing stopped"));
    const std::string before = sink_.received();
    // The panel's rows are the 20 newest scans, none of which was typed.
    EXPECT_TRUE(waitUntil([&] { return notTypedRows() == 20; }, 30s)) << notTypedRows();
    const std::string typed = sink_.received();
    ASSERT_TRUE(typed.starts_with(before));
    const std::string after = typed.substr(before.size());
    // At most the rest of the scan in hand; nothing behind it.
    EXPECT_TRUE(returnsIn(after) == 0 || (returnsIn(after) == 1 && after.ends_with("<Return>")))
        << after;
    EXPECT_LT(returnsIn(typed), 200U);
}

// 1,000 EAN-13 scans through the portal route, held to its ceiling of key events: Pause is
// clicked while they are typed. The stand-in portal is stopped around the click, like a busy
// desktop, so that what it takes after the click is exactly what the receiver sent after it.
TEST_F(StopEndToEndTest, PauseStopsTypingOnAWaylandRouteAtOnce) {
    startPortal();
    startReceiver(true);
    const std::string port = receiverPort();
    openPanel();
    EXPECT_EQ(startPhone({"--count=1000"}, "0", port)->stop(false), 0);
    ASSERT_TRUE(portalSaysUntil(returnDown));
    ASSERT_TRUE(portalSaysUntil(returnDown));

    kill(portal_->pid(), SIGSTOP);
    portalSaysNow();
    clickPause();
    EXPECT_TRUE(receiverLogs("typing stopped"));
    kill(portal_->pid(), SIGCONT);
    EXPECT_TRUE(waitUntil([&] { return notTypedRows() == 20; }, 30s)) << notTypedRows();
    // The scan in hand, whose keys had left already; nothing after it.
    const auto after = portalSaysNow();
    EXPECT_LE(std::count(after.begin(), after.end(), returnDown), 1) << after.size();
    EXPECT_LE(after.size(), 28U);
}

// A phone that may not type starts no session (no consent dialog, no indicator); the allowed
// phone after it starts exactly one.
TEST_F(StopEndToEndTest, APhoneThatMayNotTypeStartsNoSession) {
    startPortal();
    startReceiver(true);
    const std::string port = receiverPort();
    ChildProcess stranger({TAVO_SEND_PATH, "--name=Stranger", "--host=127.0.0.1", "--port=" + port,
                           "--wait-status", "1", "2"},
                          environment_);
    EXPECT_EQ(stranger.stop(false), 0);
    EXPECT_EQ(startPhone({"3"}, "0", port)->stop(false), 0);
    const auto said = portalSaysUntil(returnDown);
    ASSERT_TRUE(said);
    EXPECT_EQ(std::count(said->begin(), said->end(), "create"), 1);
}

// Quit while the user has not answered the portal's consent dialog.
TEST_F(StopEndToEndTest, QuitEndsAWaitForConsentAtOnce) {
    startPortal(true);
    startReceiver(true);
    const std::string port = receiverPort();
    auto phone = startPhone({"1"}, "30", port);
    ASSERT_TRUE(portalSaysUntil("start"));
    EXPECT_EQ(quitReceiver(SIGTERM), 0);
    phone->stop();
}

// Quit while a scan of nearly 1 MiB is typed at the route's ceiling, which would take minutes.
TEST_F(StopEndToEndTest, QuitEndsTheTypingOfALongScanAtOnce) {
    startPortal();
    startReceiver(true);
    const std::string port = receiverPort();
    ChildProcess phone({"sh", "-c",
                        "head -c 1000000 /dev/zero | tr '\\0' 7 | \"$0\" --name='E2E Phone' "
                        "--host=127.0.0.1 --port=\"$1\" --wait-status --linger=60",
                        TAVO_SEND_PATH, port},
                       environment_);
    ASSERT_TRUE(portalSaysUntil("key 55 1"));
    ASSERT_TRUE(portalSaysUntil("key 55 1"));
    EXPECT_EQ(quitReceiver(SIGINT), 0);
}

}  // namespace
}  // namespace tavo::testing
