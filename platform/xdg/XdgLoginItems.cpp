#include "platform/xdg/XdgLoginItems.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
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

// Writes the file and makes sure it reached the disk: a full disk often shows only when the
// data is flushed.
std::error_code writeWhole(const fs::path& path, std::string_view text) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) {
        return {errno, std::generic_category()};
    }
    int failure = 0;
    while (!text.empty() && failure == 0) {
        const ssize_t written = ::write(file, text.data(), text.size());
        if (written >= 0) {
            text.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno != EINTR) {
            failure = errno;
        }
    }
    if (failure == 0 && ::fsync(file) != 0) {
        failure = errno;
    }
    if (::close(file) != 0 && failure == 0) {
        failure = errno;
    }
    return {failure, std::generic_category()};
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

std::optional<LoginItemFailure> XdgLoginItems::registerItem() {
    const auto path = entryPath();
    if (!path) {
        return "neither XDG_CONFIG_HOME nor HOME is set";
    }
    const auto running = runningExecutable();
    if (!running) {
        return "this program's own path is unknown";
    }
    const char* const searchPath = std::getenv("PATH");
    const std::string program = autostartProgram(*running, searchPath ? searchPath : "");
    std::error_code error;
    fs::create_directories(path->parent_path(), error);
    if (error) {
        return error.message();
    }
    const std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Tavo Receiver\n"
        "Comment=Types barcode scans from your phone into the focused "
        "application\n"
        "Exec=" +
        desktopEntryExec(program) +
        "\n"
        "Icon=tavo-receiver\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    // Written beside the entry and renamed over it, so that a session starting meanwhile never
    // reads half an entry.
    const fs::path partial = path->string() + ".partial-" + std::to_string(::getpid());
    error = writeWhole(partial, entry);
    if (!error) {
        fs::rename(partial, *path, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return error.message();
    }
    return std::nullopt;
}

std::optional<LoginItemFailure> XdgLoginItems::unregisterItem() {
    const auto path = entryPath();
    if (!path) {
        return "neither XDG_CONFIG_HOME nor HOME is set";
    }
    std::error_code error;
    fs::remove(*path, error);
    return error ? std::optional(error.message()) : std::nullopt;
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
