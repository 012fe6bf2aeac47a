#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/wayland/ClipboardContent.h"
#include "platform/wayland/WaylandClient.h"

struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;
struct wl_seat;

namespace tavo {

// The seat's clipboard through the data-control protocol, which needs no keyboard focus: the
// previous content is saved, text offered for one paste after another, then the content put
// back. Events are read on the calling thread, during these calls.
//
// Offers are marked transient, and reads made before Ctrl+V (clipboard histories, which read
// every new selection at once) get nothing and do not count as the paste.
class DataControlClipboard {
  public:
    // Nothing when the compositor does not offer data control.
    static std::unique_ptr<DataControlClipboard> open(WaylandClient& client, wl_seat* seat);
    ~DataControlClipboard();
    DataControlClipboard(const DataControlClipboard&) = delete;
    DataControlClipboard& operator=(const DataControlClipboard&) = delete;

    // Reads every type of the current content within the saving budget. False when it cannot
    // be read whole: the clipboard must then be left alone.
    bool save();
    // Makes the text the clipboard's content; returns once clipboard histories have had their
    // read of it. False when another program has taken the clipboard since save(): its copy
    // stays, and nothing more is offered or restored.
    bool offer(std::string text);
    // Called just before Ctrl+V: reads from now on are the application's.
    void expectPaste();
    // True once an application has read the offered text since expectPaste(), false when none
    // did in time.
    bool waitUntilTaken(std::chrono::milliseconds timeout);
    // Puts back what save() read, unless another program took the clipboard after our offer. A
    // restored content is served from a thread of its own, since applications may paste it long
    // after this call, until another program takes the clipboard or we exit.
    void restore();

  private:
    class Keeper;
    struct Offer;

    DataControlClipboard(WaylandClient& client, zwlr_data_control_manager_v1* manager,
                         wl_seat* seat);
    void dropOffers();

    WaylandClient& client_;
    zwlr_data_control_manager_v1* manager_;
    zwlr_data_control_device_v1* device_;
    std::vector<std::unique_ptr<Offer>> offers_;  // introduced, newest last
    Offer* selection_ = nullptr;
    zwlr_data_control_source_v1* source_ = nullptr;
    std::uint64_t offersSeen_ = 0;
    std::string text_;
    bool pasteExpected_ = false;
    bool overtaken_ = false;
    bool taken_ = false;
    std::shared_ptr<const ClipboardContent> saved_;
    std::unique_ptr<Keeper> keeper_;
    // The selections that our keeper offers and that could not be saved, by serial.
    std::uint64_t keptSelection_ = 0;
    std::uint64_t unreadableSelection_ = 0;
};

}  // namespace tavo
