#include "app/LaunchAtLogin.h"

#include "platform/Log.h"

namespace tavo {

LaunchAtLoginState setLaunchAtLogin(LoginItems& loginItems, bool on) {
    auto failure = on ? loginItems.registerItem() : loginItems.unregisterItem();
    if (!failure) {
        return {on, std::nullopt};
    }
    log::warning(on ? "launch at login could not be turned on: "
                    : "launch at login could not be turned off: ",
                 *failure);
    return {!on, std::move(failure)};
}

}  // namespace tavo
