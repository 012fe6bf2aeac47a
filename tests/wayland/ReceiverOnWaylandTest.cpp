// The real tavo-receiver in a Wayland session without Xwayland, on each compositor family: it
// chooses its route by probing and types a phone's scans into a native Wayland window.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QSettings>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/TypedTexts.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/wayland/OnCompositor.h"
#include "tests/support/wayland/WaylandTextSink.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::CompositorKind;
using testing::returnsIn;

struct Desktop {
    const char* name;
    CompositorKind (*kind)();
    const char* route;  // the route the panel names
    // Whether the seat has a keyboard only once the route's session started (Mutter headless).
    bool sessionGivesKeyboard = false;
};

void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << desktop.name;
}

class ReceiverOnWayland : public testing::OnCompositor,
                          public ::testing::WithParamInterface<Desktop> {
  protected:
    CompositorKind kind() const override { return GetParam().kind(); }

    void SetUp() override {
        OnCompositor::SetUp();
        if (IsSkipped()) {
            return;
        }
        char pattern[] = "/tmp/tavo-wayland-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        config_ = pattern;
        // The test's phone was allowed before.
        QSettings((config_ / "tavo" / "tavo-receiver.ini").c_str(), QSettings::IniFormat)
            .setValue("tavo.allowedPhones", QStringList{"127.0.0.1 Wayland Phone"});
    }

    void TearDown() override {
        receiver_.reset();
        fs::remove_all(config_);
    }

    // Starts the receiver as a native Wayland client, with its log on standard output, and
    // returns its port. Without a launcher's activation token it starts as at login.
    std::optional<std::string> startReceiver(const std::string& activationToken = "") {
        std::vector<std::string> environment{
            "DISPLAY=", "QT_QPA_PLATFORM=wayland", "XDG_ACTIVATION_TOKEN=" + activationToken,
            "DESKTOP_STARTUP_ID=", "XDG_CONFIG_HOME=" + config_.string()};
        environment.insert(environment.end(), extraEnvironment_.begin(), extraEnvironment_.end());
        receiver_.emplace(
            std::vector<std::string>{"sh", "-c", "exec \"$0\" --verbose 2>&1", TAVO_RECEIVER_PATH},
            environment);
        const std::string portLine = "tavo-receiver: listening on TCP port ";
        if (!logs(portLine)) {
            return std::nullopt;
        }
        const std::size_t port = log_.find(portLine) + portLine.size();
        return log_.substr(port, log_.find('\n', port) - port);
    }

    // Whether the receiver's log holds `text`, reading on until it does.
    bool logs(const std::string& text) {
        if (log_.find(text) != std::string::npos) {
            return true;
        }
        while (const auto line = receiver_->readLine(20s)) {
            log_ += *line + "\n";
            if (line->find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // A phone that says hello, then sends each line written to the returned pipe as a scan.
    ChildProcess phone(const std::string& port, const fs::path& scans) {
        mkfifo(scans.c_str(), 0600);
        // Opened for reading and writing, the pipe neither blocks the phone nor ends.
        return ChildProcess({"sh", "-c", "exec 0<>\"$1\"; shift; exec \"$@\"", "phone",
                             scans.string(), TAVO_SEND_PATH, "--host=127.0.0.1", "--port=" + port,
                             "--name=Wayland Phone", "--wait-status"});
    }

    fs::path config_;
    std::vector<std::string> extraEnvironment_;
    std::optional<ChildProcess> receiver_;
    std::string log_;
};

// Started as at login, the receiver shows no window where there is no tray (none of these
// compositors has one): a window would take the keyboard focus from the sink.
TEST_P(ReceiverOnWayland, ChoosesTheRouteByProbingAndTypesScansIntoANativeWindow) {
    const auto port = startReceiver();
    ASSERT_TRUE(port) << log_ << compositor_->log();
    ASSERT_TRUE(logs(GetParam().route)) << log_;

    ChildProcess connected = phone(*port, config_ / "scans");
    ASSERT_TRUE(logs("connected device")) << log_;
    // Where the route's session gives the seat its keyboard (Mutter), the window that opens
    // after the session started has the focus; the session starts with the first scan. That
    // scan may reach the window too.
    std::string warmUp;
    if (GetParam().sessionGivesKeyboard) {
        std::ofstream(config_ / "scans") << "0\n";
        ASSERT_TRUE(logs("the typing route's session started")) << log_;
        warmUp = "0<Return>";
    }
    const auto sink = testing::openWaylandTextSink(*compositor_, true);

    std::ofstream(config_ / "scans") << "4006381333931\n\u00c5ngstr\u00f6m-\u00df\n\u6f22\n";
    const std::string typed =
        "4006381333931<Return>\u00c5ngstr\u00f6m-\u00df<Return>\u6f22<Return>";
    EXPECT_TRUE(testing::waitUntil(
        [&] { return sink->received() == typed || sink->received() == warmUp + typed; }, 20s))
        << sink->received() << "\n"
        << (logs("(not in the log)"), log_);
    connected.stop();
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, ReceiverOnWayland,
    ::testing::Values(Desktop{"Sway", testing::swayCompositor,
                              "Typing through the compositor's virtual keyboard"},
                      Desktop{"KWin", testing::kwinCompositor,
                              "Typing through KDE's fake input protocol"},
                      Desktop{"Mutter", testing::mutterCompositor,
                              "Typing through GNOME's remote desktop service", true}),
    [](const auto& info) { return std::string(info.param.name); });

using ReceiverLaunchedOnSway = ReceiverOnWayland;

// The app_ids of sway's windows, as its IPC reports them.
std::string swayTree() {
    std::string tree;
    for (const auto& entry : fs::directory_iterator(std::getenv("XDG_RUNTIME_DIR"))) {
        if (entry.path().filename().string().starts_with("sway-ipc.")) {
            ChildProcess swaymsg(
                {"swaymsg", "--socket", entry.path().string(), "--raw", "--type", "get_tree"});
            while (const auto line = swaymsg.readLine(5s)) {
                tree += *line;
            }
        }
    }
    return tree;
}

// Started from a launcher, which hands over an activation token, the receiver shows its window.
// That window has the keyboard focus, so a scan is held back rather than typed into it.
TEST_P(ReceiverLaunchedOnSway, ShowsItsWindowWhereThereIsNoTrayAndHoldsScansWhileFocused) {
    const auto port = startReceiver("launcher-token");
    ASSERT_TRUE(port) << log_;
    ASSERT_TRUE(testing::waitUntil(
        [] { return swayTree().find("\"tavo-receiver\"") != std::string::npos; }, 20s))
        << swayTree();

    ChildProcess connected = phone(*port, config_ / "scans");
    ASSERT_TRUE(logs("connected device")) << log_;
    std::ofstream(config_ / "scans") << "4006381333931\n";
    EXPECT_TRUE(logs("held a scan back: the receiver's own window has the keyboard focus")) << log_;
    connected.stop();
}

// 1,000 EAN-13 scans are being typed when the receiver's window takes the focus (the receiver is
// started again, and the running one opens its window): typing stops at once, and the panel
// lists its newest scans, which were never typed, as not typed.
TEST_P(ReceiverLaunchedOnSway, ItsWindowTakingTheFocusStopsTypingAtOnce) {
    const fs::path panel = config_ / "panel";
    extraEnvironment_ = {"LD_PRELOAD=" TAVO_PANEL_PROBE_PATH,
                         "TAVO_TEST_PANEL_GEOMETRY=" + panel.string()};
    const auto port = startReceiver();
    ASSERT_TRUE(port) << log_;
    const auto sink = testing::openWaylandTextSink(*compositor_, true);
    ChildProcess phone({TAVO_SEND_PATH, "--host=127.0.0.1", "--port=" + *port,
                        "--name=Wayland Phone", "--wait-status", "--count=1000"});
    EXPECT_EQ(phone.stop(false), 0);
    ASSERT_TRUE(testing::waitUntil([&] { return returnsIn(sink->received()) >= 3; }, 20s));

    ChildProcess again({TAVO_RECEIVER_PATH}, {"DISPLAY=", "QT_QPA_PLATFORM=wayland",
                                              "XDG_CONFIG_HOME=" + config_.string()});
    EXPECT_EQ(again.stop(false), 0);
    EXPECT_TRUE(logs("typing stopped")) << log_;
    const std::size_t atStop = returnsIn(sink->received());
    const auto notTypedRows = [&] {
        std::ifstream file(panel);
        int rows = 0;
        for (std::string line; std::getline(file, line);) {
            rows += line.starts_with("notTypedMark ") ? 1 : 0;
        }
        return rows;
    };
    EXPECT_TRUE(testing::waitUntil([&] { return notTypedRows() == 20; }, 30s)) << notTypedRows();
    EXPECT_LE(returnsIn(sink->received()), atStop + 1);
    EXPECT_LT(returnsIn(sink->received()), 1000U);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ReceiverLaunchedOnSway,
                         ::testing::Values(Desktop{"Sway", testing::swayCompositor, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

using TrayLaterOnSway = ReceiverOnWayland;

// A panel such as waybar, started by the compositor, often comes up after the receiver's
// autostart entry; its StatusNotifier tray gets the icon all the same.
TEST_P(TrayLaterOnSway, AStatusNotifierTrayThatComesLaterGetsTheIconWhichOpensThePanel) {
    ASSERT_TRUE(startReceiver()) << log_;
    ChildProcess tray({"/usr/bin/python3", TAVO_STATUS_NOTIFIER_HOST_PATH});
    ASSERT_EQ(tray.readLine(10s), "ready");
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    std::optional<std::string> line;
    while ((line = tray.readLine(deadline - std::chrono::steady_clock::now())) &&
           !line->starts_with("item ")) {
    }
    ASSERT_TRUE(line) << "no item within 2 s of the watcher\n" << log_;

    ASSERT_EQ(testing::runProgram({"gdbus", "call", "--session", "--dest",
                                   "org.kde.StatusNotifierWatcher", "--object-path",
                                   "/org/tavo/TestHost", "--method", "org.tavo.TestHost.Activate"}),
              0);
    EXPECT_TRUE(testing::waitUntil(
        [] { return swayTree().find("\"tavo-receiver\"") != std::string::npos; }, 20s))
        << swayTree();
}

INSTANTIATE_TEST_SUITE_P(Desktops, TrayLaterOnSway,
                         ::testing::Values(Desktop{"Sway", testing::swayCompositor, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavo
