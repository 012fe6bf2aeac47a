#include <algorithm>

#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"
#include "receiver/ScanListener.h"

namespace tavo {

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
                           } catch (const DecodingError&) {
                               // Dropped; the next frame starts right after this body.
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
        mainThread.post([service = service, peer = peer] {
            if (const auto self = service.lock()) {
                self->cancelIfActive(peer);
            }
        });
        return;
    }
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
