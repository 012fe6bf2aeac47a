#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/LoginItems.h"

namespace tavo {

// Starts the running executable at login through an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/tavo-receiver.desktop (~/.config when unset). The entry counts as
// enabled while it exists and is not marked Hidden=true. Every call looks at the file afresh.
class XdgLoginItems : public LoginItems {
  public:
    LoginItemStatus status() override;
    // Writes the entry, replacing a hidden one.
    std::optional<LoginItemFailure> registerItem() override;
    // Removes the entry; succeeds when none is left.
    std::optional<LoginItemFailure> unregisterItem() override;

    // Nothing when neither XDG_CONFIG_HOME nor HOME gives a directory.
    static std::optional<std::filesystem::path> entryPath();
};

// The value of an Exec key that runs exactly this program: quoted as the desktop entry format
// asks when it holds a reserved character, with the string escapes applied on top.
std::string desktopEntryExec(const std::string& program);

// The program for an autostart entry: its bare name when the first match for that name on
// `searchPath` (a PATH value) is this very file, so that an upgrade or another installation
// prefix keeps working, as desktop entries usually do; its full path otherwise (a build folder).
std::string autostartProgram(const std::filesystem::path& program, std::string_view searchPath);

}  // namespace tavo
