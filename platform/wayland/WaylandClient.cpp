#include "platform/wayland/WaylandClient.h"

#include <algorithm>

namespace tavo {

std::unique_ptr<WaylandClient> WaylandClient::connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<WaylandClient> client(new WaylandClient(display));
    if (!client->roundtrip()) {
        return nullptr;
    }
    return client;
}

WaylandClient::WaylandClient(wl_display* display)
    : display_(display), registry_(wl_display_get_registry(display)) {
    static const wl_registry_listener listener{&WaylandClient::announce, &WaylandClient::withdraw};
    wl_registry_add_listener(registry_, &listener, this);
}

WaylandClient::~WaylandClient() {
    wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

bool WaylandClient::offers(std::string_view interface) const {
    return std::any_of(globals_.begin(), globals_.end(),
                       [&](const Global& global) { return global.interface == interface; });
}

void* WaylandClient::bindGlobal(const wl_interface& interface, std::uint32_t version) {
    const auto found = std::find_if(globals_.begin(), globals_.end(), [&](const Global& global) {
        return global.interface == interface.name;
    });
    if (found == globals_.end()) {
        return nullptr;
    }
    return wl_registry_bind(registry_, found->name, &interface, std::min(version, found->version));
}

bool WaylandClient::roundtrip() {
    return wl_display_roundtrip(display_) >= 0;
}

bool WaylandClient::hasFailed() const {
    return wl_display_get_error(display_) != 0;
}

void WaylandClient::announce(void* data, wl_registry*, std::uint32_t name, const char* interface,
                             std::uint32_t version) {
    static_cast<WaylandClient*>(data)->globals_.push_back({name, interface, version});
}

void WaylandClient::withdraw(void* data, wl_registry*, std::uint32_t name) {
    auto& globals = static_cast<WaylandClient*>(data)->globals_;
    std::erase_if(globals, [&](const Global& global) { return global.name == name; });
}

}  // namespace tavo
