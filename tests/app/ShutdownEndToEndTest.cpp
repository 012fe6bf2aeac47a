#include <signal.h>

#include "receiver/ScanListener.h"
#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

using ShutdownEndToEndTest = ReceiverDesktopTest;

// 漢 is on no layout, so typing it lends it a spare keycode, which must be gone after the end.
constexpr const char* spareCharacter = "\u6F22";
constexpr const char* spareKeysym = "U6F22";

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
        // The phones connect directly: discovery may still give the previous round's port.
        startReceiver(true);
        const std::string port = receiverPort();
        ASSERT_FALSE(port.empty());
        const std::size_t before = sink_.received().size();
        EXPECT_EQ(startPhone({spareCharacter}, "0", port)->stop(false), 0);
        ASSERT_TRUE(waitUntil([&] { return sink_.received().size() > before; }));
        if (round == 0) {
            ASSERT_TRUE(keymapHoldsSpare());
        }

        // A phone that sends as fast as it can; quit once its scans are being typed and the
        // recent scans fill the panel, which then keeps its size: the button stays put.
        const auto streaming = startPhone({"--count=100000000"}, "0", port);
        const std::size_t streamed =
            sink_.received().size() + (ScanListener::recentScansLimit + 1) * generatedScanInSink;
        ASSERT_TRUE(waitUntil([&] { return sink_.received().size() > streamed; }, 30s));
        if (way == 0) {
            openPanel();
            clickControl("quitButton");
        } else {
            kill(receiver_->pid(), way);
        }
        // Its log ends when it does.
        ASSERT_TRUE(waitUntil(
            [&] { return !receiver_->readLine(100ms) && receiver_->outputEnded(); }, 30s));
        EXPECT_EQ(receiver_->stop(false), 0);
        receiver_.reset();
        EXPECT_FALSE(keymapHoldsSpare());
        streaming->stop();
    }
}

}  // namespace
}  // namespace tavo::testing
