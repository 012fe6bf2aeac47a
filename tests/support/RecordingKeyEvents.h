#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/KeyEvents.h"

namespace tavo {

struct RecordedKeyEvent {
    VirtualKeyCode key;
    bool keyDown;
    std::optional<std::u16string> unicode;  // nothing: no Unicode string was set

    friend bool operator==(const RecordedKeyEvent&, const RecordedKeyEvent&) = default;
};

// Records the key events posted, and can be told to fail the source or chosen event creations.
class RecordingKeyEvents : public KeyEvents {
  public:
    // Stands for a Return key-down in typedText().
    static constexpr char16_t returnMark = u'\u23CE';

    std::unique_ptr<KeyEventSource> createSource() override {
        return failSource ? nullptr : std::make_unique<KeyEventSource>();
    }

    std::unique_ptr<KeyEvent> createKeyboardEvent(KeyEventSource&, VirtualKeyCode key,
                                                  bool keyDown) override {
        if (failedCreations.contains(creations_++)) {
            return nullptr;
        }
        return std::make_unique<Event>(RecordedKeyEvent{key, keyDown, std::nullopt});
    }

    void setUnicodeString(KeyEvent& event, std::span<const char16_t> units) override {
        static_cast<Event&>(event).record.unicode = std::u16string(units.begin(), units.end());
    }

    void post(KeyEvent& event) override {
        const std::lock_guard lock(mutex_);
        posted.push_back(static_cast<Event&>(event).record);
    }

    // The Unicode strings of the posted key-downs in order, with returnMark for each Return. May
    // be called while another thread types.
    std::u16string typedText() const {
        const std::lock_guard lock(mutex_);
        std::u16string text;
        for (const auto& event : posted) {
            if (event.keyDown && event.key == returnKeyCode) {
                text += returnMark;
            } else if (event.keyDown && event.unicode) {
                text += *event.unicode;
            }
        }
        return text;
    }

    // No source is given when set.
    bool failSource = false;
    // createKeyboardEvent returns nothing for these calls, counted from 0 over this object's life.
    std::set<std::size_t> failedCreations;
    // The events posted, as they were when posted, in order.
    std::vector<RecordedKeyEvent> posted;

  private:
    struct Event : KeyEvent {
        explicit Event(RecordedKeyEvent record) : record(std::move(record)) {}
        RecordedKeyEvent record;
    };

    std::size_t creations_ = 0;
    mutable std::mutex mutex_;
};

}  // namespace tavo
