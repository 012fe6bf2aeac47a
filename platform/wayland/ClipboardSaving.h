#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "platform/wayland/ClipboardContent.h"

namespace tavo {

// Reads a clipboard's types one after another against one time budget and one size ceiling for
// all of them, so that a slow or huge owner costs a bounded wait and never a part of its content.
class ClipboardSaving {
  public:
    ClipboardSaving();

    // Reads one type from the pipe's reading end (and closes it). False, and every later call
    // false, once the content cannot be read whole.
    bool read(const std::string& mimeType, int fd);
    // The content read; nothing when it is not whole.
    std::optional<ClipboardContent> finish() &&;
    // What one type may still take, for the owner to hand it over.
    std::chrono::milliseconds timeLeft() const;

  private:
    std::chrono::steady_clock::time_point deadline_;
    std::size_t bytes_ = 0;
    bool whole_ = true;
    ClipboardContent content_;
};

}  // namespace tavo
