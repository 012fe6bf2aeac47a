// The receiver with its real network platform, beside a real avahi-daemon in a private network
// namespace (with-avahi-netns.sh), and tavo-send as the phone. Discovery, the status reply and
// typing in order are proven through the whole application (tests/app); here what needs two
// phones.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "platform/network/AsioNetwork.h"
#include "receiver/ScanListener.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"

namespace tavo {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct CommandResult {
    int exitStatus;
    std::string output;  // standard output only
};

CommandResult runCommand(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return {-1, ""};
    }
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string tavoSend(const std::string& arguments) {
    return std::string(TAVO_SEND_PATH) + " --timeout 10 " + arguments;
}

class DiscoveryEndToEnd : public ::testing::Test {
  protected:
    void TearDown() override {
        listener.reset();
        mainThread.drain();
    }

    void makeListener() {
        // These phones are about discovery and the protocol: every one types.
        defaults.values[ScanListener::asksBeforeNewPhoneKey] = "false";
        listener = ScanListener::make(mainThread, defaults, network);
        listener->setOnScan([this](const TavoScan& scan) {
            scans.push_back(scan.value);
            deviceAtScan.push_back(listener->connectedDeviceName().value_or("(none)"));
        });
    }

    // Runs the main thread until done() holds, or the deadline passes; returns done().
    bool runMainThreadUntil(const std::function<bool()>& done, std::chrono::seconds timeout = 20s) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!mainThread.runUntil(done, 10ms)) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
        }
        return true;
    }

    // Runs tavo-send while the main thread serves it, until it has ended.
    CommandResult runPhone(const std::string& arguments) {
        auto phone = std::async(std::launch::async, runCommand, tavoSend(arguments));
        runMainThreadUntil([&] { return phone.wait_for(0s) == std::future_status::ready; });
        return phone.get();
    }

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    AsioNetwork network;
    std::shared_ptr<ScanListener> listener;
    std::vector<std::string> scans;
    std::vector<std::string> deviceAtScan;
};

TEST_F(DiscoveryEndToEnd, SecondPhoneReplacesTheFirstWhichReportsItsLostConnection) {
    makeListener();
    ASSERT_TRUE(runMainThreadUntil([&] { return listener->isAdvertising(); }));
    auto first = std::async(std::launch::async, runCommand,
                            tavoSend("--wait-status --name first --linger 60 one 2>&1"));
    ASSERT_TRUE(runMainThreadUntil([&] { return scans.size() == 1; }));

    const CommandResult second = runPhone("--wait-status --name second two");

    ASSERT_TRUE(
        runMainThreadUntil([&] { return first.wait_for(0s) == std::future_status::ready; }));
    const CommandResult replaced = first.get();
    EXPECT_EQ(replaced.exitStatus, 1);
    EXPECT_THAT(replaced.output, HasSubstr("the receiver closed the connection"));
    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_THAT(scans, ElementsAre("one", "two"));
    EXPECT_THAT(deviceAtScan, ElementsAre("first", "second"));
}

}  // namespace
}  // namespace tavo
