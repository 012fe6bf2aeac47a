#pragma once

// The real tavo-receiver on a private X display with a tray, a focused text sink and avahi in a
// private network namespace; tavo-send plays the phone and xdotool the user's pointer. Test
// executables that use it run under the Avahi namespace fixture.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <QRect>
#include <QSettings>
#include <QStringList>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/WaitUntil.h"
#include "tests/support/x11/ChildProcess.h"
#include "tests/support/x11/TextSink.h"
#include "tests/support/x11/XvfbServer.h"

namespace tavo::testing {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class ReceiverDesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavo-app-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home_ = pattern;
        // A session of its own: tests running side by side, each in its own namespaces, may
        // even share a display number.
        const fs::path runtime = home_ / "runtime";
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        // English, whatever the language of the session running the tests; a test may add its
        // own LANG after these.
        environment_ = {xvfb_.environmentEntry(),
                        "HOME=" + home_.string(),
                        "XDG_CONFIG_HOME=" + home_.string(),
                        "XDG_RUNTIME_DIR=" + runtime.string(),
                        "LANGUAGE=",
                        "LC_ALL=",
                        "LC_MESSAGES=",
                        "LANG=C.UTF-8"};
        allowTestPhone();
        // trayer must own the tray before the receiver looks for one.
        if (trayAtStart_) {
            startTray();
        }
    }

    // The phone of startPhone() is one the user allowed before, at either loopback address that
    // discovery may give: a new phone types nothing until it is allowed.
    void allowTestPhone() {
        QSettings(QString::fromStdString(settingsFile().string()), QSettings::IniFormat)
            .setValue("tavo.allowedPhones", QStringList{"127.0.0.1 E2E Phone", "::1 E2E Phone"});
    }

    fs::path settingsFile() const { return home_ / "tavo" / "tavo-receiver.ini"; }

    void startTray() {
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

    // Returns once its tray icon shows. With `logged`, its log (--verbose) is its standard output,
    // which receiverPort() reads.
    void startReceiver(bool logged = false) {
        launchReceiver(logged);
        ASSERT_TRUE(waitUntil([&] { return trayIcon().isValid(); }));
    }

    // Returns at once. The receiver carries the probe that reports its panel's geometry.
    void launchReceiver(bool logged = false) {
        fs::remove(home_ / "panel");
        std::vector<std::string> environment = environment_;
        environment.push_back("LD_PRELOAD=" TAVO_PANEL_PROBE_PATH);
        environment.push_back("TAVO_TEST_PANEL_GEOMETRY=" + (home_ / "panel").string());
        receiver_.emplace(logged
                              ? std::vector<std::string>{"sh", "-c", "exec \"$0\" --verbose 2>&1",
                                                         TAVO_RECEIVER_PATH}
                              : std::vector<std::string>{TAVO_RECEIVER_PATH},
                          environment);
    }

    // The port of a logged receiver, from its log: discovery may still give a previous run's.
    std::string receiverPort() {
        const std::string portLine = "tavo-receiver: listening on TCP port ";
        while (const auto line = receiver_->readLine(20s)) {
            if (line->starts_with(portLine)) {
                return line->substr(portLine.size());
            }
        }
        return {};
    }

    // Says hello, waits for the reply, sends the scans (or tavo-send's load options) and stays
    // connected for `linger` seconds. Given a port, it connects from 127.0.0.1 without discovery.
    std::unique_ptr<ChildProcess> startPhone(const std::vector<std::string>& scans,
                                             const std::string& linger = "0",
                                             const std::string& port = "") {
        std::vector<std::string> arguments{TAVO_SEND_PATH, "--name=E2E Phone", "--wait-status",
                                           "--timeout=15", "--linger=" + linger};
        if (!port.empty()) {
            arguments.insert(arguments.end(), {"--host=127.0.0.1", "--port=" + port});
        }
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

    // The visible windows found by xdotool search, by window id.
    std::map<int, QRect> windows(const std::string& by, const std::string& what) {
        ChildProcess search(
            {"xdotool", "search", "--onlyvisible", by, what, "getwindowgeometry", "--shell", "%@"},
            environment_);
        std::map<int, QRect> found;
        std::map<std::string, int> values;
        while (auto line = search.readLine(10s)) {
            const auto equals = line->find('=');
            values[line->substr(0, equals)] = std::atoi(line->c_str() + equals + 1);
            if (line->starts_with("SCREEN=")) {
                found[values["WINDOW"]] =
                    QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
            }
        }
        search.stop(false);
        return found;
    }

    QRect trayIcon() {
        for (const auto& [id, window] : windows("--classname", "tavo-receiver")) {
            if (window.width() <= 64) {
                return window;
            }
        }
        return {};
    }

    QImage screenshot(const fs::path& path) {
        EXPECT_EQ(runProgram({TAVO_SCREENSHOT_PATH, path.string()}, environment_), 0);
        return QImage(QString::fromStdString(path.string()));
    }

    QImage iconImage() { return screenshot(home_ / "screen.png").copy(trayIcon()); }

    void click(QPoint at) {
        ASSERT_EQ(runProgram({"xdotool", "mousemove", std::to_string(at.x()),
                              std::to_string(at.y()), "click", "1"},
                             environment_),
                  0);
    }

    // Where the open panel's controls are, as the probe in the receiver reports them: the panel
    // itself is "panel", each control goes by its objectName.
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

    bool shows(const std::string& control) const { return panelGeometry().contains(control); }

    // The open panel's visible texts, top to bottom, as "name<TAB>text" (name "-" when it has
    // none), as the probe reports them.
    std::vector<std::string> panelTexts() const {
        std::vector<std::string> texts;
        std::ifstream file(home_ / "panel.texts");
        for (std::string line; std::getline(file, line);) {
            texts.push_back(line);
        }
        return texts;
    }

    // Opens the panel from the tray icon; returns once it shows.
    void openPanel() {
        click(trayIcon().center());
        ASSERT_TRUE(waitUntil([&] { return shows("quitButton"); }));
    }

    void clickControl(const std::string& name) {
        ASSERT_TRUE(waitUntil([&] { return shows(name); })) << name;
        click(panelGeometry()[name].center());
    }

    // What one scan of tavo-send --count leaves in the sink: 13 digits and <Return>.
    static constexpr std::size_t generatedScanInSink = 21;

    bool trayAtStart_ = true;
    XvfbServer xvfb_;
    TextSink sink_{xvfb_, true};
    fs::path home_;
    std::vector<std::string> environment_;
    std::optional<ChildProcess> trayer_;
    std::optional<ChildProcess> receiver_;
};

}  // namespace tavo::testing
