// Who a phone is, on real links between network namespaces: the receiver (this process, in a
// namespace of its own) on a bridge with phones in namespaces of their own, a router namespace
// with a phone behind it, and loopback for another local user. Root only.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/network/AsioNetwork.h"
#include "receiver/ScanListener.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/x11/ChildProcess.h"

namespace tavo {
namespace {

using testing::ChildProcess;
using testing::runProgram;
using namespace std::chrono_literals;

constexpr const char* phoneA = "02:00:00:00:00:0a";
constexpr const char* phoneB = "02:00:00:00:00:0b";

class PhoneIdentityNetnsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "needs root for its network namespaces";
        }
        // Our own network and mount namespaces: the links, the named namespaces under a private
        // /run and every process left in them go when this process ends.
        ASSERT_EQ(unshare(CLONE_NEWNET | CLONE_NEWNS), 0);
        ASSERT_EQ(mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr), 0);
        ASSERT_EQ(mount("tmpfs", "/run", "tmpfs", 0, nullptr), 0);
        // No system bus here: nothing is advertised, and the listener accepts all the same.
        setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tavo-test-bus", 1);
        for (const std::string& command : std::vector<std::string>{
                 "ip link set lo up",
                 "ip link add br0 type bridge",
                 "ip addr add 10.9.1.1/24 dev br0",
                 "ip addr add fe80::1/64 dev br0 nodad",
                 "ip link set br0 up",
                 "ip route add 10.9.2.0/24 via 10.9.1.254",
             }) {
            ASSERT_EQ(sh(command), 0) << command;
        }
        addDevice("phone-a", "a0", phoneA, "10.9.1.10/24", "fe80::a/64");
        addDevice("router", "r0", "02:00:00:00:00:fe", "10.9.1.254/24", "fe80::fe/64");
        for (const std::string& command : std::vector<std::string>{
                 "ip netns add phone-c",
                 "ip -n router link add r1 type veth peer name eth0 netns phone-c",
                 "ip -n router addr add 10.9.2.1/24 dev r1",
                 "ip -n router link set r1 up",
                 "ip netns exec router sysctl -qw net.ipv4.ip_forward=1",
                 "ip -n phone-c addr add 10.9.2.5/24 dev eth0",
                 "ip -n phone-c link set eth0 up",
                 "ip -n phone-c route add default via 10.9.2.1",
             }) {
            ASSERT_EQ(sh(command), 0) << command;
        }

        // Stored by the release before: honoured for this computer's own user only.
        defaults.lists[ScanListener::allowedPhonesKey] = {"127.0.0.1 Till"};
        listener = ScanListener::make(mainThread, defaults, network);
        listener->setOnScan([this](const TavoScan& scan) { typed.push_back(scan.value); });
        ASSERT_TRUE(listener->port());
        port = std::to_string(*listener->port());
    }

    void TearDown() override {
        if (listener) {
            listener->stop();
        }
    }

    static int sh(const std::string& command) { return runProgram({"sh", "-c", command}); }

    // A device in a namespace of its own, on the bridge.
    static void addDevice(const std::string& name, const std::string& port,
                          const std::string& hardware, const std::string& v4,
                          const std::string& v6) {
        for (const std::string& command : std::vector<std::string>{
                 "ip netns add " + name,
                 "ip link add " + port + " type veth peer name eth0 netns " + name,
                 "ip link set " + port + " master br0 up",
                 "ip -n " + name + " link set eth0 address " + hardware,
                 "ip -n " + name + " addr add " + v4 + " dev eth0",
                 "ip -n " + name + " addr add " + v6 + " dev eth0 nodad",
                 "ip -n " + name + " link set eth0 up",
             }) {
            ASSERT_EQ(sh(command), 0) << command;
        }
    }

    // tavo-send in a namespace, or as a command prefix such as setpriv.
    std::vector<std::string> phone(std::vector<std::string> prefix, const std::string& host,
                                   const std::string& name, const std::string& value,
                                   const std::string& linger = "30") const {
        for (const std::string& argument :
             {std::string(TAVO_SEND_PATH), "--host=" + host, "--port=" + port, "--name=" + name,
              std::string("--wait-status"), "--linger=" + linger, value}) {
            prefix.push_back(argument);
        }
        return prefix;
    }
    static std::vector<std::string> in(const std::string& space) {
        return {"ip", "netns", "exec", space};
    }

    // Runs a phone to its end, serving the receiver's main thread meanwhile; its exit status.
    int run(const std::vector<std::string>& command) {
        ChildProcess phone(command);
        std::atomic<bool> ended = false;
        std::thread serving([&] { mainThread.runUntil([&] { return ended.load(); }, 30s); });
        const int status = phone.stop(false);
        ended = true;
        mainThread.post([] {});
        serving.join();
        return status;
    }

    // Starts a phone that sends one scan and stays connected; returns once the receiver has
    // listed the scan. The phone ends with the returned process.
    std::unique_ptr<ChildProcess> scanFrom(const std::vector<std::string>& command) {
        const auto listed = listener->recentScans().size();
        auto phone = std::make_unique<ChildProcess>(command);
        EXPECT_TRUE(mainThread.runUntil([&] { return listener->recentScans().size() > listed; }));
        return phone;
    }

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    AsioNetwork network;
    std::shared_ptr<ScanListener> listener;
    std::string port;
    std::vector<std::string> typed;
};

