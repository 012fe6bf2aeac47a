#include "platform/wayland/MutterKeyEvents.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>

#include "platform/Log.h"
#include "platform/wayland/ClipboardSaving.h"
#include "platform/wayland/Pipes.h"
#include "platform/wayland/Utf8.h"
#include "platform/wayland/X11ClipboardKeeper.h"

namespace tavo {
namespace {

using std::chrono::milliseconds;

constexpr const char* service = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* sessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";
// How long an application may take to read a paste.
constexpr milliseconds transferTimeout{1000};
// A headless seat gets its keyboard, and we its keymap, only after the first key press.
constexpr milliseconds keymapTimeout{2000};
// How long Mutter may take to show a Caps Lock press in its CapsLockState property.
constexpr milliseconds capsLockTimeout{500};

std::vector<std::string> readStrings(sd_bus_message* message) {
    std::vector<std::string> strings;
    char** list = nullptr;
    if (sd_bus_message_read_strv(message, &list) > 0 && list != nullptr) {
        for (char** item = list; *item != nullptr; ++item) {
            strings.emplace_back(*item);
            std::free(*item);
        }
        std::free(list);
    }
    return strings;
}

// sd-bus gives an absolute time on the monotonic clock; poll() wants milliseconds from now.
int pollTimeout(std::uint64_t busTimeout) {
    if (busTimeout == UINT64_MAX) {
        return -1;
    }
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::steady_clock::now().time_since_epoch())
                         .count();
    const auto left = static_cast<std::int64_t>(busTimeout) - now;
    return left <= 0 ? 0 : static_cast<int>(std::min<std::int64_t>(left / 1000 + 1, 1000));
}

}  // namespace

std::unique_ptr<MutterKeyEvents> MutterKeyEvents::open() {
    SdBusPtr bus = openSessionBus();
    if (!bus || !hasOwner(bus.get(), service)) {
        return nullptr;
    }
    auto client = WaylandClient::connect();
    if (!client) {
        return nullptr;
    }
    std::unique_ptr<MutterKeyEvents> keyEvents(
        new MutterKeyEvents(std::move(bus), std::move(client)));
    if (!keyEvents->keymap_) {
        return nullptr;
    }
    return keyEvents;
}

MutterKeyEvents::MutterKeyEvents(SdBusPtr bus, std::unique_ptr<WaylandClient> client)
    : BufferedKeyEvents(dbusKeyEventsPerSecond),
      bus_(std::move(bus)),
      client_(std::move(client)),
      keymap_(SeatKeymap::open(*client_)),
      wake_(eventfd(0, EFD_CLOEXEC)) {
    idle_ = std::thread([this] { serveWhileIdle(); });
}

MutterKeyEvents::~MutterKeyEvents() {
    const std::uint64_t one = 1;
    if (write(wake_, &one, sizeof one) != sizeof one) {
        std::abort();  // an eventfd below its limit always takes a write
    }
    idle_.join();
    const std::lock_guard lock(busMutex_);
    stopSession();
    close(wake_);
}

bool MutterKeyEvents::isAvailable() const {
    const std::lock_guard lock(busMutex_);
    return sd_bus_is_open(bus_.get()) > 0 && !client_->hasFailed();
}

void MutterKeyEvents::phoneConnectionChanged(bool connected) {
    const std::lock_guard lock(busMutex_);
    // The mark alone that stands for an empty clipboard needs no keeping.
    keptForClipboard_ = !connected && sessionOwnsSelection_ && !offered_.empty() &&
                        offered_.front().mimeType != transientHintType;
    if (connected && session_.empty()) {
        startSession();
    } else if (!connected && !keptForClipboard_) {
        stopSession();
    }
}

SdBusMessagePtr MutterKeyEvents::sessionCall(const char* member) {
    sd_bus_message* message = nullptr;
    sd_bus_message_new_method_call(bus_.get(), &message, service, session_.c_str(),
                                   sessionInterface, member);
    return SdBusMessagePtr(message);
}

