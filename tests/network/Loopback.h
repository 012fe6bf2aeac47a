#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <utility>

#include "kit/Bytes.h"

namespace tavo::test {

inline constexpr std::chrono::seconds patience(10);

// Values handed over from the network thread to the test thread.
template <typename T>
class Mailbox {
  public:
    // Notifies under the lock: a waiter may destroy the mailbox as soon as it has the value.
    void push(T value) {
        std::lock_guard lock(mutex_);
        values_.push_back(std::move(value));
        pushed_.notify_all();
    }

    // The oldest value, or nothing when none comes within the patience.
    std::optional<T> pop() {
        std::unique_lock lock(mutex_);
        if (!pushed_.wait_for(lock, patience, [&] { return !values_.empty(); })) {
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

// A blocking TCP peer over IPv4 loopback, as a phone would be. Reads give up after the patience.
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
        const timeval timeout{patience.count(), 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    }
    Peer(Peer&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Peer& operator=(Peer&&) = delete;
    ~Peer() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    // A blocking send on a stream socket sends everything or fails.
    void write(ByteView bytes) {
        if (::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("cannot write to the listener");
        }
    }

    // Exactly count bytes, or fewer when the stream ends or nothing comes in time.
    Bytes read(std::size_t count) {
        Bytes bytes(count);
        bytes.resize(std::max<ssize_t>(::recv(fd_, bytes.data(), count, MSG_WAITALL), 0));
        return bytes;
    }

    // Whether the other side ends the stream (closes or resets) before the reads give up.
    bool ended() {
        std::uint8_t buffer[4096];
        ssize_t got = 0;
        while ((got = ::recv(fd_, buffer, sizeof buffer, 0)) > 0) {
        }
        return got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
    }

    void endStream() { ::shutdown(fd_, SHUT_WR); }

    // Closes with a reset instead of an orderly end.
    void reset() {
        const linger abort{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        ::close(std::exchange(fd_, -1));
    }

  private:
    int fd_;
};

}  // namespace tavo::test
