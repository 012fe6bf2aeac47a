#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/wayland/BufferedKeyEvents.h"
#include "platform/wayland/SdBus.h"
#include "platform/wayland/SeatKeymap.h"
#include "platform/wayland/WaylandClient.h"

namespace tavo {

// Types through the desktop portal's remote desktop interface: keysyms of the layout's
// characters only (the portal offers no clipboard); the others are skipped. The user consents
// in a dialog when a session starts; where the portal can persist that consent, its restore
// token is kept in `tokenFile` so that the dialog appears once.
class PortalKeyEvents final : public BufferedKeyEvents {
  public:
    // Nothing when no portal offers remote desktop control.
    static std::unique_ptr<PortalKeyEvents> open(std::filesystem::path tokenFile);
    ~PortalKeyEvents() override;
    PortalKeyEvents(const PortalKeyEvents&) = delete;
    PortalKeyEvents& operator=(const PortalKeyEvents&) = delete;

    // Where the token lives by default: under the user's XDG state directory.
    static std::filesystem::path defaultTokenFile();
    // Whether the portal takes a request to keep the consent (interface version 2,
    // xdg-desktop-portal 1.18 and later); its backend may still decline, and then asks each time.
    bool canPersistConsent() const { return version_ >= 2; }
    void phoneConnectionChanged(bool connected);

  protected:
    bool isAvailable() const override;
    std::size_t deliver(std::span<const TextKey> keys) override;

  private:
    // A portal request's results, by name: strings and numbers as text.
    using Results = std::map<std::string, std::string>;

    PortalKeyEvents(SdBusPtr bus, std::uint32_t version, std::filesystem::path tokenFile);
    SdBusMessagePtr portalCall(const char* member);
    // Sends a call that answers through a Request object's Response signal and waits for it;
    // nothing unless the user or the portal granted it. `arguments` appends what comes before
    // the options, `options` entries of the options besides the handle token.
    std::optional<Results> request(const char* member,
                                   const std::function<void(sd_bus_message*)>& arguments,
                                   const std::function<void(sd_bus_message*)>& options,
                                   std::chrono::seconds timeout);
    bool startSession();
    void closeSession();
    bool isOnLayout(std::uint32_t keysym) const;
    void notifyKeysym(std::uint32_t keysym, bool down);
    bool flushKeys();

    SdBusPtr bus_;
    std::uint32_t version_;
    std::filesystem::path tokenFile_;
    // The portal handed out a token for the session's consent.
    bool consentKept_ = false;
    std::unique_ptr<WaylandClient> client_;
    std::unique_ptr<SeatKeymap> keymap_;
    std::string session_;
    unsigned requests_ = 0;
    std::optional<std::pair<std::uint32_t, bool>> unsentKey_;
};

}  // namespace tavo
