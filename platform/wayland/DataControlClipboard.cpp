#include "platform/wayland/DataControlClipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <thread>

#include "platform/Log.h"
#include "platform/wayland/ClipboardSaving.h"
#include "platform/wayland/Pipes.h"
#include "wlr-data-control-unstable-v1-client.h"

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long an application may take to take one MIME type of clipboard data.
constexpr milliseconds transferTimeout{1000};

// Reads and dispatches the compositor's events once, waiting at most the timeout; returns
// early when `wake` becomes readable. False once the connection has failed.
bool dispatchOnce(wl_display* display, int wake, int timeoutMs) {
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) {
            return false;
        }
    }
    wl_display_flush(display);
    pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {wake, POLLIN, 0}};
    if (poll(fds, wake >= 0 ? 2 : 1, timeoutMs) > 0 && (fds[0].revents & POLLIN) != 0) {
        if (wl_display_read_events(display) < 0) {
            return false;
        }
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) >= 0;
}

void ignoreFinished(void*, zwlr_data_control_device_v1*) {}

// Reads and answers the compositor's events until the deadline.
void dispatchUntil(wl_display* display, Clock::time_point deadline) {
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        const auto left = std::chrono::ceil<milliseconds>(deadline - now).count();
        if (!dispatchOnce(display, -1, static_cast<int>(left))) {
            return;
        }
    }
}

}  // namespace

struct DataControlClipboard::Offer {
    zwlr_data_control_offer_v1* proxy;
    std::uint64_t serial;
    std::vector<std::string> mimeTypes;
};

// A restored clipboard content, owned on a connection of its own and served from its own
// thread until another program takes the clipboard or we exit.
class DataControlClipboard::Keeper {
  public:
    static std::unique_ptr<Keeper> start(std::shared_ptr<const ClipboardContent> content) {
        auto client = WaylandClient::connect();
        if (!client) {
            return nullptr;
        }
        auto* manager =
            client->bind<zwlr_data_control_manager_v1>(zwlr_data_control_manager_v1_interface, 1);
        auto* seat = client->bind<wl_seat>(wl_seat_interface, 1);
        if (manager == nullptr || seat == nullptr) {
            return nullptr;
        }
        return std::unique_ptr<Keeper>(
            new Keeper(std::move(client), manager, seat, std::move(content)));
    }

    ~Keeper() {
        const std::uint64_t one = 1;
        if (write(wake_, &one, sizeof one) < 0) {
            // The thread still ends at the next event; nothing else can be done.
        }
        thread_.join();
        close(wake_);
        // Offers already read are taken in, so that they go too.
        wl_display_dispatch_pending(client_->display());
        for (zwlr_data_control_offer_v1* offer : offers_) {
            zwlr_data_control_offer_v1_destroy(offer);
        }
        zwlr_data_control_source_v1_destroy(source_);
        zwlr_data_control_device_v1_destroy(device_);
        zwlr_data_control_manager_v1_destroy(manager_);
        wl_seat_destroy(seat_);
    }
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;

    const std::shared_ptr<const ClipboardContent>& content() const { return content_; }

  private:
    Keeper(std::unique_ptr<WaylandClient> client, zwlr_data_control_manager_v1* manager,
           wl_seat* seat, std::shared_ptr<const ClipboardContent> content)
        : client_(std::move(client)),
          manager_(manager),
          seat_(seat),
          device_(zwlr_data_control_manager_v1_get_data_device(manager, seat)),
          source_(zwlr_data_control_manager_v1_create_data_source(manager)),
          content_(std::move(content)),
          wake_(eventfd(0, EFD_CLOEXEC)) {
        static const zwlr_data_control_source_v1_listener listener{&Keeper::send,
                                                                   &Keeper::cancelled};
        zwlr_data_control_source_v1_add_listener(source_, &listener, this);
        // The keeper reads no offers; each goes when the next selection comes. (Destroyed in
        // their own event, libwayland before 1.22 leaks them.)
        static const zwlr_data_control_device_v1_listener offers{
            .data_offer =
                [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
                    static_cast<Keeper*>(data)->offers_.push_back(offer);
                },
            .selection =
                [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* current) {
                    auto& offers = static_cast<Keeper*>(data)->offers_;
                    std::erase_if(offers, [&](zwlr_data_control_offer_v1* offer) {
                        if (offer == current) {
                            return false;
                        }
                        zwlr_data_control_offer_v1_destroy(offer);
                        return true;
                    });
                },
            .finished = ignoreFinished,
            .primary_selection = nullptr,
        };
        zwlr_data_control_device_v1_add_listener(device_, &offers, this);
        for (const ClipboardEntry& entry : *content_) {
            zwlr_data_control_source_v1_offer(source_, entry.mimeType.c_str());
        }
        zwlr_data_control_device_v1_set_selection(device_, source_);
        client_->roundtrip();
        thread_ = std::thread([this] {
            pollfd stop{wake_, POLLIN, 0};
            while (!cancelled_ && poll(&stop, 1, 0) == 0 &&
                   dispatchOnce(client_->display(), wake_, -1)) {
            }
        });
    }

