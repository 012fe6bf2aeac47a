#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "platform/wayland/LayoutKeys.h"

namespace tavo {
namespace {

// The keymap text a compositor would send for these layouts.
std::string keymapText(const char* layouts) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{.rules = "evdev",
                               .model = "pc105",
                               .layout = layouts,
                               .variant = nullptr,
                               .options = nullptr};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    std::string copy(text);
    std::free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return copy;
}

// <LVL3>: the evdev keymap's first key that holds ISO_Level3_Shift.
constexpr std::uint32_t level3 = 84;

// Keys away from their US places, under AltGr, and the same in both groups. (What is missing
// from a layout, and a second group, the typing tests on KWin prove.)
TEST(LayoutKeys, FindsTheKeysThatTypeACharacterInEveryGroup) {
    const std::vector<std::tuple<const char*, char32_t, KeyStroke>> lookups{
        {"de", U'\u00fc', {KEY_LEFTBRACE, {}}},
        {"de", U'@', {KEY_Q, {level3}}},
        {"de", U'z', {KEY_Y, {}}},
        {"us,ru", U'4', {KEY_4, {}}},
    };
    for (const auto& [layouts, character, expected] : lookups) {
        const auto layout = LayoutKeys::fromText(keymapText(layouts));
        ASSERT_NE(layout, nullptr) << layouts;
        const auto stroke = layout->strokeFor(keysymFor(character));
        ASSERT_TRUE(stroke.has_value())
            << layouts << " U+" << static_cast<std::uint32_t>(character);
        EXPECT_EQ(stroke->key, expected.key) << layouts;
        EXPECT_EQ(stroke->modifiers, expected.modifiers) << layouts;
    }
}

// Ctrl+V goes by where v is: on Dvorak it is the key of the US full stop.
TEST(LayoutKeys, PastesWithTheKeyThatTypesV) {
    const KeyStroke shortcut = pasteShortcut(LayoutKeys::fromText(keymapText("us(dvorak)")).get());
    EXPECT_EQ(shortcut.key, KEY_DOT);
    EXPECT_EQ(shortcut.modifiers, std::vector<std::uint32_t>{KEY_LEFTCTRL});
}

TEST(LayoutKeys, RefusesAKeymapThatDoesNotCompile) {
    EXPECT_EQ(LayoutKeys::fromText("xkb_keymap { nonsense"), nullptr);
}

}  // namespace
}  // namespace tavo
