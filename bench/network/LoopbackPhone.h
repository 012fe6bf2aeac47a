#pragma once

#include <cstdint>
#include <thread>

#include "kit/Bytes.h"

namespace tavo {

// The phone's end of a loopback TCP connection for measurements: blocking writes from the caller's
// thread, and a thread that reads and discards whatever comes back, so that an echoing peer never
// stalls on a full buffer.
class LoopbackPhone {
  public:
    // Connects to 127.0.0.1. Throws std::system_error.
    explicit LoopbackPhone(std::uint16_t port);
    // Closes the connection and waits for the reading thread.
    ~LoopbackPhone();

    LoopbackPhone(const LoopbackPhone&) = delete;
    LoopbackPhone& operator=(const LoopbackPhone&) = delete;

    // Writes all of it. Throws std::system_error.
    void write(ByteView bytes);

  private:
    int socket_ = -1;
    std::thread reader_;
};

}  // namespace tavo
