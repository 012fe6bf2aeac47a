#include "bench/network/EchoServer.h"

#include <algorithm>

#include "kit/TavoFraming.h"

namespace tavo {

EchoServer::EchoServer(std::function<void()> onFrame)
    : onFrame_(std::move(onFrame)),
      acceptor_(io_, asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), 0)),
      socket_(io_),
      port_(acceptor_.local_endpoint().port()) {
    acceptor_.async_accept(socket_, [this](std::error_code error) {
        if (!error) {
            socket_.set_option(asio::ip::tcp::no_delay(true));
            readChunk();
        }
    });
    thread_ = std::thread([this] { io_.run(); });
}

EchoServer::~EchoServer() {
    io_.stop();
    thread_.join();
}

void EchoServer::readChunk() {
    socket_.async_read_some(asio::buffer(chunk_),
                            [this](std::error_code error, std::size_t length) {
                                if (error) {
                                    return;
                                }
                                countFrames(length);
                                asio::async_write(socket_, asio::buffer(chunk_, length),
                                                  [this](std::error_code error, std::size_t) {
                                                      if (!error) {
                                                          readChunk();
                                                      }
                                                  });
                            });
}

void EchoServer::countFrames(std::size_t length) {
    for (std::size_t at = 0; at < length;) {
        if (headerFill_ < header_.size()) {
            const std::size_t take = std::min(header_.size() - headerFill_, length - at);
            std::copy_n(chunk_.begin() + at, take, header_.begin() + headerFill_);
            headerFill_ += take;
            at += take;
            if (headerFill_ < header_.size()) {
                break;
            }
            bodyLeft_ = *TavoFraming::decodeLength(header_);
        } else {
            const std::size_t take = std::min(bodyLeft_, length - at);
            bodyLeft_ -= take;
            at += take;
        }
        if (headerFill_ == header_.size() && bodyLeft_ == 0) {
            headerFill_ = 0;
            onFrame_();
        }
    }
}

}  // namespace tavo
