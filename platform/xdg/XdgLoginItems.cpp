#include "platform/xdg/XdgLoginItems.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tavo {
namespace {

namespace fs = std::filesystem;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Whether the [Desktop Entry] group says Hidden=true, or X-GNOME-Autostart-enabled=false, which
// GNOME's and other sessions' settings write to switch an entry off without deleting it.
bool isSwitchedOff(std::istream& entry) {
    bool inMainGroup = false;
    for (std::string line; std::getline(entry, line);) {
        const std::string_view text = trimmed(line);
        if (text.starts_with('[')) {
            inMainGroup = text == "[Desktop Entry]";
            continue;
        }
        const auto equals = text.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimmed(text.substr(0, equals));
        const std::string_view value = trimmed(text.substr(equals + 1));
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> runningExecutable() {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::nullopt;
    }
    return program.string();
}

}  // namespace

std::optional<fs::path> XdgLoginItems::entryPath() {
    fs::path configHome;
    const char* xdgConfigHome = std::getenv("XDG_CONFIG_HOME");
    if (xdgConfigHome != nullptr && fs::path(xdgConfigHome).is_absolute()) {
        configHome = xdgConfigHome;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        configHome = fs::path(home) / ".config";
    } else {
        return std::nullopt;
    }
    return configHome / "autostart" / "tavo-receiver.desktop";
}

LoginItemStatus XdgLoginItems::status() {
    const auto path = entryPath();
    if (!path) {
        return LoginItemStatus::notFound;
    }
    std::ifstream entry(*path);
    if (!entry) {
        return LoginItemStatus::notRegistered;
    }
    return isSwitchedOff(entry) ? LoginItemStatus::notRegistered : LoginItemStatus::enabled;
}

bool XdgLoginItems::registerItem() {
    const auto path = entryPath();
    const auto running = runningExecutable();
    if (!path || !running) {
        return false;
    }
    const char* const searchPath = std::getenv("PATH");
    const std::string program = autostartProgram(*running, searchPath ? searchPath : "");
    std::error_code error;
    fs::create_directories(path->parent_path(), error);
    if (error) {
        return false;
    }
    // Written beside the entry and renamed over it, so that a session starting meanwhile never
    // reads half an entry.
    const fs::path partial = path->string() + ".partial-" + std::to_string(::getpid());
    {
        std::ofstream entry(partial, std::ios::trunc);
        entry << "[Desktop Entry]\n"
                 "Type=Application\n"
                 "Name=Tavo Receiver\n"
                 "Comment=Types barcode scans from your phone into the focused application\n"
              << "Exec=" << desktopEntryExec(program) << "\n"
              << "Icon=tavo-receiver\n"
                 "Terminal=false\n"
                 "X-GNOME-Autostart-enabled=true\n";
        entry.close();
        if (!entry) {
            fs::remove(partial, error);
            return false;
        }
    }
    fs::rename(partial, *path, error);
    if (error) {
        fs::remove(partial, error);
        return false;
    }
    return true;
}

bool XdgLoginItems::unregisterItem() {
    const auto path = entryPath();
    if (!path) {
        return false;
    }
    std::error_code error;
    fs::remove(*path, error);
    return !error;
}

std::string autostartProgram(const fs::path& program, std::string_view searchPath) {
    const fs::path name = program.filename();
    while (!searchPath.empty()) {
        const auto colon = searchPath.find(':');
        const fs::path directory(searchPath.substr(0, colon));
        searchPath = colon == std::string_view::npos ? "" : searchPath.substr(colon + 1);
        // Relative entries depend on the working directory, which a session start does not keep.
        if (!directory.is_absolute()) {
            continue;
        }
        const fs::path candidate = directory / name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            std::error_code error;
            return fs::equivalent(candidate, program, error) ? name.string() : program.string();
        }
    }
    return program.string();
}

std::string desktopEntryExec(const std::string& program) {
    if (program.find_first_of(" \t\n\r\"'\\><~|&;$*?#()`%") == std::string::npos) {
        return program;
    }
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        if (c == '%') {
            quoted += '%';  // a literal percent sign, not a field code
        }
        quoted += c;
    }
    quoted += '"';

    std::string escaped;
    for (const char c : quoted) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace tavo
