#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
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
    friend void PrintTo(const RecordedKeyEvent& event, std::ostream* out) {
        *out << "{key " << event.key << (event.keyDown ? " down" : " up");
        if (event.unicode) {
            *out << std::hex << " units";
            for (const char16_t unit : *event.unicode) {
                *out << ' ' << static_cast<unsigned>(unit);
            }
            *out << std::dec;
        }
        *out << '}';
    }
};

// Records the key events posted, and can be told to fail the source or chosen event creations.
class RecordingKeyEvents : public KeyEvents {
  public:
    // Stands for a Return key-down in typedText().
    static constexpr char16_t returnMark = u'\u23CE';

    std::unique_ptr<KeyEventSource> createSource() override {
        ++sourceRequests_;
        if (failSource) {
            return nullptr;
        }
        return std::make_unique<Source>(liveSources_);
    }

    std::unique_ptr<KeyEvent> createKeyboardEvent(KeyEventSource&, VirtualKeyCode key,
                                                  bool keyDown) override {
        if (failedCreations.contains(creations_++)) {
            return nullptr;
        }
        return std::make_unique<Event>(RecordedKeyEvent{key, keyDown, std::nullopt}, liveEvents_);
    }

    void setUnicodeString(KeyEvent& event, std::span<const char16_t> units) override {
        static_cast<Event&>(event).record.unicode = std::u16string(units.begin(), units.end());
    }

    void post(KeyEvent& event) override { posted_.push_back(static_cast<Event&>(event).record); }

    // No source is given when set.
    bool failSource = false;
    // createKeyboardEvent returns nothing for these calls, counted from 0 over this object's life.
    std::set<std::size_t> failedCreations;

    // The events posted, as they were when posted, in order.
    const std::vector<RecordedKeyEvent>& posted() const { return posted_; }
    // The Unicode strings of the posted key-downs in order, with returnMark for each Return.
    std::u16string typedText() const {
        std::u16string text;
        for (const auto& event : posted_) {
            if (event.keyDown && event.key == returnKeyCode) {
                text += returnMark;
            } else if (event.keyDown && event.unicode) {
                text += *event.unicode;
            }
        }
        return text;
    }
    std::size_t sourceRequests() const { return sourceRequests_; }
    std::size_t creations() const { return creations_; }
    // Sources and events not yet released.
    int liveSources() const { return liveSources_; }
    int liveEvents() const { return liveEvents_; }

  private:
    class Source : public KeyEventSource {
      public:
        explicit Source(int& live) : live_(live) { ++live_; }
        ~Source() override { --live_; }

      private:
        int& live_;
    };

    class Event : public KeyEvent {
      public:
        Event(RecordedKeyEvent record, int& live) : record(std::move(record)), live_(live) {
            ++live_;
        }
        ~Event() override { --live_; }
        RecordedKeyEvent record;

      private:
        int& live_;
    };

    std::vector<RecordedKeyEvent> posted_;
    std::size_t sourceRequests_ = 0;
    std::size_t creations_ = 0;
    int liveSources_ = 0;
    int liveEvents_ = 0;
};

}  // namespace tavo
