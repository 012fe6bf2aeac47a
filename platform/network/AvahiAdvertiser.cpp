#include "platform/network/AvahiAdvertiser.h"

#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>

#include <utility>

#include "platform/Log.h"

namespace tavo {

namespace {

// How long to wait before trying again to reach a system bus that is not there.
constexpr std::chrono::seconds retryDelay(3);
// Alternative names tried for one registration before giving up.
constexpr int renameLimit = 100;

// Errors of the way to the daemon rather than of the service: they pass with a new client.
bool isTransient(int error) {
    switch (error) {
        case AVAHI_ERR_DISCONNECTED:
        case AVAHI_ERR_NO_DAEMON:
        case AVAHI_ERR_DBUS_ERROR:
        case AVAHI_ERR_TIMEOUT:
        case AVAHI_ERR_BAD_STATE:
        case AVAHI_ERR_NO_MEMORY:
            return true;
        default:
            return false;
    }
}

}  // namespace

AvahiAdvertiser::AvahiAdvertiser(asio::io_context& io, ServiceAdvertisement service,
                                 std::uint16_t port, StatusHandler handler)
    : poll_(io),
      reconnectTimer_(io),
      service_(std::move(service)),
      port_(port),
      handler_(std::move(handler)),
      name_(service_.name.value_or("")) {}

AvahiAdvertiser::~AvahiAdvertiser() {
    disconnect();
}

void AvahiAdvertiser::start() {
    connect();
}

void AvahiAdvertiser::connect() {
    int error = AVAHI_OK;
    // With NO_FAIL the client waits for a daemon that is not running yet; it still fails when
    // the system bus cannot be reached.
    client_ = avahi_client_new(poll_.api(), AVAHI_CLIENT_NO_FAIL, onClientState, this, &error);
    if (!client_) {
        // The client freed whatever its callbacks made.
        group_ = nullptr;
        report(Status::unreachable, error);
        reconnect(retryDelay);
    }
}

void AvahiAdvertiser::disconnect() {
    if (client_) {
        avahi_client_free(client_);
    }
    client_ = nullptr;
    group_ = nullptr;
}

void AvahiAdvertiser::reconnect(std::chrono::milliseconds delay) {
    reconnectTimer_.expires_after(delay);
    reconnectTimer_.async_wait([advertiser = weak_from_this()](const asio::error_code& error) {
        const auto self = advertiser.lock();
        if (error || !self) {
            return;
        }
        self->disconnect();
        self->connect();
    });
}

void AvahiAdvertiser::onClientState(AvahiClient* client, AvahiClientState state, void* userdata) {
    auto& self = *static_cast<AvahiAdvertiser*>(userdata);
    switch (state) {
        case AVAHI_CLIENT_S_RUNNING:
            self.publish(client);
            break;
        case AVAHI_CLIENT_S_COLLISION:
        case AVAHI_CLIENT_S_REGISTERING:
            // The daemon is renaming the host: our records go, and come back once it runs.
            if (self.group_) {
                avahi_entry_group_reset(self.group_);
            }
            break;
        case AVAHI_CLIENT_CONNECTING:
            self.report(Status::unreachable, AVAHI_ERR_NO_DAEMON);
            break;
        case AVAHI_CLIENT_FAILURE: {
            // A daemon restart shows as a lost connection: a new client waits for the daemon.
            const int error = avahi_client_errno(client);
            self.report(Status::unreachable, error);
            self.reconnect(error == AVAHI_ERR_DISCONNECTED ? std::chrono::milliseconds(0)
                                                           : retryDelay);
            break;
        }
    }
}

void AvahiAdvertiser::onGroupState(AvahiEntryGroup* group, AvahiEntryGroupState state,
                                   void* userdata) {
    auto& self = *static_cast<AvahiAdvertiser*>(userdata);
    switch (state) {
        case AVAHI_ENTRY_GROUP_ESTABLISHED:
            log::detail("advertised as \"", self.name_, "\" (", self.service_.type, ")");
            self.report(Status::registered, AVAHI_OK);
            break;
        case AVAHI_ENTRY_GROUP_COLLISION:
            // Another host on the link has this name.
            self.rename();
            avahi_entry_group_reset(group);
            self.publish(avahi_entry_group_get_client(group));
            break;
        case AVAHI_ENTRY_GROUP_FAILURE:
            self.fail(avahi_client_errno(avahi_entry_group_get_client(group)));
            break;
        case AVAHI_ENTRY_GROUP_UNCOMMITED:
        case AVAHI_ENTRY_GROUP_REGISTERING:
            break;
    }
}

void AvahiAdvertiser::publish(AvahiClient* client) {
    if (refused_) {
        return;
    }
    if (!group_) {
        group_ = avahi_entry_group_new(client, onGroupState, this);
        if (!group_) {
            fail(avahi_client_errno(client));
            return;
        }
    }
    if (!avahi_entry_group_is_empty(group_)) {
        return;
    }
    if (name_.empty()) {
        const char* hostName = avahi_client_get_host_name(client);
        if (!hostName) {
            fail(avahi_client_errno(client));
            return;
        }
        name_ = hostName;
    }
    const char* domain = service_.domain ? service_.domain->c_str() : nullptr;
    int result = AVAHI_ERR_COLLISION;
    for (int attempt = 0; attempt < renameLimit && result == AVAHI_ERR_COLLISION; ++attempt) {
        // No TXT record.
        result = avahi_entry_group_add_service_strlst(
            group_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, static_cast<AvahiPublishFlags>(0),
            name_.c_str(), service_.type.c_str(), domain, nullptr, port_, nullptr);
        if (result == AVAHI_ERR_COLLISION) {
            // A service of this host already has the name.
            rename();
        }
    }
    if (result >= 0) {
        result = avahi_entry_group_commit(group_);
    }
    if (result < 0) {
        fail(result);
    }
}

void AvahiAdvertiser::fail(int error) {
    if (isTransient(error)) {
        report(Status::unreachable, error);
        reconnect(retryDelay);
    } else {
        refused_ = true;
        report(Status::failed, error);
    }
}

void AvahiAdvertiser::rename() {
    char* alternative = avahi_alternative_service_name(name_.c_str());
    name_ = alternative;
    avahi_free(alternative);
}

void AvahiAdvertiser::report(Status status, int error) {
    handler_(status, status == Status::registered ? std::string() : avahi_strerror(error));
}

}  // namespace tavo
