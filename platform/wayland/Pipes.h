#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// Clipboard data travels through pipes between programs that may stop reading or writing at
// any moment; neither end may hang us or end the process.

// Reads until the writer closes its end; nothing when the deadline passes first or the data
// grows beyond the limit.
std::optional<std::string> readAll(int fd, std::chrono::milliseconds timeout,
                                   std::size_t limit = std::string::npos);
// Writes everything and closes the descriptor; false when the reader went away or stalled.
bool writeAllAndClose(int fd, std::string_view data, std::chrono::milliseconds timeout);

}  // namespace tavo
