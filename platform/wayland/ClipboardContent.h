#pragma once

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

}  // namespace tavo
