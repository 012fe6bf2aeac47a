#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/wayland/BufferedKeyEvents.h"
#include "platform/wayland/ClipboardContent.h"
#include "platform/wayland/SdBus.h"
#include "platform/wayland/SeatKeymap.h"
#include "platform/wayland/WaylandClient.h"

namespace tavo {

class X11ClipboardKeeper;

// Types through GNOME's remote desktop service (Mutter): keysyms of the layout's characters,
// and the session's clipboard with Ctrl+V for the others. GNOME shows its remote-control
// indicator while a session runs, so a session runs only while a phone is connected (or a
// text is being typed), or while it offers the user's clipboard content that it restored after
// a paste: that content would be cut down to one type, or lost, when the session ends.
class MutterKeyEvents final : public BufferedKeyEvents {
    using Clock = std::chrono::steady_clock;

  public:
    // Nothing when the service is not on the session bus.
    static std::unique_ptr<MutterKeyEvents> open();
    ~MutterKeyEvents() override;
    MutterKeyEvents(const MutterKeyEvents&) = delete;
    MutterKeyEvents& operator=(const MutterKeyEvents&) = delete;

    void phoneConnectionChanged(bool connected);

  protected:
    bool isAvailable() const override;
    std::size_t deliver(std::span<const TextKey> keys) override;

  private:
    MutterKeyEvents(SdBusPtr bus, std::unique_ptr<WaylandClient> client);
    SdBusMessagePtr sessionCall(const char* member);
    bool startSession();
    void stopSession();
    void waitForKeymap();
    // Key events go out without waiting for their replies; the last one before a wait is sent
    // when the next one comes, or by flushKeys, which waits for its reply.
    void notifyKeysym(std::uint32_t keysym, bool down);
    // A key by its evdev code: shortcuts, which applications match by the key on any layout.
    void notifyKeycode(std::uint32_t key, bool down);
    void notify(const char* member, std::uint32_t code, bool down);
    bool flushKeys();
    bool isCapsLocked();
    // Presses Caps Lock and waits until Mutter shows the new state; false when the call failed.
    bool toggleCapsLock(bool nowLocked);
    // The user's clipboard around one text's pastes: saved before the first, once.
    struct SavedClipboard {
        bool tried = false;
        std::optional<ClipboardContent> content;
    };
    std::size_t paste(const std::u32string& characters, SavedClipboard& saved);
    // Every type of the current content, saved whole within the budget, or nothing.
    std::optional<ClipboardContent> readSelection();
    void setSelection(ClipboardContent content);
    // Reads and answers the bus until the deadline or until `done` holds.
    void processUntil(Clock::time_point deadline, const std::function<bool()>& done);
    void restoreSelection(ClipboardContent content);
    void serveWhileIdle();
    static int onSignal(sd_bus_message* message, void* data, sd_bus_error* error);

    // Taken by the typing thread while it works, and by the idle thread while it serves the
    // clipboard.
    mutable std::mutex busMutex_;
    SdBusPtr bus_;
    std::unique_ptr<WaylandClient> client_;
    std::unique_ptr<SeatKeymap> keymap_;
    std::string session_;
    SdBusSlotPtr signals_;
    struct KeyCall {
        const char* member;
        std::uint32_t code;
        bool down;
    };
    std::optional<KeyCall> unsentKey_;
    // The clipboard: what the desktop's owner offers, and what we offer while we own it.
    std::vector<std::string> selectionTypes_;
    bool sessionOwnsSelection_ = false;
    ClipboardContent offered_;
    // While a paste's text is offered: reads before Ctrl+V (clipboard histories) get nothing.
    bool offeringPaste_ = false;
    bool pasteExpected_ = false;
    bool transferred_ = false;
    bool ownershipTold_ = false;
    // The phone has gone while the session keeps the restored clipboard; it ends once another
    // program takes the clipboard.
    bool keptForClipboard_ = false;
    bool stopWhenIdle_ = false;
    std::unique_ptr<X11ClipboardKeeper> x11Keeper_;
    int wake_;
    std::thread idle_;
};

}  // namespace tavo
