// The real tavo-receiver on a private X display with a tray, a focused text sink and avahi in a
// private network namespace; tavo-send plays the phone and xdotool the user's pointer.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <QRect>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/x11/ChildProcess.h"
#include "tests/support/x11/TextSink.h"
#include "tests/support/x11/XvfbServer.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ChildProcess;

bool waitUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

class AppEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavo-app-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home_ = pattern;
        environment_ = {xvfb_.environmentEntry(), "HOME=" + home_.string(),
                        "XDG_CONFIG_HOME=" + home_.string(),
                        "TAVO_TEST_PANEL_GEOMETRY=" + (home_ / "panel").string()};
        // trayer must own the tray before the receiver looks for one.
        trayer_.emplace(std::vector<std::string>{"trayer", "--edge", "top", "--align", "right",
                                                 "--widthtype", "request", "--height", "24"},
                        environment_);
        ASSERT_TRUE(waitUntil([&] { return !windows("--name", "^panel$").empty(); }));
    }

    void TearDown() override {
        receiver_.reset();
        trayer_.reset();
        fs::remove_all(home_);
    }

    void startReceiver() {
        receiver_.emplace(std::vector<std::string>{TAVO_RECEIVER_PATH}, environment_);
        ASSERT_TRUE(waitUntil([&] { return trayIcon().isValid(); }));
    }

    // Says hello, waits for the reply, sends the scans and stays connected for `linger` seconds.
    std::unique_ptr<ChildProcess> startPhone(const std::vector<std::string>& scans,
                                             const std::string& linger = "0") {
        std::vector<std::string> arguments{TAVO_SEND_PATH, "--name=E2E Phone", "--wait-status",
                                           "--timeout=15", "--linger=" + linger};
        arguments.insert(arguments.end(), scans.begin(), scans.end());
        return std::make_unique<ChildProcess>(arguments, environment_);
    }

    static std::string nextStatus(ChildProcess& phone) {
        while (auto line = phone.readLine(15s)) {
            if (line->starts_with("status: ")) {
                return line->substr(8);
            }
        }
        return {};
    }

    // The visible windows found by xdotool search.
    std::vector<QRect> windows(const std::string& by, const std::string& what) {
        ChildProcess search(
            {"xdotool", "search", "--onlyvisible", by, what, "getwindowgeometry", "--shell", "%@"},
            environment_);
        std::vector<QRect> found;
        std::map<std::string, int> values;
        while (auto line = search.readLine(10s)) {
            const auto equals = line->find('=');
            values[line->substr(0, equals)] = std::atoi(line->c_str() + equals + 1);
            if (line->starts_with("SCREEN=")) {
                found.emplace_back(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
            }
        }
        search.stop(false);
        return found;
    }

    QRect trayIcon() {
        for (const QRect& window : windows("--classname", "tavo-receiver")) {
            if (window.width() <= 64) {
                return window;
            }
        }
        return {};
    }

    QImage screenshot(const fs::path& path) {
        EXPECT_EQ(testing::runProgram({TAVO_SCREENSHOT_PATH, path.string()}, environment_), 0);
        return QImage(QString::fromStdString(path.string()));
    }

    QImage iconImage() { return screenshot(home_ / "screen.png").copy(trayIcon()); }

    void click(QPoint at) {
        ASSERT_EQ(testing::runProgram({"xdotool", "mousemove", std::to_string(at.x()),
                                       std::to_string(at.y()), "click", "1"},
                                      environment_),
                  0);
    }

    // Where the open panel's controls are, as the receiver reports them.
    std::map<std::string, QRect> panelGeometry() const {
        std::map<std::string, QRect> controls;
        std::ifstream file(home_ / "panel");
        std::string name;
        int x, y, width, height;
        while (file >> name >> x >> y >> width >> height) {
            controls[name] = QRect(x, y, width, height);
        }
        return controls;
    }

    testing::XvfbServer xvfb_;
    testing::TextSink sink_{xvfb_, true};
    fs::path home_;
    std::vector<std::string> environment_;
    std::optional<ChildProcess> trayer_;
    std::optional<ChildProcess> receiver_;
};

TEST_F(AppEndToEndTest, TypesScansFollowsThePhoneAndKeepsTheModeChosenInThePanel) {
    startReceiver();
    const QImage waitingIcon = iconImage();

    // Newline mode; the icon shows the phone while it is connected.
    auto phone = startPhone({"4006381333931", "ABC-123"}, "5");
    EXPECT_EQ(nextStatus(*phone), "newline");
    std::string typed = "4006381333931<Return>ABC-123<Return>";
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == typed; })) << sink_.received();
    EXPECT_TRUE(waitUntil([&] { return iconImage() != waitingIcon; }));
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return iconImage() == waitingIcon; }));

    // The panel opens from the icon; choosing CSV tells the connected phone.
    phone = startPhone({"X1"}, "10");
    EXPECT_EQ(nextStatus(*phone), "newline");
    click(trayIcon().center());
    ASSERT_TRUE(waitUntil([&] { return panelGeometry().contains("csvSegment"); }));
    click(panelGeometry()["csvSegment"].center());
    EXPECT_EQ(nextStatus(*phone), "csv");

    // Scans typed while the panel is open, after clicks on it, still reach the focused sink.
    auto csvPhone = startPhone({"111", "2,2"});
    EXPECT_EQ(nextStatus(*csvPhone), "csv");
    typed += "X1<Return>111,2,2,";
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == typed; })) << sink_.received();
    EXPECT_EQ(csvPhone->stop(false), 0);
    screenshot(fs::path(TAVO_E2E_ARTIFACT_DIR) / "tavo-receiver-panel.png");

    // A click elsewhere closes the panel.
    click(panelGeometry()["panel"].bottomLeft() + QPoint(-100, 100));
    EXPECT_TRUE(waitUntil([&] { return windows("--classname", "tavo-receiver").size() == 1; }));

    // The mode survives a restart. Discovery may still give the previous run's port for a
    // moment: the phone tries again.
    receiver_.reset();
    startReceiver();
    std::string status;
    EXPECT_TRUE(waitUntil([&] {
        auto lastPhone = startPhone({"Z"});
        status = nextStatus(*lastPhone);
        return lastPhone->stop(false) == 0;
    }));
    EXPECT_EQ(status, "csv");
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == typed + "Z,"; })) << sink_.received();
}

}  // namespace
}  // namespace tavo
