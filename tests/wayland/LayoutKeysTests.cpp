#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
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

struct Lookup {
    const char* layouts;
    char32_t character;
    std::optional<KeyStroke> stroke;
};

// <LVL3>: the evdev keymap's first key that holds ISO_Level3_Shift.
constexpr std::uint32_t level3 = 84;

// The same keys must type the character in every group, since the current group is not known;
// control characters are never typed as the keys that act on them (Return, Tab).
TEST(LayoutKeys, FindsTheKeysThatTypeACharacterInEveryGroup) {
    const std::vector<Lookup> lookups{
        {"us", U'a', KeyStroke{KEY_A, {}}},
        {"us", U'A', KeyStroke{KEY_A, {KEY_LEFTSHIFT}}},
        {"us", U'\u00fc', std::nullopt},
        {"us", U'\n', std::nullopt},
        {"de", U'\u00fc', KeyStroke{KEY_LEFTBRACE, {}}},
        {"de", U'@', KeyStroke{KEY_Q, {level3}}},
        {"de", U'z', KeyStroke{KEY_Y, {}}},
        {"us,ru", U'4', KeyStroke{KEY_4, {}}},
        {"us,ru", U'a', std::nullopt},
        {"us,ru", U'\u043f', std::nullopt},
    };
    for (const Lookup& lookup : lookups) {
        const auto layout = LayoutKeys::fromText(keymapText(lookup.layouts));
        ASSERT_NE(layout, nullptr) << lookup.layouts;
        const auto stroke = layout->strokeFor(keysymFor(lookup.character));
        const std::string where = std::string(lookup.layouts) + " U+" +
                                  std::to_string(static_cast<std::uint32_t>(lookup.character));
        ASSERT_EQ(stroke.has_value(), lookup.stroke.has_value()) << where;
        if (stroke) {
            EXPECT_EQ(stroke->key, lookup.stroke->key) << where;
            EXPECT_EQ(stroke->modifiers, lookup.stroke->modifiers) << where;
        }
    }
}

// Ctrl+V goes by where v is: on Dvorak it is the key of the US full stop.
TEST(LayoutKeys, PastesWithTheKeyThatTypesV) {
    const std::vector<std::pair<const char*, std::uint32_t>> keys{
        {"us", KEY_V}, {"us(dvorak)", KEY_DOT}, {"us,ru", KEY_V}};
    for (const auto& [layouts, key] : keys) {
        const auto layout = LayoutKeys::fromText(keymapText(layouts));
        ASSERT_NE(layout, nullptr) << layouts;
        const KeyStroke shortcut = pasteShortcut(layout.get());
        EXPECT_EQ(shortcut.key, key) << layouts;
        EXPECT_EQ(shortcut.modifiers, std::vector<std::uint32_t>{KEY_LEFTCTRL}) << layouts;
    }
}

TEST(LayoutKeys, RefusesAKeymapThatDoesNotCompile) {
    EXPECT_EQ(LayoutKeys::fromText("xkb_keymap { nonsense"), nullptr);
}

}  // namespace
}  // namespace tavo
