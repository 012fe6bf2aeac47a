#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

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
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
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

TEST(VirtualKeymap, IsReplacedOnlyForMissingKeysymsAndKeepsTheKeycodesOfTheOthers) {
    using Keysyms = std::vector<xkb_keysym_t>;
    Keysyms full{XKB_KEY_Return};
    for (xkb_keysym_t unicode = 0x01004E00; full.size() < virtualKeyboardKeys; ++unicode) {
        full.push_back(unicode);
    }
    struct Case {
        const char* what;
        Keysyms current;
        Keysyms needed;
        std::optional<Keysyms> upload;
    };
    const Case cases[] = {
        {"first text", {}, {XKB_KEY_Return, XKB_KEY_1}, Keysyms{XKB_KEY_Return, XKB_KEY_1}},
        {"all held",
         {XKB_KEY_Return, XKB_KEY_1, XKB_KEY_2},
         {XKB_KEY_2, XKB_KEY_Return},
         std::nullopt},
        {"one missing",
         {XKB_KEY_Return, XKB_KEY_1},
         {XKB_KEY_Return, XKB_KEY_a, XKB_KEY_1},
         Keysyms{XKB_KEY_Return, XKB_KEY_1, XKB_KEY_a}},
        {"no room left", full, {XKB_KEY_Return, XKB_KEY_a}, Keysyms{XKB_KEY_Return, XKB_KEY_a}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keymapToUpload(c.current, c.needed), c.upload) << c.what;
    }
}

}  // namespace
}  // namespace tavo
