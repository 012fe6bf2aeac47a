#include <gtest/gtest.h>

#include "receiver/WillChangeSignal.h"

namespace tavo {
namespace {

TEST(WillChangeSignal, SubscriptionsDisconnectWhenDestroyedReplacedOrResetDuringEmission) {
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

    // An observer may disconnect itself and others while it is being told.
    WillChangeSignal::Subscription other;
    subscription = signal.connect([&] {
        ++first;
        subscription = {};
        other = {};
    });
    other = signal.connect([&] { ++first; });
    signal.emit();
    signal.emit();
    EXPECT_EQ(first, 2);
}

}  // namespace
}  // namespace tavo