bool MutterKeyEvents::startSession() {
    sd_bus_message* reply = nullptr;
    if (sd_bus_call_method(bus_.get(), service, "/org/gnome/Mutter/RemoteDesktop", service,
                           "CreateSession", nullptr, &reply, "") < 0) {
        return false;
    }
    const SdBusMessagePtr created(reply);
    const char* path = nullptr;
    if (sd_bus_message_read(reply, "o", &path) <= 0) {
        return false;
    }
    session_ = path;
    sd_bus_slot* slot = nullptr;
    sd_bus_match_signal(bus_.get(), &slot, service, session_.c_str(), sessionInterface, nullptr,
                        &MutterKeyEvents::onSignal, this);
    signals_.reset(slot);
    const auto enableClipboard = sessionCall("EnableClipboard");
    sd_bus_message_append(enableClipboard.get(), "a{sv}", 0);
    if (!call(bus_.get(), sessionCall("Start").get()) || !call(bus_.get(), enableClipboard.get())) {
        stopSession();
        return false;
    }
    waitForKeymap();
    return true;
}

void MutterKeyEvents::stopSession() {
    if (session_.empty()) {
        return;
    }
    unsentKey_.reset();
    call(bus_.get(), sessionCall("Stop").get());
    signals_.reset();
    session_.clear();
    selectionTypes_.clear();
    sessionOwnsSelection_ = false;
    offered_.clear();
    keptForClipboard_ = false;
    stopWhenIdle_ = false;
}

// A harmless Shift gives a headless seat its keyboard (again, after the last session's went).
void MutterKeyEvents::waitForKeymap() {
    client_->roundtrip();
    if (keymap_->layout() != nullptr) {
        return;
    }
    notifyKeysym(XKB_KEY_Shift_L, true);
    notifyKeysym(XKB_KEY_Shift_L, false);
    flushKeys();
    const auto deadline = Clock::now() + keymapTimeout;
    while (keymap_->layout() == nullptr && Clock::now() < deadline && client_->roundtrip()) {
        pollfd display{wl_display_get_fd(client_->display()), POLLIN, 0};
        poll(&display, 1, 20);
    }
}

void MutterKeyEvents::notifyKeysym(std::uint32_t keysym, bool down) {
    notify("NotifyKeyboardKeysym", keysym, down);
}

void MutterKeyEvents::notifyKeycode(std::uint32_t key, bool down) {
    notify("NotifyKeyboardKeycode", key, down);
}

void MutterKeyEvents::notify(const char* member, std::uint32_t code, bool down) {
    if (unsentKey_) {
        const auto message = sessionCall(unsentKey_->member);
        sd_bus_message_append(message.get(), "ub", unsentKey_->code, unsentKey_->down ? 1 : 0);
        // Without a reply handler no reply is asked for; D-Bus keeps the calls in order.
        sd_bus_call_async(bus_.get(), nullptr, message.get(), nullptr, nullptr, 0);
    }
    unsentKey_ = KeyCall{member, code, down};
}

bool MutterKeyEvents::flushKeys() {
    if (!unsentKey_) {
        return true;
    }
    const auto message = sessionCall(unsentKey_->member);
    sd_bus_message_append(message.get(), "ub", unsentKey_->code, unsentKey_->down ? 1 : 0);
    unsentKey_.reset();
    return call(bus_.get(), message.get()) != nullptr;
}

bool MutterKeyEvents::isCapsLocked() {
    int locked = 0;
    sd_bus_error error{};  // SD_BUS_ERROR_NULL, which is C only
    sd_bus_get_property_trivial(bus_.get(), service, session_.c_str(), sessionInterface,
                                "CapsLockState", &error, 'b', &locked);
    sd_bus_error_free(&error);
    return locked != 0;
}

