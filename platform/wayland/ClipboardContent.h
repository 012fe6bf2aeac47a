#pragma once

#include <chrono>
#include <cstddef>
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

// Offered beside the text: Plasma's clipboard history, and several of GNOME's, record nothing
// that carries it, so scan fragments stay out of the user's history.
inline constexpr const char* transientHintType = "x-kde-passwordManagerHint";
inline constexpr const char* transientHintValue = "secret";

// An application inserts a paste when its main loop next reads the pipe, not when the data is
// written: keys sent at once could overtake it. The wait after each paste that leaves them
// behind.
inline constexpr std::chrono::milliseconds pasteSettleTime{30};

// Clipboard histories read every new selection as soon as it is announced; an application reads
// only when it handles Ctrl+V. Reads within this time of our offer, before Ctrl+V is pressed,
// are theirs: they get nothing, and do not count as the paste.
inline constexpr std::chrono::milliseconds historyReadTime{100};

// The user's content is saved whole within these or not at all (and then nothing is pasted).
// A 4K screenshot is at most 32 MiB even uncompressed (3840 x 2160 x 4 bytes); 64 MiB passed
// between two programs on headless KWin in 0.06 to 1.3 s on a loaded two-core machine, which
// leaves the rest of the budget to owners that render a large range on request.
inline constexpr std::chrono::milliseconds saveTimeBudget{2000};
inline constexpr std::size_t saveSizeLimit = std::size_t{64} << 20;

}  // namespace tavo
