#include <algorithm>

#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"
#include "platform/Log.h"
#include "receiver/ScanListener.h"

namespace tavo {

namespace {

// Kind and path only: the error's description can quote the body, and so a scan value.
void warnDropped(const DecodingError& error) {
    constexpr const char* kinds[] = {"key not found", "value not found", "type mismatch",
                                     "data corrupted"};
    std::string path;
    for (const std::string& key : error.codingPath()) {
        path += (path.empty() ? "" : ".") + key;
    }
    log::warning("frame dropped: ", kinds[static_cast<int>(error.kind())], " at ",
                 path.empty() ? "the top level" : "\"" + path + "\"");
}

}  // namespace

void ScanListener::ReceiveLoop::receiveHeader() const {
    Connection& reader = *peer->connection;
    reader.receive(TavoFraming::headerLength, TavoFraming::headerLength,
                   [loop = *this](std::optional<Bytes> content, bool isComplete,
                                  std::optional<NetworkError> error) {
                       if (loop.service.expired()) {
                           return;
                       }
                       const auto length =
                           content ? TavoFraming::decodeLength(*content) : std::nullopt;
                       if (!length) {
                           loop.stop(isComplete, std::move(error));
                       } else if (*length > maximumBodyLength) {
                           log::warning("frame dropped: its body is over 1 MiB");
                           loop.discardBody(*length);
                       } else {
                           loop.receiveBody(*length);
                       }
                   });
}

void ScanListener::ReceiveLoop::receiveBody(std::uint32_t length) const {
    Connection& reader = *peer->connection;
    reader.receive(length, length,
                   [loop = *this](std::optional<Bytes> content, bool, std::optional<NetworkError>) {
                       if (loop.service.expired()) {
                           return;
                       }
                       if (content) {
                           try {
                               auto message = TavoFraming::decode(*content);
                               if (auto self = loop.service.lock()) {
                                   loop.mainThread.post([self = std::move(self), peer = loop.peer,
                                                         message = std::move(message)] {
                                       self->handleMessage(peer, message);
                                   });
                               }
                           } catch (const DecodingError& error) {
                               // Dropped; the next frame starts right after this body.
                               warnDropped(error);
                           }
                       }
                       loop.receiveHeader();
                   });
}

void ScanListener::ReceiveLoop::discardBody(std::size_t remaining) const {
    Connection& reader = *peer->connection;
    reader.receive(
        1, std::min(remaining, discardChunkLength),
        [loop = *this, remaining](std::optional<Bytes> content, bool, std::optional<NetworkError>) {
            if (loop.service.expired()) {
                return;
            }
            const auto received = content ? std::min(content->size(), remaining) : 0;
            // Nothing received means the stream ended or failed; the header receive tells which.
            if (received == 0 || received == remaining) {
                loop.receiveHeader();
            } else {
                loop.discardBody(remaining - received);
            }
        });
}

void ScanListener::ReceiveLoop::stop(bool isComplete, std::optional<NetworkError> error) const {
    // The end of the stream takes precedence over an error, and is not reported. Either way the
    // connection is cancelled, so that its cancelled state tells the panel the phone has gone.
    if (isComplete) {
        log::detail("the phone ended the connection");
        mainThread.post([service = service, peer = peer] {
            if (const auto self = service.lock()) {
                self->cancelIfActive(peer);
            }
        });
        return;
    }
    log::warning("connection lost: ", error ? error->localizedDescription : "no frame header");
    if (auto self = service.lock()) {
        mainThread.post([self = std::move(self), peer = peer, error = std::move(error)] {
            if (peer == self->activePeer_) {
                self->publish(self->lastError_, description(error));
            }
            self->cancelIfActive(peer);
        });
    }
}

}  // namespace tavo
