#include "platform/wayland/LayoutKeys.h"

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <string>

namespace tavo {
namespace {

// Evdev codes are xkb key codes less 8.
constexpr std::uint32_t xkbOffset = 8;
constexpr std::uint32_t unicodeKeysymBase = 0x01000000;

bool isControl(char32_t character) {
    return character < 0x20 || (character >= 0x7F && character < 0xA0);
}

// The first key whose first level in the first group holds one of the keysyms.
std::optional<xkb_keycode_t> keyHolding(xkb_keymap* keymap,
                                        std::initializer_list<xkb_keysym_t> keysyms) {
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap);
         code <= xkb_keymap_max_keycode(keymap); ++code) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &syms) != 1) {
            continue;
        }
        for (const xkb_keysym_t keysym : keysyms) {
            if (syms[0] == keysym) {
                return code;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::uint32_t keysymFor(char32_t character) {
    if (isControl(character)) {
        return unicodeKeysymBase + character;
    }
    return xkb_utf32_to_keysym(character);
}

std::unique_ptr<LayoutKeys> LayoutKeys::fromText(std::string_view keymap) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (context == nullptr) {
        return nullptr;
    }
    const std::string text(keymap);
    xkb_keymap* compiled = xkb_keymap_new_from_string(
        context, text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (compiled == nullptr) {
        xkb_context_unref(context);
        return nullptr;
    }
    return std::unique_ptr<LayoutKeys>(new LayoutKeys(context, compiled));
}

// Chords are tried plainest first: with Shift before with AltGr, so that a character is typed
// the way a person would type it.
LayoutKeys::LayoutKeys(xkb_context* context, xkb_keymap* keymap)
    : context_(context), keymap_(keymap) {
    std::vector<std::vector<std::uint32_t>> chords{{}};
    const auto shift = keyHolding(keymap_, {XKB_KEY_Shift_L, XKB_KEY_Shift_R});
    const auto level3 = keyHolding(keymap_, {XKB_KEY_ISO_Level3_Shift});
    if (shift) {
        chords.push_back({*shift});
    }
    if (level3) {
        chords.push_back({*level3});
    }
    if (shift && level3) {
        chords.push_back({*shift, *level3});
    }
    for (auto& modifiers : chords) {
        Chord chord{std::move(modifiers), {}};
        for (xkb_layout_index_t group = 0; group < xkb_keymap_num_layouts(keymap_); ++group) {
            xkb_state* state = xkb_state_new(keymap_);
            xkb_state_update_mask(state, 0, 0, 0, 0, 0, group);
            for (const std::uint32_t modifier : chord.modifiers) {
                xkb_state_update_key(state, modifier, XKB_KEY_DOWN);
            }
            chord.groups.push_back(state);
        }
        chords_.push_back(std::move(chord));
    }
}

LayoutKeys::~LayoutKeys() {
    for (const Chord& chord : chords_) {
        for (xkb_state* state : chord.groups) {
            xkb_state_unref(state);
        }
    }
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

std::optional<KeyStroke> LayoutKeys::strokeFor(std::uint32_t keysym) const {
    const auto cached = found_.find(keysym);
    if (cached != found_.end()) {
        return cached->second;
    }
    return found_[keysym] = search(keysym);
}

std::optional<KeyStroke> LayoutKeys::search(std::uint32_t keysym) const {
    if (keysym == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    for (const Chord& chord : chords_) {
        for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap_);
             code <= xkb_keymap_max_keycode(keymap_); ++code) {
            bool typesEverywhere = !chord.groups.empty();
            for (xkb_state* state : chord.groups) {
                typesEverywhere =
                    typesEverywhere && xkb_state_key_get_one_sym(state, code) == keysym;
            }
            if (typesEverywhere) {
                KeyStroke stroke{code - xkbOffset, {}};
                for (const std::uint32_t modifier : chord.modifiers) {
                    stroke.modifiers.push_back(modifier - xkbOffset);
                }
                return stroke;
            }
        }
    }
    return std::nullopt;
}

KeyStroke pasteShortcut(const LayoutKeys* layout) {
    if (layout == nullptr) {
        return {KEY_V, {KEY_LEFTCTRL}};
    }
    const KeyStroke control =
        layout->strokeFor(XKB_KEY_Control_L).value_or(KeyStroke{KEY_LEFTCTRL, {}});
    const KeyStroke v = layout->strokeFor(XKB_KEY_v).value_or(KeyStroke{KEY_V, {}});
    return {v.key, {control.key}};
}

}  // namespace tavo
