#include "app/LaunchAtLogin.h"

namespace tavo {

void setLaunchAtLogin(LoginItems& loginItems, bool on) {
    if (on) {
        (void)loginItems.registerItem();
    } else {
        (void)loginItems.unregisterItem();
    }
}

}  // namespace tavo
