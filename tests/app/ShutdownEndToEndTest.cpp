#include <signal.h>

#include <string_view>

#include "receiver/ScanListener.h"
#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

class ShutdownEndToEndTest : public ReceiverDesktopTest {
  protected:
    // Starts the receiver and returns its port, read from its log: the phones here connect to
    // it directly, since discovery may still hand out the previous round's port for a while.
    std::string startReceiverOnPort() {
        launchReceiver(true);
        const std::string portLine = "tavo-receiver: listening on TCP port ";
        std::string port;
        while (const auto line = receiver_->readLine(20s)) {
            if (line->starts_with(portLine)) {
                port = line->substr(portLine.size());
                break;
            }
        }
        EXPECT_TRUE(waitUntil([&] { return trayIcon().isValid(); }));
        return port;
    }

    ChildProcess phone(const std::string& port, const std::vector<std::string>& arguments) {
        std::vector<std::string> command{TAVO_SEND_PATH, "--host=127.0.0.1", "--port=" + port,
                                         "--name=E2E Phone", "--wait-status"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return ChildProcess(command, environment_);
    }
};

// 漢 is on no layout, so typing it lends it a spare keycode, which must be gone after the end.
constexpr const char* spareCharacter = "\u6F22";
constexpr const char* spareKeysym = "U6F22";
// What one streamed scan leaves in the sink.
constexpr std::string_view scanInSink = "0000000000000<Return>";

TEST_F(ShutdownEndToEndTest, QuitsCleanlyWhileAPhoneStreamsByButtonAndBySignal) {
    const auto keymapHoldsSpare = [&] {
        ChildProcess keymap({"xkbcomp", "-xkb", xvfb_.display(), "-"}, environment_);
        bool found = false;
        while (const auto line = keymap.readLine(10s)) {
            found = found || line->find(spareKeysym) != std::string::npos;
        }
        keymap.stop(false);
        return found;
    };
    const std::vector<int> ways{0, SIGTERM, SIGINT, SIGHUP};  // 0: the panel's Quit button
    for (int round = 0; round < 20; ++round) {
        const int way = ways[round % ways.size()];
        SCOPED_TRACE("round " + std::to_string(round) + ", signal " + std::to_string(way));
        const std::string port = startReceiverOnPort();
        ASSERT_FALSE(port.empty());
        const std::size_t before = sink_.received().size();
        EXPECT_EQ(phone(port, {spareCharacter}).stop(false), 0);
        ASSERT_TRUE(waitUntil([&] { return sink_.received().size() > before; }));
        if (round == 0) {
            ASSERT_TRUE(keymapHoldsSpare());
        }

        // A phone that sends as fast as it can; quit once its scans are being typed and the
        // recent scans fill the panel, which then keeps its size: the button stays put.
        ChildProcess streaming = phone(port, {"--count=100000000"});
        const std::size_t streamed =
            sink_.received().size() + (ScanListener::recentScansLimit + 1) * scanInSink.size();
        ASSERT_TRUE(waitUntil([&] { return sink_.received().size() > streamed; }, 30s));
        if (way == 0) {
            fs::remove(home_ / "panel");
            click(trayIcon().center());
            ASSERT_TRUE(waitUntil([&] { return panelGeometry().contains("quitButton"); }));
            click(panelGeometry()["quitButton"].center());
        } else {
            kill(receiver_->pid(), way);
        }
        // Its log ends when it does.
        ASSERT_TRUE(waitUntil(
            [&] { return !receiver_->readLine(100ms) && receiver_->outputEnded(); }, 30s));
        EXPECT_EQ(receiver_->stop(false), 0);
        receiver_.reset();
        EXPECT_FALSE(keymapHoldsSpare());
        streaming.stop();
    }
}

}  // namespace
}  // namespace tavo::testing
