// Nothing is typed into a locked session: the real receiver beside a stand-in logind
// (python3-dbusmock) on the namespace's system bus, whose session turns LockedHint on and off.
#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

constexpr const char* sessionPath = "/org/freedesktop/login1/session/c7";

class SessionLockEndToEndTest : public ReceiverDesktopTest {
  protected:
    void SetUp() override {
        ReceiverDesktopTest::SetUp();
        // Any phone types, so that only the lock holds scans back.
        QSettings(QString::fromStdString(settingsFile().string()), QSettings::IniFormat)
            .setValue("tavo.askBeforeNewPhone", "false");
        logind_.emplace(
            std::vector<std::string>{TAVO_SYSTEM_PYTHON, "-m", "dbusmock", "--template", "logind"});
        ASSERT_TRUE(waitUntil([&] {
            return logind({"/org/freedesktop/login1", "org.freedesktop.DBus.Mock.AddSession",
                           "string:c7", "string:seat0", "uint32:1000", "string:tavo",
                           "boolean:true"}) == 0;
        }));
        environment_.push_back("XDG_SESSION_ID=c7");
    }

    void TearDown() override {
        ReceiverDesktopTest::TearDown();
        logind_.reset();
    }

    int logind(std::vector<std::string> call) {
        call.insert(call.begin(),
                    {"dbus-send", "--system", "--print-reply", "--dest=org.freedesktop.login1"});
        return runProgram(call);
    }

    void setLockedHint(bool locked) {
        ASSERT_EQ(logind({sessionPath, "org.freedesktop.login1.Session.SetLockedHint",
                          locked ? "boolean:true" : "boolean:false"}),
                  0);
    }

    // Reads the receiver's log until a line holds `text`.
    bool logSays(const std::string& text) {
        while (const auto line = receiver_->readLine(20s)) {
            if (line->find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    // The receiver's port, once it also follows the session's lock: the two lines come in
    // either order.
    std::string portOnceFollowingTheLock() {
        const std::string portLine = "tavo-receiver: listening on TCP port ";
        std::string port;
        bool following = false;
        while (const auto line = receiver_->readLine(20s)) {
            if (line->starts_with(portLine)) {
                port = line->substr(portLine.size());
            }
            following = following || line->ends_with(std::string("login session ") + sessionPath);
            if (!port.empty() && following) {
                return port;
            }
        }
        return {};
    }

    int notTypedRows() const {
        std::ifstream file(home_ / "panel");
        int rows = 0;
        for (std::string line; std::getline(file, line);) {
            rows += line.starts_with("notTypedMark ") ? 1 : 0;
        }
        return rows;
    }

    std::optional<ChildProcess> logind_;
};

TEST_F(SessionLockEndToEndTest, ScansAreListedNotTypedWhileLockedAndNewOnesTypeAfterUnlock) {
    startReceiver(true);
    const std::string port = portOnceFollowingTheLock();
    ASSERT_FALSE(port.empty());
    openPanel();

    setLockedHint(true);
    ASSERT_TRUE(logSays("warning: the session is locked"));
    auto phone = startPhone({"1", "2"}, "0", port);
    EXPECT_EQ(phone->stop(false), 0);
    EXPECT_TRUE(waitUntil([&] { return notTypedRows() == 2; }));

    setLockedHint(false);
    ASSERT_TRUE(logSays("the session is unlocked"));
    phone = startPhone({"3"}, "0", port);
    EXPECT_EQ(phone->stop(false), 0);
    // Typed in order, so nothing held back before can still come.
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == "3<Return>"; })) << sink_.received();
    EXPECT_EQ(notTypedRows(), 2);
}

}  // namespace
}  // namespace tavo::testing
