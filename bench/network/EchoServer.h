#pragma once

#include <array>
#include <asio.hpp>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <thread>

namespace tavo {

// The baseline: a bare asio echo server on one thread for one connection. It writes back every
// chunk it reads and, following the length headers in the stream, calls onFrame on its thread as
// each frame is complete, without decoding anything.
class EchoServer {
  public:
    explicit EchoServer(std::function<void()> onFrame);
    // Stops the thread.
    ~EchoServer();

    EchoServer(const EchoServer&) = delete;
    EchoServer& operator=(const EchoServer&) = delete;

    std::uint16_t port() const { return port_; }

  private:
    void readChunk();
    void countFrames(std::size_t length);

    std::function<void()> onFrame_;
    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_;
    asio::ip::tcp::socket socket_;
    std::array<std::uint8_t, 64 * 1024> chunk_;
    std::array<std::uint8_t, 4> header_;
    std::size_t headerFill_ = 0;
    std::size_t bodyLeft_ = 0;
    std::uint16_t port_;
    std::thread thread_;
};

}  // namespace tavo
