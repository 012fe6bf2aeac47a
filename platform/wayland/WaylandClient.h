#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// A connection to the session's compositor and the globals it offers. Used by one thread at a
// time.
class WaylandClient {
  public:
    // Nothing when no compositor answers (WAYLAND_DISPLAY).
    static std::unique_ptr<WaylandClient> connect();
    ~WaylandClient();
    WaylandClient(const WaylandClient&) = delete;
    WaylandClient& operator=(const WaylandClient&) = delete;

    wl_display* display() const { return display_; }
    bool offers(std::string_view interface) const;
    // Binds the first global of this interface, at most at the given version; nothing when the
    // compositor does not offer it.
    template <typename Proxy>
    Proxy* bind(const wl_interface& interface, std::uint32_t version) {
        return static_cast<Proxy*>(bindGlobal(interface, version));
    }
    // Waits until the compositor has handled every request sent so far. False once the
    // connection has failed.
    bool roundtrip();
    bool hasFailed() const;

  private:
    struct Global {
        std::uint32_t name;
        std::string interface;
        std::uint32_t version;
    };

    explicit WaylandClient(wl_display* display);
    void* bindGlobal(const wl_interface& interface, std::uint32_t version);
    static void announce(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void withdraw(void* data, wl_registry* registry, std::uint32_t name);

    wl_display* display_;
    wl_registry* registry_;
    std::vector<Global> globals_;
};

}  // namespace tavo