TEST_F(PhoneIdentityNetnsTest, AnAllowedPhoneStaysAllowedAcrossAddressesAndOthersAreAsked) {
    // New: asked, its scan held back; allowed by its hardware address.
    auto connected = scanFrom(phone(in("phone-a"), "10.9.1.1", "Till", "1"));
    ASSERT_TRUE(listener->phoneAsking());
    EXPECT_EQ(listener->phoneAsking()->identity, std::string("link/") + phoneA);
    listener->allowAskingPhone(*listener->phoneAsking());

    // A new lease, then IPv6 link-local: the same phone, typing without a question.
    ASSERT_EQ(sh("ip -n phone-a addr flush dev eth0 scope global"), 0);
    ASSERT_EQ(sh("ip -n phone-a addr add 10.9.1.11/24 dev eth0"), 0);
    connected = scanFrom(phone(in("phone-a"), "10.9.1.1", "Till", "2"));
    connected = scanFrom(phone(in("phone-a"), "fe80::1%eth0", "Till", "3"));
    EXPECT_EQ(typed, (std::vector<std::string>{"2", "3"}));
    EXPECT_FALSE(listener->phoneAsking());

    // Another device with the same name and the first one's old address is asked.
    addDevice("phone-b", "b0", phoneB, "10.9.1.10/24", "fe80::b/64");
    const auto other = scanFrom(phone(in("phone-b"), "10.9.1.1", "Till", "4"));
    ASSERT_TRUE(listener->phoneAsking());
    EXPECT_EQ(listener->phoneAsking()->identity, std::string("link/") + phoneB);
    EXPECT_EQ(typed, (std::vector<std::string>{"2", "3"}));
}

TEST_F(PhoneIdentityNetnsTest, ARoutedPhoneIsAskedAndLeavesTheConnectedPhoneAlone) {
    const auto connected = scanFrom(phone(in("phone-a"), "10.9.1.1", "Till", "1"));
    ASSERT_TRUE(listener->phoneAsking());
    listener->allowAskingPhone(*listener->phoneAsking());

    const auto far = scanFrom(phone(in("phone-c"), "10.9.1.1", "Far", "5"));
    ASSERT_TRUE(listener->phoneAsking());
    EXPECT_EQ(listener->phoneAsking()->address, "10.9.2.5");
    EXPECT_TRUE(listener->phoneAsking()->fromOtherNetwork);
    EXPECT_EQ(listener->connectedDeviceName(), "Till");
    EXPECT_FALSE(connected->hasExited()) << "the connected phone was knocked off";
    EXPECT_TRUE(typed.empty());
}

TEST_F(PhoneIdentityNetnsTest, AnotherLocalUserIsRefused) {
    const std::vector<std::string> nobody{"setpriv", "--reuid=65534", "--regid=65534",
                                          "--clear-groups"};
    // Closed before its hello is answered: tavo-send reports the failure.
    EXPECT_NE(run(phone(nobody, "127.0.0.1", "Till", "6", "0")), 0);
    EXPECT_EQ(run(phone({}, "127.0.0.1", "Till", "7", "0")), 0);
    mainThread.runUntil([&] { return !typed.empty(); });
    EXPECT_EQ(typed, std::vector<std::string>{"7"});
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              std::vector<std::string>{"user/0 Till"});
}

}  // namespace
}  // namespace tavo
