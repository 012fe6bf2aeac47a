#pragma once

#include <chrono>
#include <thread>

namespace tavo::testing {

// Polls `done` until it holds or `timeout` passes; returns whether it held.
template <typename Predicate>
bool waitUntil(Predicate&& done,
               std::chrono::steady_clock::duration timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace tavo::testing
