#include "tools/tavo-send/ServiceDiscovery.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace tavo {

namespace {

struct Search {
    AvahiClient* client = nullptr;
    std::optional<DiscoveredService> found;
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
    if (event == AVAHI_RESOLVER_FOUND && !search.found) {
        char text[AVAHI_ADDRESS_STR_MAX] = {};
        avahi_address_snprint(text, sizeof text, address);
        std::string numeric = text;
        const bool linkLocal = address->proto == AVAHI_PROTO_INET6 &&
                               address->data.ipv6.address[0] == 0xfe &&
                               (address->data.ipv6.address[1] & 0xc0) == 0x80;
        if (linkLocal) {
            numeric += "%" + std::to_string(interface);
        }
        search.found = DiscoveredService{name, numeric, port};
    }
    // A failed resolution is not fatal: another instance, or a later announcement, may resolve.
    avahi_service_resolver_free(resolver);
}

void onBrowsed(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
               AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
               AvahiLookupResultFlags, void* context) {
    auto& search = *static_cast<Search*>(context);
    if (event == AVAHI_BROWSER_NEW) {
        if (!avahi_service_resolver_new(search.client, interface, protocol, name, type, domain,
                                        AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0), onResolved,
                                        &search)) {
            search.failure =
                "cannot resolve '" + std::string(name) + "': " + avahiError(search.client);
        }
    } else if (event == AVAHI_BROWSER_FAILURE) {
        search.failure = "browsing failed: " + avahiError(search.client);
    }
}

void onClientState(AvahiClient* client, AvahiClientState state, void* context) {
    if (state == AVAHI_CLIENT_FAILURE) {
        static_cast<Search*>(context)->failure = "avahi-daemon failed: " + avahiError(client);
    }
}

}  // namespace

DiscoveredService discoverService(std::string_view type, std::chrono::duration<double> timeout) {
    const std::unique_ptr<AvahiSimplePoll, decltype(&avahi_simple_poll_free)> poll(
        avahi_simple_poll_new(), avahi_simple_poll_free);
    if (!poll) {
        throw std::runtime_error("out of memory");
    }
    Search search;
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
    while (!search.found && !search.failure) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            std::ostringstream message;
            message << "no " << typeText << " receiver found within " << timeout.count() << " s";
            throw std::runtime_error(message.str());
        }
        if (avahi_simple_poll_iterate(poll.get(), static_cast<int>(left.count())) != 0) {
            throw std::runtime_error("the Avahi event loop failed");
        }
    }
    if (search.failure) {
        throw std::runtime_error(*search.failure);
    }
    return *search.found;
}

}  // namespace tavo
