#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <vector>

#include "platform/wayland/VirtualKeyboardKeyEvents.h"

namespace tavo {
namespace {

TEST(VirtualKeymap, ChangesOnlyForMissingKeysymsAndRebindsOnlyKeysLongUnused) {
    using Keysyms = std::vector<xkb_keysym_t>;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point now = Clock::now();
    const auto unpressed = [](Keysyms keysyms) {
        return VirtualKeymap{keysyms, std::vector<Clock::time_point>(keysyms.size())};
    };
    // Full, with key 1 pressed longest ago, then key 5.
    VirtualKeymap full;
    for (xkb_keysym_t unicode = 0x01004E00; full.keysyms.size() < virtualKeyboardKeys;) {
        full.keysyms.push_back(full.keysyms.empty() ? XKB_KEY_Return : unicode++);
        full.lastPressed.push_back(now);
    }
    full.lastPressed[1] = now - std::chrono::seconds(2);
    full.lastPressed[5] = now - std::chrono::seconds(1);
    Keysyms rebound = full.keysyms;
    rebound[5] = XKB_KEY_a;

    struct Case {
        const char* what;
        VirtualKeymap current;
        Keysyms needed;
        std::optional<Keysyms> keysyms;
        Clock::time_point notBefore;
    };
    const Case cases[] = {
        {"first text", {}, {XKB_KEY_Return, XKB_KEY_1}, Keysyms{XKB_KEY_Return, XKB_KEY_1}, {}},
        {"all held",
         unpressed({XKB_KEY_Return, XKB_KEY_1, XKB_KEY_2}),
         {XKB_KEY_2, XKB_KEY_Return},
         std::nullopt,
         {}},
        {"one missing",
         unpressed({XKB_KEY_Return, XKB_KEY_1}),
         {XKB_KEY_Return, XKB_KEY_a, XKB_KEY_1},
         Keysyms{XKB_KEY_Return, XKB_KEY_1, XKB_KEY_a},
         {}},
        {"full",
         full,
         {XKB_KEY_Return, XKB_KEY_a, full.keysyms[1]},
         rebound,
         full.lastPressed[5] + keyRebindGrace},
    };
    for (const Case& c : cases) {
        const std::optional<KeymapChange> change = changeFor(c.current, c.needed);
        ASSERT_EQ(change.has_value(), c.keysyms.has_value()) << c.what;
        if (change) {
            EXPECT_EQ(change->keymap.keysyms, *c.keysyms) << c.what;
            EXPECT_EQ(change->notBefore, c.notBefore) << c.what;
        }
    }
}

}  // namespace
}  // namespace tavo
