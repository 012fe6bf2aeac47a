#include <gtest/gtest.h>

#include "receiver/WillChangeSignal.h"

namespace tavo {
namespace {

TEST(WillChangeSignal, SubscriptionsDisconnectWhenDestroyedOrReplaced) {
    WillChangeSignal signal;
    int first = 0;
    int second = 0;
    auto subscription = signal.connect([&] { ++first; });
    signal.emit();
    subscription = signal.connect([&] { ++second; });
    signal.emit();
    {
        const auto moved = std::move(subscription);
        signal.emit();
    }
    signal.emit();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
}

TEST(WillChangeSignal, ObserversMayDisconnectDuringEmission) {
    WillChangeSignal signal;
    int calls = 0;
    WillChangeSignal::Subscription self;
    WillChangeSignal::Subscription other;
    self = signal.connect([&] {
        ++calls;
        self = {};
        other = {};
    });
    other = signal.connect([&] { ++calls; });
    signal.emit();
    signal.emit();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace tavo
