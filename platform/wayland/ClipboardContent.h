#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace tavo {

// A clipboard's content as its owner offered it: each MIME type with its data.
struct ClipboardEntry {
    std::string mimeType;
    std::string data;
};
using ClipboardContent = std::vector<ClipboardEntry>;

// The types under which pasted text is offered, for toolkits old and new.
inline const std::vector<std::string> textMimeTypes{"text/plain;charset=utf-8", "text/plain",
                                                    "UTF8_STRING", "STRING", "TEXT"};

// An application inserts a paste when its main loop next reads the pipe, not when the data is
// written: keys sent at once could overtake it. The wait after each paste that leaves them
// behind.
inline constexpr std::chrono::milliseconds pasteSettleTime{30};

}  // namespace tavo
