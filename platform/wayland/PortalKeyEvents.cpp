#include "platform/wayland/PortalKeyEvents.h"

#include <fcntl.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/Log.h"

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::seconds;

constexpr const char* portal = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";
constexpr const char* remoteDesktop = "org.freedesktop.portal.RemoteDesktop";
constexpr std::uint32_t keyboardDevice = 1;
// Until the user logs out, or revokes it in the desktop's settings.
constexpr std::uint32_t persistUntilRevoked = 2;
// The first start shows the consent dialog; the user takes their time.
constexpr seconds consentTimeout{300};
constexpr seconds callTimeout{25};
constexpr std::chrono::milliseconds waitStep{50};

struct PendingResponse {
    bool answered = false;
    std::uint32_t response = 2;
    std::map<std::string, std::string> results;
};

int onResponse(sd_bus_message* message, void* data, sd_bus_error*) {
    auto& pending = *static_cast<PendingResponse*>(data);
    pending.answered = true;
    if (sd_bus_message_read(message, "u", &pending.response) <= 0) {
        return 0;
    }
    sd_bus_message_enter_container(message, 'a', "{sv}");
    while (sd_bus_message_enter_container(message, 'e', "sv") > 0) {
        const char* key = nullptr;
        char type = 0;
        const char* contents = nullptr;
        sd_bus_message_read(message, "s", &key);
        sd_bus_message_peek_type(message, &type, &contents);
        const std::string signature = contents != nullptr ? contents : "";
        if (key != nullptr && (signature == "s" || signature == "o")) {
            const char* value = nullptr;
            sd_bus_message_read(message, "v", signature.c_str(), &value);
            pending.results[key] = value != nullptr ? value : "";
        } else if (key != nullptr && signature == "u") {
            std::uint32_t value = 0;
            sd_bus_message_read(message, "v", "u", &value);
            pending.results[key] = std::to_string(value);
        } else {
            sd_bus_message_skip(message, "v");
        }
        sd_bus_message_exit_container(message);
    }
    return 0;
}

std::string readToken(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string token;
    std::getline(in, token);
    return token;
}

// The token lets this program type without asking: it is readable by the user alone.
void writeToken(const std::filesystem::path& file, const std::string& token) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    const std::string line = token + '\n';
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        log::warning("could not keep the portal's restore token");
    }
    close(fd);
}

}  // namespace

std::filesystem::path PortalKeyEvents::defaultTokenFile() {
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path directory = state != nullptr && *state == '/' ? state
                                      : home != nullptr
                                          ? std::filesystem::path(home) / ".local/state"
                                          : std::filesystem::path("/tmp");
    return directory / "tavo-receiver" / "portal-restore-token";
}

std::unique_ptr<PortalKeyEvents> PortalKeyEvents::open(std::filesystem::path tokenFile) {
    SdBusPtr bus = openSessionBus();
    if (!bus) {
        return nullptr;
    }
    // Reading the version starts the portal where it is started on demand.
    std::uint32_t version = 0;
    sd_bus_error error{};  // SD_BUS_ERROR_NULL, which is C only
    const int result = sd_bus_get_property_trivial(bus.get(), portal, portalPath, remoteDesktop,
                                                   "version", &error, 'u', &version);
    sd_bus_error_free(&error);
    if (result < 0 || version == 0) {
        return nullptr;
    }
    return std::unique_ptr<PortalKeyEvents>(
        new PortalKeyEvents(std::move(bus), version, std::move(tokenFile)));
}

PortalKeyEvents::PortalKeyEvents(SdBusPtr bus, std::uint32_t version,
                                 std::filesystem::path tokenFile)
    : BufferedKeyEvents(dbusKeyEventsPerSecond),
      bus_(std::move(bus)),
      version_(version),
      tokenFile_(std::move(tokenFile)),
      client_(WaylandClient::connect()),
      keymap_(client_ ? SeatKeymap::open(*client_) : nullptr) {}

PortalKeyEvents::~PortalKeyEvents() {
    closeSession();
}

bool PortalKeyEvents::isAvailable() const {
    return sd_bus_is_open(bus_.get()) > 0;
}

void PortalKeyEvents::phoneConnectionChanged(bool connected) {
    if (connected && session_.empty()) {
        startSession();
    } else if (!connected && consentKept_) {
        // Only a persisted consent lets the next session start without asking again; a portal
        // that handed out no token would ask at every connection.
        closeSession();
    }
}

SdBusMessagePtr PortalKeyEvents::portalCall(const char* member) {
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_call(bus_.get(), &message, portal, portalPath, remoteDesktop, member);
    return SdBusMessagePtr(message);
}

