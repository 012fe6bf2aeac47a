#pragma once

#include <xkbcommon/xkbcommon.h>

#include <string>

namespace tavo::testing {

// What a text sink records for the keysym of a pressed key: nothing for a modifier; for Return,
// "\n"; with `nameKeys`, Return, Tab and the other function keys by name ("<Return>"); else the
// character as UTF-8, or the keysym's name when it types none ("<NoSymbol>").
inline std::string keysymText(xkb_keysym_t keysym, bool nameKeys) {
    const bool modifier = (keysym >= XKB_KEY_Shift_L && keysym <= XKB_KEY_Hyper_R) ||
                          (keysym >= XKB_KEY_ISO_Lock && keysym <= XKB_KEY_ISO_Level5_Lock) ||
                          keysym == XKB_KEY_Mode_switch || keysym == XKB_KEY_Num_Lock;
    const bool functionKey = (keysym & ~0xFFU) == 0xFF00;
    char text[64];
    if (modifier) {
        return {};
    }
    if (!nameKeys && (keysym == XKB_KEY_Return || keysym == XKB_KEY_KP_Enter)) {
        return "\n";
    }
    if (!(nameKeys && functionKey) && xkb_keysym_to_utf8(keysym, text, sizeof text) > 0) {
        return text;
    }
    return xkb_keysym_get_name(keysym, text, sizeof text) > 0 ? "<" + std::string(text) + ">"
                                                              : "<NoSymbol>";
}

}  // namespace tavo::testing
