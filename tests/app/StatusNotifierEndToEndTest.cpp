#include <cstdlib>

#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

// The tray of KDE, GNOME's AppIndicator, XFCE and waybar: a StatusNotifier watcher and host on
// a session bus of the test's own, and no XEmbed tray.
class StatusNotifierEndToEndTest : public ReceiverDesktopTest {
  protected:
    StatusNotifierEndToEndTest() { trayAtStart_ = false; }

    void SetUp() override {
        ReceiverDesktopTest::SetUp();
        bus_.emplace(
            std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--print-address=1"},
            environment_);
        const auto address = bus_->readLine(10s);
        ASSERT_TRUE(address.has_value());
        environment_.push_back("DBUS_SESSION_BUS_ADDRESS=" + *address);
    }

    void TearDown() override {
        receiver_.reset();
        host_.reset();
        bus_.reset();
        ReceiverDesktopTest::TearDown();
    }

    // Returns once the watcher is on the bus.
    void startHost(const std::vector<std::string>& options = {}) {
        std::vector<std::string> command{"/usr/bin/python3", TAVO_STATUS_NOTIFIER_HOST_PATH};
        command.insert(command.end(), options.begin(), options.end());
        host_.emplace(command, environment_);
        ASSERT_EQ(host_->readLine(10s), "ready");
    }

    // What the host reports next of this kind ("item", "icon", "tooltip"); nothing when it
    // reports none within the timeout.
    std::optional<std::string> next(const std::string& kind,
                                    std::chrono::steady_clock::duration timeout = 10s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (const auto line = host_->readLine(deadline - std::chrono::steady_clock::now())) {
            if (line->starts_with(kind + " ")) {
                return line->substr(kind.size() + 1);
            }
        }
        return std::nullopt;
    }

    // The user's click on the icon, or on an entry of its menu.
    void activate() { ASSERT_EQ(callHost({"Activate"}), 0); }
    void clickMenu(const std::string& label) { ASSERT_EQ(callHost({"Click", label}), 0); }

    int callHost(std::vector<std::string> methodAndArguments) {
        std::vector<std::string> command{"gdbus",
                                         "call",
                                         "--session",
                                         "--dest",
                                         "org.kde.StatusNotifierWatcher",
                                         "--object-path",
                                         "/org/tavo/TestHost",
                                         "--method"};
        methodAndArguments.front().insert(0, "org.tavo.TestHost.");
        command.insert(command.end(), methodAndArguments.begin(), methodAndArguments.end());
        return runProgram(command, environment_);
    }

    // The panel, or the window it is while there is no tray.
    std::map<int, QRect> panelWindows() { return windows("--name", "^Tavo Receiver$"); }

    std::optional<ChildProcess> bus_;
    std::optional<ChildProcess> host_;
};

TEST_F(StatusNotifierEndToEndTest, ItemShowsFollowsPhoneAndPauseOpensThePanelAndQuitsFromItsMenu) {
    startHost();
    launchReceiver(true);
    const std::string port = receiverPort();
    ASSERT_FALSE(port.empty());
    ASSERT_TRUE(next("item").has_value());
    const auto waiting = next("icon");
    ASSERT_TRUE(waiting.has_value());
    EXPECT_NE(*waiting, "none");
    EXPECT_EQ(next("tooltip"), "Tavo Receiver");
    EXPECT_TRUE(panelWindows().empty()) << "a tray was there: no window at start";

    activate();
    EXPECT_TRUE(waitUntil([&] { return panelWindows().size() == 1; })) << "not opened";
    activate();
    EXPECT_TRUE(waitUntil([&] { return panelWindows().empty(); })) << "not closed";

    // A tray may be told of the same icon more than once.
    const auto nextIconOtherThan = [&](const std::string& shown) {
        std::optional<std::string> icon;
        while ((icon = next("icon")) && *icon == shown) {
        }
        return icon;
    };
    const auto phone = startPhone({}, "60", port);
    ASSERT_FALSE(nextStatus(*phone).empty());
    const auto connected = nextIconOtherThan(*waiting);
    ASSERT_TRUE(connected.has_value()) << "no icon for a phone";
    clickMenu("Pause typing");
    const auto paused = nextIconOtherThan(*connected);
    ASSERT_TRUE(paused.has_value()) << "no icon for Pause";
    EXPECT_NE(*paused, *waiting);

    clickMenu("Quit Tavo Receiver");
    EXPECT_TRUE(waitUntil([&] { return receiver_->hasExited(); }));
}

// At login a panel such as waybar often starts after the receiver's autostart entry.
TEST_F(StatusNotifierEndToEndTest, AWatcherThatComesLaterGetsTheItemAndThePanelOpensAtThePointer) {
    launchReceiver();
    // Up, and without a tray: its panel shows as a window of its own.
    ASSERT_TRUE(waitUntil([&] { return panelWindows().size() == 1; }));

    startHost();
    ASSERT_TRUE(next("item", 2s).has_value()) << "no item within 2 s of the watcher";
    EXPECT_EQ(next("tooltip"), "Tavo Receiver");

    // From now on the panel opens where the tray is, at the pointer when the host does not say.
    const QPoint pointer(400, 300);
    ASSERT_EQ(runProgram({"xdotool", "mousemove", std::to_string(pointer.x()),
                          std::to_string(pointer.y())},
                         environment_),
              0);
    activate();
    EXPECT_TRUE(waitUntil([&] {
        const QRect panel = panelGeometry()["panel"];
        return panel.top() == pointer.y() && std::abs(panel.center().x() - pointer.x()) <= 1;
    })) << "not a panel at the pointer";
    activate();
    EXPECT_TRUE(waitUntil([&] { return panelWindows().empty(); })) << "not closed";
}

// Qt takes a watcher without a host for no tray, for good: the icon waits for the host.
TEST_F(StatusNotifierEndToEndTest, AWatcherWhoseHostComesLaterGetsTheItemOnceTheHostIsThere) {
    launchReceiver();
    ASSERT_TRUE(waitUntil([&] { return panelWindows().size() == 1; }));
    startHost({"--host-later"});
    ASSERT_EQ(callHost({"RegisterHost"}), 0);
    EXPECT_TRUE(next("item", 2s).has_value()) << "no item within 2 s of the host";
}

}  // namespace
}  // namespace tavo::testing