std::optional<PortalKeyEvents::Results> PortalKeyEvents::request(
    const char* member, const std::function<void(sd_bus_message*)>& arguments,
    const std::function<void(sd_bus_message*)>& options, seconds timeout) {
    const char* unique = nullptr;
    if (sd_bus_get_unique_name(bus_.get(), &unique) < 0) {
        return std::nullopt;
    }
    // The Request object's path is known in advance, so that its answer cannot be missed.
    std::string sender(unique + 1);
    std::replace(sender.begin(), sender.end(), '.', '_');
    const std::string token = "tavo" + std::to_string(++requests_);
    const std::string path = std::string(portalPath) + "/request/" + sender + "/" + token;
    PendingResponse pending;
    sd_bus_slot* slot = nullptr;
    if (sd_bus_match_signal(bus_.get(), &slot, portal, path.c_str(),
                            "org.freedesktop.portal.Request", "Response", onResponse,
                            &pending) < 0) {
        return std::nullopt;
    }
    const SdBusSlotPtr match(slot);
    const auto message = portalCall(member);
    arguments(message.get());
    sd_bus_message_open_container(message.get(), 'a', "{sv}");
    appendEntry(message.get(), "handle_token", token);
    options(message.get());
    sd_bus_message_close_container(message.get());
    if (!call(bus_.get(), message.get())) {
        return std::nullopt;
    }
    // In short steps, so that a stop (Pause, Quit) ends even the wait for the user's consent.
    const auto deadline = Clock::now() + timeout;
    while (!pending.answered && Clock::now() < deadline && !isCut()) {
        if (sd_bus_process(bus_.get(), nullptr) > 0) {
            continue;
        }
        sd_bus_wait(bus_.get(), std::chrono::microseconds(waitStep).count());
    }
    if (!pending.answered || pending.response != 0) {
        return std::nullopt;
    }
    return pending.results;
}

bool PortalKeyEvents::startSession() {
    const auto none = [](sd_bus_message*) {
    };
    const auto created = request(
        "CreateSession", none,
        [this](sd_bus_message* m) {
            appendEntry(m, "session_handle_token", "tavo" + std::to_string(requests_));
        },
        callTimeout);
    if (!created || !created->contains("session_handle")) {
        log::warning("the desktop portal did not open a remote desktop session");
        return false;
    }
    session_ = created->at("session_handle");
    const auto inSession = [this](sd_bus_message* m) {
        sd_bus_message_append(m, "o", session_.c_str());
    };
    const bool selected = request(
                              "SelectDevices", inSession,
                              [this](sd_bus_message* m) {
                                  appendEntry(m, "types", keyboardDevice);
                                  if (version_ >= 2) {
                                      appendEntry(m, "persist_mode", persistUntilRevoked);
                                      const std::string token = readToken(tokenFile_);
                                      if (!token.empty()) {
                                          appendEntry(m, "restore_token", token);
                                      }
                                  }
                              },
                              callTimeout)
                              .has_value();
    const auto started = selected ? request(
                                        "Start",
                                        [this](sd_bus_message* m) {
                                            sd_bus_message_append(m, "os", session_.c_str(), "");
                                        },
                                        none, consentTimeout)
                                  : std::nullopt;
    if (!started) {
        log::warning("the desktop portal did not allow typing (consent refused or no answer)");
        closeSession();
        return false;
    }
    // A token serves once: each start hands out the next one.
    consentKept_ = started->contains("restore_token");
    if (consentKept_) {
        writeToken(tokenFile_, started->at("restore_token"));
    }
    return true;
}

void PortalKeyEvents::closeSession() {
    if (session_.empty()) {
        return;
    }
    unsentKey_.reset();
    sd_bus_call_method(bus_.get(), portal, session_.c_str(), "org.freedesktop.portal.Session",
                       "Close", nullptr, nullptr, "");
    session_.clear();
}

// Without the compositor's keymap, plain ASCII is the one safe guess.
bool PortalKeyEvents::isOnLayout(std::uint32_t keysym) const {
    if (const auto layout = keymap_ ? keymap_->layout() : nullptr) {
        return layout->strokeFor(keysym).has_value();
    }
    return keysym >= XKB_KEY_space && keysym <= XKB_KEY_asciitilde;
}

void PortalKeyEvents::notifyKeysym(std::uint32_t keysym, bool down) {
    if (unsentKey_) {
        const auto message = portalCall("NotifyKeyboardKeysym");
        sd_bus_message_append(message.get(), "oa{sv}iu", session_.c_str(), 0,
                              static_cast<std::int32_t>(unsentKey_->first),
                              unsentKey_->second ? 1U : 0U);
        // Without a reply handler no reply is asked for; D-Bus keeps the calls in order.
        sd_bus_call_async(bus_.get(), nullptr, message.get(), nullptr, nullptr, 0);
    }
    unsentKey_ = {keysym, down};
}

bool PortalKeyEvents::flushKeys() {
    if (!unsentKey_) {
        return true;
    }
    const auto message = portalCall("NotifyKeyboardKeysym");
    sd_bus_message_append(message.get(), "oa{sv}iu", session_.c_str(), 0,
                          static_cast<std::int32_t>(unsentKey_->first),
                          unsentKey_->second ? 1U : 0U);
    unsentKey_.reset();
    return call(bus_.get(), message.get()) != nullptr;
}

std::size_t PortalKeyEvents::deliver(std::span<const TextKey> keys) {
    std::size_t characters = 0;
    for (const TextKey& key : keys) {
        characters += !key.isReturn && key.down ? 1 : 0;
    }
    if (session_.empty() && !startSession()) {
        return characters;
    }
    if (client_) {
        // Takes in the current keymap first.
        client_->roundtrip();
    }
    std::size_t skipped = 0;
    for (const TextKey& key : keys) {
        const std::uint32_t keysym = key.isReturn ? XKB_KEY_Return : keysymFor(key.character);
        if (!key.isReturn && !isOnLayout(keysym)) {
            skipped += key.down ? 1 : 0;
            continue;
        }
        notifyKeysym(keysym, key.down);
    }
    // Pacing: the reply to the text's last call means the portal has taken all of it.
    if (!flushKeys()) {
        session_.clear();
        return characters;
    }
    return skipped;
}

}  // namespace tavo