    static void send(void* data, zwlr_data_control_source_v1*, const char* mimeType, int fd) {
        const auto& content = *static_cast<Keeper*>(data)->content_;
        const auto entry = std::find_if(content.begin(), content.end(),
                                        [&](const auto& e) { return e.mimeType == mimeType; });
        if (entry == content.end()) {
            close(fd);
            return;
        }
        writeAllAndClose(fd, entry->data, transferTimeout);
    }
    static void cancelled(void* data, zwlr_data_control_source_v1*) {
        static_cast<Keeper*>(data)->cancelled_ = true;
    }

    std::unique_ptr<WaylandClient> client_;
    zwlr_data_control_manager_v1* manager_;
    wl_seat* seat_;
    zwlr_data_control_device_v1* device_;
    zwlr_data_control_source_v1* source_;
    const std::shared_ptr<const ClipboardContent> content_;
    std::vector<zwlr_data_control_offer_v1*> offers_;
    int wake_;
    bool cancelled_ = false;
    std::thread thread_;
};

std::unique_ptr<DataControlClipboard> DataControlClipboard::open(WaylandClient& client,
                                                                 wl_seat* seat) {
    auto* manager =
        client.bind<zwlr_data_control_manager_v1>(zwlr_data_control_manager_v1_interface, 1);
    if (manager == nullptr || seat == nullptr) {
        return nullptr;
    }
    std::unique_ptr<DataControlClipboard> clipboard(
        new DataControlClipboard(client, manager, seat));
    client.roundtrip();
    return clipboard;
}

DataControlClipboard::DataControlClipboard(WaylandClient& client,
                                           zwlr_data_control_manager_v1* manager, wl_seat* seat)
    : client_(client),
      manager_(manager),
      device_(zwlr_data_control_manager_v1_get_data_device(manager, seat)) {
    static const zwlr_data_control_device_v1_listener listener{
        .data_offer =
            [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* proxy) {
                auto& self = *static_cast<DataControlClipboard*>(data);
                self.offers_.push_back(
                    std::make_unique<Offer>(Offer{proxy, ++self.offersSeen_, {}}));
                static const zwlr_data_control_offer_v1_listener offerListener{
                    [](void* offer, zwlr_data_control_offer_v1*, const char* mimeType) {
                        static_cast<Offer*>(offer)->mimeTypes.emplace_back(mimeType);
                    }};
                zwlr_data_control_offer_v1_add_listener(proxy, &offerListener,
                                                        self.offers_.back().get());
            },
        .selection =
            [](void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* proxy) {
                auto& self = *static_cast<DataControlClipboard*>(data);
                self.selection_ = nullptr;
                for (const auto& offer : self.offers_) {
                    if (offer->proxy == proxy) {
                        self.selection_ = offer.get();
                    }
                }
                self.dropOffers();
            },
        .finished = ignoreFinished,
        .primary_selection = nullptr,
    };
    zwlr_data_control_device_v1_add_listener(device_, &listener, this);
}

DataControlClipboard::~DataControlClipboard() {
    keeper_.reset();
    selection_ = nullptr;
    dropOffers();
    if (source_ != nullptr) {
        zwlr_data_control_source_v1_destroy(source_);
    }
    zwlr_data_control_device_v1_destroy(device_);
    zwlr_data_control_manager_v1_destroy(manager_);
}

