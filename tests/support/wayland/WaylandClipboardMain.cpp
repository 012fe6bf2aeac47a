// tavo-wayland-clipboard: clipboard programs for tests, through the data-control protocol.
//
//   own [--stall] TYPE=FILE...   owns the clipboard with each file's bytes as its type (or, for
//                                TYPE*N, N bytes), until another program takes it; --stall takes
//                                every read and never answers it
//   history OUTPUT               a clipboard history: reads every type of each new selection at
//                                once and appends its text to OUTPUT, unless the selection is
//                                marked transient
//   copy-on-change TEXT          copies TEXT as soon as the selection first changes
//
// Each prints "ready" once it has taken part.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/wayland/Pipes.h"
#include "platform/wayland/WaylandClient.h"
#include "wlr-data-control-unstable-v1-client.h"

namespace {

struct Entry {
    std::string mimeType;
    std::string data;
};

struct Clipboard {
    std::unique_ptr<tavo::WaylandClient> client;
    zwlr_data_control_manager_v1* manager = nullptr;
    zwlr_data_control_device_v1* device = nullptr;
    // Owning
    std::vector<Entry> content;
    bool stall = false;
    std::vector<int> stalled;
    bool replaced = false;
    // Watching
    std::vector<std::pair<zwlr_data_control_offer_v1*, std::vector<std::string>>> offers;
    int selections = 0;
    std::string history;
    std::string copyOnChange;
};

void onSend(void* data, zwlr_data_control_source_v1*, const char* mimeType, int fd) {
    auto& clipboard = *static_cast<Clipboard*>(data);
    if (clipboard.stall) {
        clipboard.stalled.push_back(fd);
        return;
    }
    for (const auto& entry : clipboard.content) {
        if (entry.mimeType == mimeType) {
            tavo::writeAllAndClose(fd, entry.data, std::chrono::seconds(10));
            return;
        }
    }
    close(fd);
}

void onCancelled(void* data, zwlr_data_control_source_v1*) {
    static_cast<Clipboard*>(data)->replaced = true;
}

const zwlr_data_control_source_v1_listener sourceListener{onSend, onCancelled};

void own(Clipboard& clipboard) {
    auto* source = zwlr_data_control_manager_v1_create_data_source(clipboard.manager);
    zwlr_data_control_source_v1_add_listener(source, &sourceListener, &clipboard);
    for (const auto& entry : clipboard.content) {
        zwlr_data_control_source_v1_offer(source, entry.mimeType.c_str());
    }
    zwlr_data_control_device_v1_set_selection(clipboard.device, source);
}

void onOfferType(void* data, zwlr_data_control_offer_v1* offer, const char* mimeType) {
    auto& clipboard = *static_cast<Clipboard*>(data);
    for (auto& [known, types] : clipboard.offers) {
        if (known == offer) {
            types.emplace_back(mimeType);
        }
    }
}

const zwlr_data_control_offer_v1_listener offerListener{onOfferType};

void onDataOffer(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
    auto& clipboard = *static_cast<Clipboard*>(data);
    clipboard.offers.push_back({offer, {}});
    zwlr_data_control_offer_v1_add_listener(offer, &offerListener, data);
}

std::string read(Clipboard& clipboard, zwlr_data_control_offer_v1* offer, const std::string& type) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return {};
    }
    zwlr_data_control_offer_v1_receive(offer, type.c_str(), ends[1]);
    wl_display_flush(clipboard.client->display());
    close(ends[1]);
    auto data = tavo::readAll(ends[0], std::chrono::seconds(5));
    close(ends[0]);
    return data.value_or("");
}

void onSelection(void* data, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
    auto& clipboard = *static_cast<Clipboard*>(data);
    ++clipboard.selections;
    for (auto& [known, types] : clipboard.offers) {
        if (known != offer || clipboard.history.empty()) {
            continue;
        }
        bool transient = false;
        std::string text;
        for (const std::string& type : types) {
            const std::string data = read(clipboard, offer, type);
            transient = transient || type == "x-kde-passwordManagerHint";
            if (type == "text/plain;charset=utf-8") {
                text = data;
            }
        }
        if (!transient) {
            std::ofstream(clipboard.history, std::ios::app) << text << '\n';
        }
    }
    std::erase_if(clipboard.offers, [&](const auto& known) {
        if (known.first != offer) {
            zwlr_data_control_offer_v1_destroy(known.first);
            return true;
        }
        return false;
    });
    // The first selection is the one there was at start.
    if (!clipboard.copyOnChange.empty() && clipboard.selections == 2) {
        clipboard.content = {{"text/plain;charset=utf-8", clipboard.copyOnChange},
                             {"text/plain", clipboard.copyOnChange}};
        own(clipboard);
    }
}

void onFinished(void*, zwlr_data_control_device_v1*) {}

const zwlr_data_control_device_v1_listener deviceListener{onDataOffer, onSelection, onFinished,
                                                          nullptr};

}  // namespace

int main(int argc, char** argv) {
    Clipboard clipboard;
    clipboard.client = tavo::WaylandClient::connect();
    if (argc < 2 || !clipboard.client) {
        return 2;
    }
    clipboard.manager = clipboard.client->bind<zwlr_data_control_manager_v1>(
        zwlr_data_control_manager_v1_interface, 1);
    auto* seat = clipboard.client->bind<wl_seat>(wl_seat_interface, 1);
    if (clipboard.manager == nullptr || seat == nullptr) {
        return 2;
    }
    clipboard.device = zwlr_data_control_manager_v1_get_data_device(clipboard.manager, seat);
    zwlr_data_control_device_v1_add_listener(clipboard.device, &deviceListener, &clipboard);
    const std::string command = argv[1];
    if (command == "own") {
        for (int i = 2; i < argc; ++i) {
            const std::string argument = argv[i];
            if (argument == "--stall") {
                clipboard.stall = true;
                continue;
            }
            const auto equals = argument.find_first_of("=*");
            std::string bytes;
            if (argument[equals] == '*') {
                bytes.assign(std::stoul(argument.substr(equals + 1)), 'x');
            } else {
                std::ifstream file(argument.substr(equals + 1), std::ios::binary);
                std::ostringstream read;
                read << file.rdbuf();
                bytes = read.str();
            }
            clipboard.content.push_back({argument.substr(0, equals), std::move(bytes)});
        }
        own(clipboard);
    } else if (command == "history" && argc == 3) {
        clipboard.history = argv[2];
    } else if (command == "copy-on-change" && argc == 3) {
        clipboard.copyOnChange = argv[2];
    } else {
        return 2;
    }
    clipboard.client->roundtrip();
    std::printf("ready\n");
    std::fflush(stdout);
    while (!clipboard.replaced && wl_display_dispatch(clipboard.client->display()) >= 0) {
    }
    return 0;
}
