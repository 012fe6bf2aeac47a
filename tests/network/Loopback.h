#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "kit/Bytes.h"

namespace tavo::test {

inline constexpr std::chrono::seconds patience(10);

// Values handed over from the network thread to the test thread.
template <typename T>
class Mailbox {
  public:
    void push(T value) {
        {
            std::lock_guard lock(mutex_);
            values_.push_back(std::move(value));
        }
        pushed_.notify_all();
    }

    // The oldest value, waiting for one until the timeout passes.
    std::optional<T> pop(std::chrono::milliseconds timeout = patience) {
        std::unique_lock lock(mutex_);
        if (!pushed_.wait_for(lock, timeout, [&] { return !values_.empty(); })) {
            return std::nullopt;
        }
        T value = std::move(values_.front());
        values_.pop_front();
        return value;
    }

  private:
    std::mutex mutex_;
    std::condition_variable pushed_;
    std::deque<T> values_;
};

// One frame as a phone sends it: big-endian length, then the body.
inline Bytes frame(std::string_view body) {
    const auto length = static_cast<std::uint32_t>(body.size());
    Bytes bytes{static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
                static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

// The parts one after another, as one segment.
template <typename... Parts>
Bytes joined(const Parts&... parts) {
    Bytes bytes;
    (bytes.insert(bytes.end(), parts.begin(), parts.end()), ...);
    return bytes;
}

// A blocking TCP peer over IPv4 loopback, as a phone would be.
class Peer {
  public:
    explicit Peer(std::uint16_t port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            throw std::runtime_error("cannot connect to the listener");
        }
        const int on = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    Peer(Peer&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Peer& operator=(Peer&&) = delete;
    ~Peer() { close(); }

    void write(ByteView bytes) {
        while (!bytes.empty()) {
            const auto written = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (written <= 0) {
                throw std::runtime_error("cannot write to the listener");
            }
            bytes = bytes.subspan(static_cast<std::size_t>(written));
        }
    }

    // One write per byte: every boundary of the stream falls between two writes.
    void writeEachByte(ByteView bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            write(bytes.subspan(i, 1));
        }
    }

    // Exactly count bytes, or fewer when the stream ends or nothing comes in time.
    Bytes read(std::size_t count, std::chrono::milliseconds timeout = patience) {
        Bytes bytes;
        std::uint8_t buffer[4096];
        while (bytes.size() < count && readable(timeout)) {
            const auto got = ::recv(fd_, buffer, std::min(sizeof buffer, count - bytes.size()), 0);
            if (got <= 0) {
                break;
            }
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

    // Whether the other side ends the stream (closes or resets) within the timeout.
    bool ended(std::chrono::milliseconds timeout = patience) {
        std::uint8_t buffer[4096];
        while (readable(timeout)) {
            if (::recv(fd_, buffer, sizeof buffer, 0) <= 0) {
                return true;
            }
        }
        return false;
    }

    void endStream() { ::shutdown(fd_, SHUT_WR); }

    // Closes with a reset instead of an orderly end.
    void reset() {
        const linger abort{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        close();
    }

    void close() {
        if (fd_ >= 0) {
            ::close(std::exchange(fd_, -1));
        }
    }

  private:
    bool readable(std::chrono::milliseconds timeout) {
        pollfd entry{fd_, POLLIN, 0};
        return ::poll(&entry, 1, static_cast<int>(timeout.count())) > 0;
    }

    int fd_;
};

}  // namespace tavo::test
