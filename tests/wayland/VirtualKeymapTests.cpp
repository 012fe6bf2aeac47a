#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <optional>
#include <vector>

#include "platform/wayland/VirtualKeyboardKeyEvents.h"

namespace tavo {
namespace {

// Each keysym gets its own key from keycode 9 on, and no modifier changes what a key types.
TEST(VirtualKeymap, HoldsEachKeysymOnAKeyOfItsOwnWhateverTheModifiers) {
    const std::vector<xkb_keysym_t> keysyms{XKB_KEY_Return,     XKB_KEY_a, XKB_KEY_EuroSign,
                                            0x0101F600,  // an emoji
                                            0x0100000A,  // the line feed character
                                            XKB_KEY_Cyrillic_pe};
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const auto text = keymapHolding(*context, keysyms);
    ASSERT_TRUE(text.has_value());
    xkb_keymap* keymap = xkb_keymap_new_from_string(
        context, text->c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    ASSERT_NE(keymap, nullptr);
    xkb_state* state = xkb_state_new(keymap);
    for (const bool shifted : {false, true}) {
        xkb_state_update_mask(state, shifted ? 1 : 0, 0, shifted ? 2 : 0, 0, 0, 0);
        for (std::size_t i = 0; i < keysyms.size(); ++i) {
            EXPECT_EQ(xkb_state_key_get_one_sym(state, 9 + static_cast<xkb_keycode_t>(i)),
                      keysyms[i])
                << "key " << i << (shifted ? " with Shift and Caps Lock" : "");
        }
    }
    xkb_state_unref(state);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
}

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
