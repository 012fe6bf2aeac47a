#include "tools/tavo-send/ServiceDiscovery.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace tavo {

namespace {

struct Search {
    AvahiClient* client = nullptr;
    std::vector<DiscoveredService> found;
    int resolving = 0;
    // The daemon has told every instance it knows of.
    bool allForNow = false;
    std::optional<std::string> failure;
};

std::string avahiError(AvahiClient* client) {
    return avahi_strerror(avahi_client_errno(client));
}

void onResolved(AvahiServiceResolver* resolver, AvahiIfIndex interface, AvahiProtocol,
                AvahiResolverEvent event, const char* name, const char*, const char*, const char*,
                const AvahiAddress* address, uint16_t port, AvahiStringList*,
                AvahiLookupResultFlags, void* context) {
    auto& search = *static_cast<Search*>(context);
    if (event == AVAHI_RESOLVER_FOUND) {
        char text[AVAHI_ADDRESS_STR_MAX] = {};
        avahi_address_snprint(text, sizeof text, address);
        std::string numeric = text;
        const bool linkLocal = address->proto == AVAHI_PROTO_INET6 &&
                               address->data.ipv6.address[0] == 0xfe &&
                               (address->data.ipv6.address[1] & 0xc0) == 0x80;
        if (linkLocal) {
            numeric += '%';
            numeric += std::to_string(interface);
        }
        search.found.push_back(DiscoveredService{name, numeric, port});
    }
    --search.resolving;
    // A failed resolution is not fatal: another instance, or a later announcement, may resolve.
    avahi_service_resolver_free(resolver);
}

void onBrowsed(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
               AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
               AvahiLookupResultFlags, void* context) {
    auto& search = *static_cast<Search*>(context);
    if (event == AVAHI_BROWSER_NEW) {
        if (avahi_service_resolver_new(search.client, interface, protocol, name, type, domain,
                                       AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0), onResolved,
                                       &search)) {
            ++search.resolving;
        } else {
            search.failure =
                "cannot resolve '" + std::string(name) + "': " + avahiError(search.client);
        }
    } else if (event == AVAHI_BROWSER_ALL_FOR_NOW) {
        search.allForNow = true;
    } else if (event == AVAHI_BROWSER_FAILURE) {
        search.failure = "browsing failed: " + avahiError(search.client);
    }
}

void onClientState(AvahiClient* client, AvahiClientState state, void* context) {
    if (state == AVAHI_CLIENT_FAILURE) {
        static_cast<Search*>(context)->failure = "avahi-daemon failed: " + avahiError(client);
    }
}

// Browses until done() holds or the timeout passes; returns whether done() held.
bool browse(std::string_view type, std::chrono::duration<double> timeout, Search& search,
            const std::function<bool()>& done) {
    const std::unique_ptr<AvahiSimplePoll, decltype(&avahi_simple_poll_free)> poll(
        avahi_simple_poll_new(), avahi_simple_poll_free);
    if (!poll) {
        throw std::runtime_error("out of memory");
    }
    int error = 0;
    const std::unique_ptr<AvahiClient, decltype(&avahi_client_free)> client(
        avahi_client_new(avahi_simple_poll_get(poll.get()), AvahiClientFlags(0), onClientState,
                         &search, &error),
        avahi_client_free);
    if (!client) {
        throw std::runtime_error("cannot reach avahi-daemon: " +
                                 std::string(avahi_strerror(error)));
    }
    search.client = client.get();
    const std::string typeText(type);
    if (!avahi_service_browser_new(client.get(), AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                   typeText.c_str(), nullptr, AvahiLookupFlags(0), onBrowsed,
                                   &search)) {
        throw std::runtime_error("cannot browse for " + typeText + ": " + avahiError(client.get()));
    }

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done() && !search.failure) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (avahi_simple_poll_iterate(poll.get(), static_cast<int>(left.count())) != 0) {
            throw std::runtime_error("the Avahi event loop failed");
        }
    }
    if (search.failure) {
        throw std::runtime_error(*search.failure);
    }
    return true;
}

}  // namespace

DiscoveredService discoverService(std::string_view type, std::chrono::duration<double> timeout) {
    Search search;
    if (!browse(type, timeout, search, [&] { return !search.found.empty(); })) {
        std::ostringstream message;
        message << "no " << type << " receiver found within " << timeout.count() << " s";
        throw std::runtime_error(message.str());
    }
    return search.found.front();
}

std::vector<DiscoveredService> listServices(std::string_view type,
                                            std::chrono::duration<double> timeout) {
    Search search;
    browse(type, timeout, search, [&] { return search.allForNow && search.resolving == 0; });
    return search.found;
}

}  // namespace tavo
