#pragma once

#include <chrono>
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
class DataControlClipboard {
  public:
    // Nothing when the compositor does not offer data control.
    static std::unique_ptr<DataControlClipboard> open(WaylandClient& client, wl_seat* seat);
    ~DataControlClipboard();
    DataControlClipboard(const DataControlClipboard&) = delete;
    DataControlClipboard& operator=(const DataControlClipboard&) = delete;

    // Reads every type of the current content.
    void save();
    // Makes the text the clipboard's content; the compositor has it on return.
    void offer(std::string text);
    // True once an application has read the offered text, false when none did in time.
    bool waitUntilTaken(std::chrono::milliseconds timeout);
    // Puts back what save() read. A restored content is served from a thread of its own, since
    // applications may paste it long after this call.
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
    std::string text_;
    bool taken_ = false;
    std::optional<ClipboardContent> saved_;
    std::unique_ptr<Keeper> keeper_;
};

}  // namespace tavo