// Every offer but the current selection is stale.
void DataControlClipboard::dropOffers() {
    std::erase_if(offers_, [&](const std::unique_ptr<Offer>& offer) {
        if (offer.get() == selection_) {
            return false;
        }
        zwlr_data_control_offer_v1_destroy(offer->proxy);
        return true;
    });
}

bool DataControlClipboard::save() {
    overtaken_ = false;
    client_.roundtrip();
    if (selection_ == nullptr) {
        saved_ = std::make_shared<const ClipboardContent>();
        return true;
    }
    // Our own restored content, read already.
    if (keeper_ && selection_->serial == keptSelection_) {
        saved_ = keeper_->content();
        return true;
    }
    // An owner that failed once is not waited for again with every text.
    if (selection_->serial == unreadableSelection_) {
        return false;
    }
    ClipboardSaving saving;
    for (const std::string& mimeType : selection_->mimeTypes) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            saving.read(mimeType, -1);
            break;
        }
        zwlr_data_control_offer_v1_receive(selection_->proxy, mimeType.c_str(), ends[1]);
        wl_display_flush(client_.display());
        close(ends[1]);
        if (!saving.read(mimeType, ends[0])) {
            break;
        }
    }
    auto content = std::move(saving).finish();
    if (!content) {
        unreadableSelection_ = selection_->serial;
        log::warning(
            "clipboard: its content cannot be saved whole (too slow or too large); "
            "characters that need a paste are skipped while it stays");
        return false;
    }
    saved_ = std::make_shared<const ClipboardContent>(std::move(*content));
    return true;
}

bool DataControlClipboard::offer(std::string text) {
    client_.roundtrip();
    if (overtaken_) {
        return false;
    }
    if (source_ != nullptr) {
        zwlr_data_control_source_v1_destroy(source_);
    }
    source_ = zwlr_data_control_manager_v1_create_data_source(manager_);
    static const zwlr_data_control_source_v1_listener listener{
        .send =
            [](void* data, zwlr_data_control_source_v1*, const char* mimeType, int fd) {
                auto& self = *static_cast<DataControlClipboard*>(data);
                if (std::string_view(mimeType) == transientHintType) {
                    writeAllAndClose(fd, transientHintValue, transferTimeout);
                } else if (!self.pasteExpected_) {
                    close(fd);
                } else {
                    self.taken_ = writeAllAndClose(fd, self.text_, transferTimeout) || self.taken_;
                }
            },
        .cancelled =
            [](void* data, zwlr_data_control_source_v1* source) {
                auto& self = *static_cast<DataControlClipboard*>(data);
                if (self.source_ == source) {
                    zwlr_data_control_source_v1_destroy(source);
                    self.source_ = nullptr;
                    self.overtaken_ = true;
                }
            },
    };
    zwlr_data_control_source_v1_add_listener(source_, &listener, this);
    for (const std::string& mimeType : textMimeTypes) {
        zwlr_data_control_source_v1_offer(source_, mimeType.c_str());
    }
    zwlr_data_control_source_v1_offer(source_, transientHintType);
    zwlr_data_control_device_v1_set_selection(device_, source_);
    text_ = std::move(text);
    pasteExpected_ = false;
    taken_ = false;
    dispatchUntil(client_.display(), Clock::now() + historyReadTime);
    return !overtaken_;
}

void DataControlClipboard::expectPaste() {
    pasteExpected_ = true;
}

bool DataControlClipboard::waitUntilTaken(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!taken_) {
        const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !dispatchOnce(client_.display(), -1, static_cast<int>(left))) {
            break;
        }
    }
    return taken_;
}

void DataControlClipboard::restore() {
    const auto saved = std::move(saved_);
    saved_.reset();
    // A copy made since our offer (which cancelled it) stays.
    client_.roundtrip();
    if (!saved || overtaken_) {
        return;
    }
    std::unique_ptr<Keeper> keeper;
    if (!saved->empty()) {
        keeper = Keeper::start(saved);
    }
    if (!keeper) {
        if (!saved->empty()) {
            log::warning("clipboard: its previous content could not be offered again");
        }
        zwlr_data_control_device_v1_set_selection(device_, nullptr);
    }
    keeper_ = std::move(keeper);
    client_.roundtrip();
    keptSelection_ = keeper_ && selection_ != nullptr ? selection_->serial : 0;
}

}  // namespace tavo
