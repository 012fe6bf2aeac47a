// The application with a stand-in lock: a route's session (GNOME's remote desktop, the portal),
// which the desktop shows, is held only while a phone is connected and the session unlocked.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <mutex>
#include <optional>
#include <vector>

#include "app/TavoReceiverApp.h"
#include "kit/TavoFraming.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"
#include "tests/support/UnregisteredLoginItems.h"
#include "tests/support/WaitUntil.h"

namespace tavo {
namespace {

class StandInLock : public SessionLock {
  public:
    bool isLocked() const override { return locked_; }
    void setOnChange(std::function<void(bool)> onChange) override {
        onChange_ = std::move(onChange);
    }
    void set(bool locked) {
        locked_ = locked;
        onChange_(locked);
        QCoreApplication::processEvents();
    }

  private:
    bool locked_ = false;
    std::function<void(bool)> onChange_;
};

class TrustedInput : public InputAccess {
  public:
    bool isTrusted() override { return true; }
    std::string accessAdvice() override { return {}; }
    std::string typingRoute() override { return "Typing through a test route."; }
};

TEST(SessionLockAppTest, TheRouteSessionIsLetGoWhileLockedAndTakenAgainForTheNextScan) {
    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    defaults.values[ScanListener::asksBeforeNewPhoneKey] = "false";
    FakeNetwork network;
    RecordingKeyEvents keyEvents;
    TrustedInput inputAccess;
    UnregisteredLoginItems loginItems;
    // Told on the typing thread.
    std::mutex mutex;
    std::vector<bool> route;
    const auto routeSaid = [&](std::vector<bool> expected) {
        return testing::waitUntil([&] {
            const std::lock_guard lock(mutex);
            return route == expected;
        });
    };
    std::optional<TavoReceiverApp> app;
    app.emplace(
        mainThread, defaults, network, keyEvents, inputAccess, loginItems,
        [&](bool connected) {
            const std::lock_guard lock(mutex);
            route.push_back(connected);
        },
        // A window of ours with the focus would hold the scans back.
        false);
    StandInLock lock;
    app->followSessionLock(lock);

    const auto phone = network.makeConnection();
    network.listener().deliverConnection(phone);
    mainThread.drain();
    const auto scan = [&](int index) {
        phone->feed(TavoFraming::encode(TavoScan("4006381333931", "ean13", index)));
        mainThread.drain();
        QCoreApplication::processEvents();
    };
    phone->feed(TavoFraming::encode(TavoHello{"Till 1", 1}));
    scan(1);
    EXPECT_TRUE(routeSaid({true}));

    lock.set(true);
    EXPECT_TRUE(app->listener()->isSessionLocked());
    EXPECT_TRUE(routeSaid({true, false}));
    scan(2);
    lock.set(false);
    scan(3);
    EXPECT_TRUE(routeSaid({true, false, true}));
    app->stopNetwork();
    app->stopTyping();
}

}  // namespace
}  // namespace tavo
