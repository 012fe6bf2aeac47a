#pragma once

#include <memory>
#include <optional>

#include "platform/wayland/BufferedKeyEvents.h"
#include "platform/wayland/DataControlClipboard.h"
#include "platform/wayland/SeatKeymap.h"
#include "platform/wayland/WaylandClient.h"

struct org_kde_kwin_fake_input;
struct org_kde_kwin_keystate;

namespace tavo {

// Types through KWin's fake input protocol, which takes key codes only: characters are looked
// up in the compositor's keymap, and those outside it are pasted through the clipboard.
class KwinKeyEvents final : public BufferedKeyEvents {
  public:
    // Nothing when the compositor does not offer fake input to us.
    static std::unique_ptr<KwinKeyEvents> open();
    ~KwinKeyEvents() override;
    KwinKeyEvents(const KwinKeyEvents&) = delete;
    KwinKeyEvents& operator=(const KwinKeyEvents&) = delete;

    bool pastesMissingCharacters() const { return clipboard_ != nullptr; }

  protected:
    bool isAvailable() const override;
    std::size_t deliver(std::span<const TextKey> keys) override;

  private:
    KwinKeyEvents(std::unique_ptr<WaylandClient> client, org_kde_kwin_fake_input* fakeInput);
    void send(const KeyStroke& stroke, bool down);
    // Pastes the characters; returns how many of them could not be pasted. `saved` tells
    // whether the clipboard's content was saved, once that was tried.
    std::size_t paste(const std::u32string& characters, std::optional<bool>& saved);
    void toggleCapsLock();

    std::unique_ptr<WaylandClient> client_;
    org_kde_kwin_fake_input* fakeInput_;
    std::unique_ptr<SeatKeymap> keymap_;
    std::unique_ptr<DataControlClipboard> clipboard_;
    // A locked Caps Lock would turn letters into capitals: it is unlocked around each text.
    org_kde_kwin_keystate* keyState_ = nullptr;
    bool capsLocked_ = false;
};

}  // namespace tavo