// Mutter's input thread takes a key after the key's D-Bus reply, and only then updates
// CapsLockState, so the property lags behind our presses. Each of our toggles is waited for:
// the property then passes through every state in order, and the next text reads the state this
// one left, never a stale one from its middle (which made it toggle the wrong way).
bool MutterKeyEvents::toggleCapsLock(bool nowLocked) {
    notifyKeysym(XKB_KEY_Caps_Lock, true);
    notifyKeysym(XKB_KEY_Caps_Lock, false);
    if (!flushKeys()) {
        return false;
    }
    const auto deadline = Clock::now() + capsLockTimeout;
    while (isCapsLocked() != nowLocked) {
        if (Clock::now() >= deadline) {
            log::warning("Caps Lock state not updated in time; the next text may read it wrong");
            break;
        }
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

std::optional<ClipboardContent> MutterKeyEvents::readSelection() {
    if (sessionOwnsSelection_) {
        return offered_;
    }
    ClipboardSaving saving;
    for (const std::string& mimeType : selectionTypes_) {
        // Mutter serves a session one read at a time, and finishes the last one a moment after
        // its data ended: a refused read is asked again.
        int fd = -1;
        while (fd < 0) {
            const auto message = sessionCall("SelectionRead");
            sd_bus_message_append(message.get(), "s", mimeType.c_str());
            fd = takeFd(call(bus_.get(), message.get()).get());
            if (fd < 0 && saving.timeLeft() <= milliseconds(0)) {
                break;
            }
            if (fd < 0) {
                std::this_thread::sleep_for(milliseconds(1));
            }
        }
        if (!saving.read(mimeType, fd)) {
            break;
        }
    }
    auto content = std::move(saving).finish();
    if (!content) {
        log::warning(
            "clipboard: its content cannot be saved whole (too slow or too large); "
            "characters that need a paste are skipped");
    }
    return content;
}

void MutterKeyEvents::processUntil(Clock::time_point deadline, const std::function<bool()>& done) {
    while (!done() && Clock::now() < deadline) {
        if (sd_bus_process(bus_.get(), nullptr) > 0) {
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        sd_bus_wait(bus_.get(), static_cast<std::uint64_t>(std::max<long>(left.count(), 0)));
    }
}

// An empty clipboard is offered as the transient mark alone, which nothing pastes: given up,
// the clipboard would be taken by Mutter's clipboard manager with the last text it read.
void MutterKeyEvents::setSelection(ClipboardContent content) {
    if (content.empty()) {
        content = {{transientHintType, transientHintValue}};
    }
    offered_ = std::move(content);
    std::vector<std::string> mimeTypes;
    for (const ClipboardEntry& entry : offered_) {
        mimeTypes.push_back(entry.mimeType);
    }
    const auto message = sessionCall("SetSelection");
    sd_bus_message_open_container(message.get(), 'a', "{sv}");
    appendEntry(message.get(), "mime-types", mimeTypes);
    sd_bus_message_close_container(message.get());
    // Mutter tells of our ownership as of any other; what it told before is past once it has.
    ownershipTold_ = false;
    if (call(bus_.get(), message.get())) {
        processUntil(Clock::now() + transferTimeout, [this] { return ownershipTold_; });
    }
}

// Where Xwayland runs, the content is kept by an X11 selection owner of ours, which Mutter
// bridges to Wayland programs: the session may then end with the phone. Otherwise the session
// keeps it, and outlives the phone while it does.
void MutterKeyEvents::restoreSelection(ClipboardContent content) {
    if (!content.empty()) {
        auto shared = std::make_shared<const ClipboardContent>(std::move(content));
        x11Keeper_ = X11ClipboardKeeper::start(shared);
        if (x11Keeper_) {
            processUntil(Clock::now() + transferTimeout, [this] { return !sessionOwnsSelection_; });
            if (!sessionOwnsSelection_) {
                offered_.clear();
                return;
            }
            x11Keeper_.reset();
        }
        content = *shared;
    }
    setSelection(std::move(content));
}

// Characters in a row go in one paste, with Ctrl+V; an application that does not read it
// (a terminal wants Ctrl+Shift+V) leaves them skipped, also when a clipboard history (Mutter's
// own clipboard manager among them) read it. A clipboard that cannot be saved whole, or that
// another program took after our offer, is left alone.
std::size_t MutterKeyEvents::paste(const std::u32string& characters, SavedClipboard& saved) {
    if (characters.empty()) {
        return 0;
    }
    if (!saved.tried) {
        saved = {true, readSelection()};
    }
    if (!saved.content) {
        return characters.size();
    }
    const std::string text = toUtf8(characters);
    ClipboardContent content;
    for (const std::string& mimeType : textMimeTypes) {
        content.push_back({mimeType, text});
    }
    content.push_back({transientHintType, transientHintValue});
    offeringPaste_ = true;
    pasteExpected_ = false;
    transferred_ = false;
    setSelection(std::move(content));
    processUntil(Clock::now() + historyReadTime, [] { return false; });
    if (!sessionOwnsSelection_) {
        offeringPaste_ = false;
        return characters.size();
    }
    pasteExpected_ = true;
    const KeyStroke shortcut = pasteShortcut(keymap_->layout().get());
    notifyKeycode(shortcut.modifiers.front(), true);
    notifyKeycode(shortcut.key, true);
    notifyKeycode(shortcut.key, false);
    notifyKeycode(shortcut.modifiers.front(), false);
    flushKeys();
    processUntil(Clock::now() + transferTimeout, [this] { return transferred_; });
    if (!transferred_) {
        offeringPaste_ = false;
        return characters.size();
    }
    std::this_thread::sleep_for(pasteSettleTime);
    offeringPaste_ = false;
    return 0;
}

std::size_t MutterKeyEvents::deliver(std::span<const TextKey> keys) {
    const std::lock_guard lock(busMutex_);
    std::size_t characters = 0;
    for (const TextKey& key : keys) {
        characters += !key.isReturn && key.down ? 1 : 0;
    }
    if (session_.empty() && !startSession()) {
        return characters;
    }
    // Takes in the current keymap first.
    client_->roundtrip();
    const auto layout = keymap_->layout();
    // A locked Caps Lock would turn letters into capitals: it is unlocked around the text.
    const bool capsWasLocked = isCapsLocked();
    if (capsWasLocked && !toggleCapsLock(false)) {
        return characters;
    }
    std::size_t skipped = 0;
    SavedClipboard saved;
    std::u32string missing;
    for (const TextKey& key : keys) {
        std::uint32_t keysym = XKB_KEY_Return;
        if (!key.isReturn) {
            keysym = keysymFor(key.character);
            // Mutter presses Shift or AltGr for a keysym, never both.
            const auto stroke = layout != nullptr ? layout->strokeFor(keysym) : std::nullopt;
            if (!stroke || stroke->modifiers.size() > 1) {
                if (key.down) {
                    missing += key.character;
                }
                continue;
            }
        }
        skipped += paste(missing, saved);
        missing.clear();
        notifyKeysym(keysym, key.down);
    }
    skipped += paste(missing, saved);
    // A copy made since our offer stays.
    while (sd_bus_process(bus_.get(), nullptr) > 0) {
    }
    if (saved.content && sessionOwnsSelection_) {
        restoreSelection(std::move(*saved.content));
    }
    stopWhenIdle_ = false;
    // Pacing: the reply to the text's last call means Mutter has taken all of it.
    if (!(capsWasLocked ? toggleCapsLock(true) : flushKeys())) {
        return characters;
    }
    return skipped;
}

int MutterKeyEvents::onSignal(sd_bus_message* message, void* data, sd_bus_error*) {
    auto& self = *static_cast<MutterKeyEvents*>(data);
    const std::string member = sd_bus_message_get_member(message);
    if (member == "Closed") {
        self.session_.clear();
        self.unsentKey_.reset();
        self.sessionOwnsSelection_ = false;
    } else if (member == "SelectionOwnerChanged") {
        sd_bus_message_enter_container(message, 'a', "{sv}");
        while (sd_bus_message_enter_container(message, 'e', "sv") > 0) {
            const char* key = nullptr;
            sd_bus_message_read(message, "s", &key);
            const std::string name = key != nullptr ? key : "";
            char type = 0;
            const char* contents = nullptr;
            sd_bus_message_peek_type(message, &type, &contents);
            const std::string signature = contents != nullptr ? contents : "";
            // Mutter 43 wraps the list in a structure; the documented form is a plain list.
            if (name == "mime-types" && (signature == "as" || signature == "(as)")) {
                sd_bus_message_enter_container(message, 'v', signature.c_str());
                if (signature == "(as)") {
                    sd_bus_message_enter_container(message, 'r', "as");
                }
                self.selectionTypes_ = readStrings(message);
                if (signature == "(as)") {
                    sd_bus_message_exit_container(message);
                }
                sd_bus_message_exit_container(message);
            } else if (name == "session-is-owner") {
                int owner = 0;
                sd_bus_message_read(message, "v", "b", &owner);
                self.sessionOwnsSelection_ = owner != 0;
                self.ownershipTold_ = self.ownershipTold_ || owner != 0;
                self.stopWhenIdle_ = self.keptForClipboard_ && owner == 0;
            } else {
                sd_bus_message_skip(message, "v");
            }
            sd_bus_message_exit_container(message);
        }
    } else if (member == "SelectionTransfer") {
        const char* mimeType = nullptr;
        std::uint32_t serial = 0;
        if (sd_bus_message_read(message, "su", &mimeType, &serial) <= 0) {
            return 0;
        }
        const auto write = self.sessionCall("SelectionWrite");
        sd_bus_message_append(write.get(), "u", serial);
        const int fd = takeFd(call(self.bus_.get(), write.get()).get());
        // Before Ctrl+V only the transient mark is answered: readers then are histories.
        const bool hint = std::string_view(mimeType) == transientHintType;
        const bool answered = !self.offeringPaste_ || self.pasteExpected_ || hint;
        const auto entry =
            std::find_if(self.offered_.begin(), self.offered_.end(),
                         [&](const ClipboardEntry& e) { return e.mimeType == mimeType; });
        bool written = false;
        if (fd >= 0 && answered && entry != self.offered_.end()) {
            written = writeAllAndClose(fd, entry->data, transferTimeout);
            self.transferred_ = self.transferred_ || (written && self.offeringPaste_ && !hint);
        } else if (fd >= 0) {
            close(fd);
        }
        const auto done = self.sessionCall("SelectionWriteDone");
        sd_bus_message_append(done.get(), "ub", serial, written ? 1 : 0);
        call(self.bus_.get(), done.get());
    }
    return 0;
}

void MutterKeyEvents::serveWhileIdle() {
    while (true) {
        pollfd fds[2] = {{-1, 0, 0}, {wake_, POLLIN, 0}};
        std::uint64_t timeout = UINT64_MAX;
        {
            const std::lock_guard lock(busMutex_);
            const int events = sd_bus_get_events(bus_.get());
            // A closed bus leaves only the wake-up to wait for.
            fds[0].fd = events < 0 ? -1 : sd_bus_get_fd(bus_.get());
            fds[0].events = static_cast<short>(events < 0 ? 0 : events);
            sd_bus_get_timeout(bus_.get(), &timeout);
        }
        poll(fds, 2, pollTimeout(timeout));
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        const std::lock_guard lock(busMutex_);
        while (sd_bus_process(bus_.get(), nullptr) > 0) {
        }
        if (stopWhenIdle_) {
            stopSession();
        }
    }
}

}  // namespace tavo
