#include "platform/wayland/ClipboardSaving.h"

#include <unistd.h>

#include "platform/wayland/Pipes.h"

namespace tavo {

ClipboardSaving::ClipboardSaving() : deadline_(std::chrono::steady_clock::now() + saveTimeBudget) {}

std::chrono::milliseconds ClipboardSaving::timeLeft() const {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

bool ClipboardSaving::read(const std::string& mimeType, int fd) {
    if (fd < 0) {
        whole_ = false;
    }
    if (whole_) {
        auto data = readAll(fd, timeLeft(), saveSizeLimit - bytes_);
        whole_ = data.has_value();
        if (data) {
            bytes_ += data->size();
            content_.push_back({mimeType, std::move(*data)});
        }
    }
    if (fd >= 0) {
        close(fd);
    }
    return whole_;
}

std::optional<ClipboardContent> ClipboardSaving::finish() && {
    if (!whole_) {
        return std::nullopt;
    }
    return std::move(content_);
}

}  // namespace tavo
