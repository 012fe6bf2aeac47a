#pragma once

#include <atomic>
#include <cstdio>
#include <sstream>
#include <string>

namespace tavo::log {

// Lines go to standard error, which the desktop's session journal keeps for autostarted
// programs. Warnings are always written; details only when verbose. Scan values never are.
inline std::atomic<bool> verboseEnabled{false};

inline void setVerbose(bool verbose) {
    verboseEnabled.store(verbose, std::memory_order_relaxed);
}
inline bool isVerbose() {
    return verboseEnabled.load(std::memory_order_relaxed);
}

template <typename... Parts>
std::string line(const char* level, const Parts&... parts) {
    std::ostringstream text;
    text << "tavo-receiver: " << level;
    (text << ... << parts);
    text << '\n';
    return text.str();
}

// One write per line, so that lines from different threads do not interleave.
inline void write(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
}

template <typename... Parts>
void warning(const Parts&... parts) {
    write(line("warning: ", parts...));
}

template <typename... Parts>
void detail(const Parts&... parts) {
    if (isVerbose()) {
        write(line("", parts...));
    }
}

}  // namespace tavo::log
