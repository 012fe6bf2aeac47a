#pragma once

#include <asio.hpp>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "kit/Bytes.h"

namespace tavo {

// The phone's end of one connection. Frames go out in the order given; every frame that arrives is
// printed as it comes ("status: csv"). All socket work runs on one I/O thread; the other methods
// may be called from any one thread.
class PhoneConnection {
  public:
    // Connects to the first endpoint that accepts. Throws std::system_error.
    PhoneConnection(const std::string& host, std::uint16_t port);
    ~PhoneConnection();

    PhoneConnection(const PhoneConnection&) = delete;
    PhoneConnection& operator=(const PhoneConnection&) = delete;

    void send(Bytes frame);
    // True once a status has arrived, false at the deadline or when the connection ended.
    bool waitForStatus(std::chrono::steady_clock::time_point deadline);
    // Returns once every frame given to send() is written, or the connection ended.
    void flush();
    // Returns after the given time, or earlier when the connection ended.
    void linger(std::chrono::duration<double> time);
    // Ends the stream after the frames given so far and waits, at most for the grace time, until
    // the receiver has ended its side too, so that it has read everything.
    void close(std::chrono::duration<double> grace);
    // Why the connection ended early, if it did.
    std::optional<std::string> failure() const;

  private:
    void readHeader();
    void readBody(std::size_t length);
    void printFrame();
    void writeQueued();
    void end(std::error_code error);

    asio::io_context io_;
    asio::ip::tcp::socket socket_;
    asio::steady_timer closeTimer_;
    std::thread thread_;

    // I/O thread only.
    std::vector<std::uint8_t> readBuffer_;
    std::vector<Bytes> writing_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Bytes> queued_;
    std::size_t unwritten_ = 0;
    std::size_t statusReplies_ = 0;
    std::optional<std::string> failure_;
    bool closing_ = false;
};

}  // namespace tavo
