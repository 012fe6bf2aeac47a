#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/x11/ChildProcess.h"
#include "tests/support/x11/XvfbServer.h"

namespace tavo::testing {

// A window of its own on the display that holds the keyboard focus and records, as UTF-8, every
// character it receives, decoded from the server's current keymap the way Xlib clients do.
// Return is recorded as "\n"; with `nameKeys`, Return, Tab and the other function keys are
// recorded by name instead ("<Return>"), so that they differ from the characters.
class TextSink {
  public:
    // Returns once the window has the focus. Throws std::runtime_error otherwise.
    explicit TextSink(const XvfbServer& server, bool nameKeys = false);
    // Any sink program that takes the output file and --name-keys and prints "ready" alike.
    TextSink(const std::string& program, const std::vector<std::string>& environment,
             bool nameKeys);
    ~TextSink();
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;

    // For signals: a stopped sink reads nothing, like a busy application.
    pid_t pid() const { return process_.pid(); }
    // Everything received so far.
    std::string received() const;
    struct Arrival {
        std::string text;
        std::chrono::steady_clock::time_point last;  // when the last byte was seen
    };
    // What was received once at least `bytes` bytes have arrived, or when nothing new has
    // arrived for `quiet` (characters lost on the way).
    Arrival waitForBytes(std::size_t bytes,
                         std::chrono::steady_clock::duration quiet = std::chrono::seconds(3));

  private:
    std::string path_;
    ChildProcess process_;
};

}  // namespace tavo::testing
