#include <signal.h>

#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

class SingleInstanceEndToEndTest : public ReceiverDesktopTest {
  protected:
    // Starts the receiver again and returns its exit status, or -1 when it still runs after a
    // second (it is then terminated).
    int startAgain() {
        ChildProcess again({TAVO_RECEIVER_PATH}, environment_);
        // It writes nothing to standard output: the end of output is its exit.
        again.readLine(1s);
        const bool exited = again.outputEnded();
        const int status = again.stop(!exited);
        return exited ? status : -1;
    }

    // How many _tavo._tcp services avahi-browse sees now (only on loopback, IPv4).
    int advertisedServices() {
        ChildProcess browse({"avahi-browse", "--terminate", "--parsable", "_tavo._tcp"},
                            environment_);
        int count = 0;
        while (auto line = browse.readLine(10s)) {
            count += line->starts_with("+;");
        }
        browse.stop(false);
        return count;
    }
};

TEST_F(SingleInstanceEndToEndTest, ASecondStartOpensTheFirstsPanelAndAdvertisesNothing) {
    startReceiver();
    ASSERT_TRUE(waitUntil([&] { return advertisedServices() == 1; }));
    EXPECT_FALSE(shows("panel"));

    EXPECT_EQ(startAgain(), 0);
    EXPECT_TRUE(waitUntil([&] { return shows("panel"); }));
    EXPECT_EQ(advertisedServices(), 1);
    EXPECT_EQ(windows("--classname", "tavo-receiver").size(), 2u);  // one icon, one panel
}

TEST_F(SingleInstanceEndToEndTest, ALockLeftByAKilledReceiverDoesNotBlockTheNextStart) {
    startReceiver();
    ASSERT_EQ(kill(receiver_->pid(), SIGKILL), 0);
    receiver_->stop(false);
    ASSERT_TRUE(waitUntil([&] { return windows("--classname", "tavo-receiver").empty(); }));

    startReceiver();
    // The new receiver, not the killed one's socket, answers later starts.
    EXPECT_EQ(startAgain(), 0);
    EXPECT_TRUE(waitUntil([&] { return shows("panel"); }));
}

}  // namespace
}  // namespace tavo::testing
