#include "platform/network/AsioConnection.h"

#include <algorithm>
#include <asio/error.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>
#include <utility>

#include "platform/Log.h"
#include "platform/network/LocalNetworks.h"

namespace tavo {

namespace {

std::string remoteAddressOf(const asio::ip::tcp::socket& socket) {
    asio::error_code error;
    const auto endpoint = socket.remote_endpoint(error);
    return error ? std::string() : addressText(endpoint.address());
}

// The most a single read asks for; larger receives grow as the bytes arrive, so that a peer that
// announces much and sends little costs little.
constexpr std::size_t readChunk = 64 * 1024;

}  // namespace

AsioConnection::AsioConnection(std::shared_ptr<NetworkContext> context,
                               asio::ip::tcp::socket socket, PeerOrigin origin)
    : context_(std::move(context)),
      socket_(std::move(socket)),
      remoteAddress_(remoteAddressOf(socket_)),
      origin_(std::move(origin)) {}

void AsioConnection::setStateUpdateHandler(std::function<void(ConnectionState)> handler) {
    context_->post([self = shared_from_this(), handler = std::move(handler)]() mutable {
        // A cancelled connection reports nothing more and holds on to nothing.
        if (!self->cancelled_) {
            self->stateHandler_ = std::move(handler);
        }
    });
}

void AsioConnection::start() {
    context_->post([self = shared_from_this()] {
        if (self->started_ || self->error_) {
            return;
        }
        self->started_ = true;
        self->report(ConnectionState::Kind::setup);
        self->report(ConnectionState::Kind::preparing);
        self->report(ConnectionState::Kind::ready);
    });
}

void AsioConnection::cancel() {
    context_->post([self = shared_from_this()] {
        if (self->cancelled_) {
            return;
        }
        self->cancelled_ = true;
        if (!self->error_) {
            self->error_ = NetworkError{asio::error_code(asio::error::operation_aborted).message()};
        }
        // Closing ends the pending read and write, whose handlers pass the error on.
        asio::error_code ignored;
        self->socket_.close(ignored);
        self->report(ConnectionState::Kind::cancelled);
        self->stateHandler_ = nullptr;
    });
}

void AsioConnection::receive(std::size_t minimumIncompleteLength, std::size_t maximumLength,
                             ReceiveCompletion completion) {
    auto receive =
        std::make_unique<Receive>(Receive{std::min(minimumIncompleteLength, maximumLength),
                                          maximumLength,
                                          std::move(completion),
                                          {}});
    context_->post([self = shared_from_this(), receive = std::move(receive)]() mutable {
        self->receives_.push_back(std::move(receive));
        self->serveReceive();
    });
}

void AsioConnection::send(Bytes content, SendCompletion completion) {
    context_->post([self = shared_from_this(),
                    send = Send{std::move(content), std::move(completion)}]() mutable {
        self->queueSend(std::move(send));
    });
}

void AsioConnection::report(ConnectionState::Kind kind, std::optional<NetworkError> error) {
    constexpr const char* names[] = {"setup", "preparing", "waiting",
                                     "ready", "failed",    "cancelled"};
    log::detail("connection ", names[static_cast<int>(kind)],
                error ? ": " + error->localizedDescription : std::string());
    if (stateHandler_) {
        stateHandler_(ConnectionState{kind, std::move(error)});
    }
}

void AsioConnection::fail(const asio::error_code& error) {
    if (error_) {
        return;
    }
    error_ = NetworkError{error.message()};
    asio::error_code ignored;
    socket_.close(ignored);
    report(ConnectionState::Kind::failed, error_);
}

void AsioConnection::serveReceive() {
    while (!reading_ && !receives_.empty()) {
        auto receive = std::move(receives_.front());
        receives_.pop_front();
        if (error_) {
            finishReceive(std::move(receive), endOfStream_, error_);
        } else if (receive->maximum == 0) {
            finishReceive(std::move(receive), endOfStream_, std::nullopt);
        } else if (endOfStream_) {
            finishReceive(std::move(receive), true, std::nullopt);
        } else {
            readSome(std::move(receive));
        }
    }
}

void AsioConnection::readSome(std::unique_ptr<Receive> receive) {
    reading_ = true;
    Bytes& content = receive->content;
    const std::size_t have = content.size();
    const std::size_t chunk = std::min(receive->maximum - have, readChunk);
    if (have + chunk > content.capacity()) {
        // Grow as a vector would, but never beyond what this receive may return.
        content.reserve(std::min(receive->maximum, std::max(2 * content.capacity(), have + chunk)));
    }
    content.resize(have + chunk);
    const auto buffer = asio::buffer(content.data() + have, chunk);
    socket_.async_read_some(buffer, [self = shared_from_this(), receive = std::move(receive), have](
                                        const asio::error_code& error, std::size_t read) mutable {
        self->reading_ = false;
        receive->content.resize(have + read);
        if (error == asio::error::eof) {
            self->endOfStream_ = true;
            self->finishReceive(std::move(receive), true, std::nullopt);
        } else if (error) {
            self->fail(error);
            self->finishReceive(std::move(receive), false, self->error_);
        } else if (receive->content.size() < std::max<std::size_t>(receive->minimum, 1)) {
            self->readSome(std::move(receive));
            return;
        } else {
            self->finishReceive(std::move(receive), false, std::nullopt);
        }
        self->serveReceive();
    });
}

void AsioConnection::finishReceive(std::unique_ptr<Receive> receive, bool isComplete,
                                   std::optional<NetworkError> error) {
    if (!receive->completion) {
        return;
    }
    std::optional<Bytes> content;
    if (!receive->content.empty() || (receive->maximum == 0 && !error)) {
        content = std::move(receive->content);
    }
    receive->completion(std::move(content), isComplete, std::move(error));
}

void AsioConnection::queueSend(Send send) {
    if (error_) {
        if (send.completion) {
            send.completion(error_);
        }
        return;
    }
    sends_.push_back(std::move(send));
    if (sends_.size() == 1) {
        writeFront();
    }
}

void AsioConnection::writeFront() {
    asio::async_write(socket_, asio::buffer(sends_.front().content),
                      [self = shared_from_this()](const asio::error_code& error, std::size_t) {
                          Send done = std::move(self->sends_.front());
                          self->sends_.pop_front();
                          if (error) {
                              self->fail(error);
                          }
                          if (done.completion) {
                              done.completion(error ? self->error_ : std::nullopt);
                          }
                          if (self->error_) {
                              while (!self->sends_.empty()) {
                                  Send dropped = std::move(self->sends_.front());
                                  self->sends_.pop_front();
                                  if (dropped.completion) {
                                      dropped.completion(self->error_);
                                  }
                              }
                          } else if (!self->sends_.empty()) {
                              self->writeFront();
                          }
                      });
}

}  // namespace tavo
