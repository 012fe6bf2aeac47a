#pragma once

#include <asio/ip/tcp.hpp>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Connection.h"
#include "platform/network/NetworkContext.h"

namespace tavo {

// One accepted TCP connection. Every public operation is posted to the network thread; pending
// handlers own the connection, and receives are served one after another in the order made.
class AsioConnection : public Connection, public std::enable_shared_from_this<AsioConnection> {
  public:
    AsioConnection(std::shared_ptr<NetworkContext> context, asio::ip::tcp::socket socket,
                   PeerOrigin origin);

    void setStateUpdateHandler(std::function<void(ConnectionState)> handler) override;
    void start() override;
    void cancel() override;
    void receive(std::size_t minimumIncompleteLength, std::size_t maximumLength,
                 ReceiveCompletion completion) override;
    void send(Bytes content, SendCompletion completion) override;
    std::string remoteAddress() const override { return remoteAddress_; }
    PeerOrigin peerOrigin() const override { return origin_; }

    // The socket's descriptor, for inspection.
    int nativeHandle() { return socket_.native_handle(); }

  private:
    struct Receive {
        std::size_t minimum;
        std::size_t maximum;
        ReceiveCompletion completion;
        Bytes content;
    };
    struct Send {
        Bytes content;
        SendCompletion completion;
    };

    void report(ConnectionState::Kind kind, std::optional<NetworkError> error = std::nullopt);
    void fail(const asio::error_code& error);
    void serveReceive();
    void readSome(std::unique_ptr<Receive> receive);
    void finishReceive(std::unique_ptr<Receive> receive, bool isComplete,
                       std::optional<NetworkError> error);
    void queueSend(Send send);
    void writeFront();

    std::shared_ptr<NetworkContext> context_;
    asio::ip::tcp::socket socket_;
    const std::string remoteAddress_;
    const PeerOrigin origin_;
    std::function<void(ConnectionState)> stateHandler_;
    // Set once the connection has failed or was cancelled; every later operation gets it.
    std::optional<NetworkError> error_;
    bool started_ = false;
    bool cancelled_ = false;
    bool endOfStream_ = false;
    bool reading_ = false;
    std::deque<std::unique_ptr<Receive>> receives_;
    std::deque<Send> sends_;
};

}  // namespace tavo
