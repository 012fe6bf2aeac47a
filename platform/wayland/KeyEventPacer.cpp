#include "platform/wayland/KeyEventPacer.h"

#include <algorithm>
#include <thread>

namespace tavo {
namespace {

class SteadyPacerClock final : public PacerClock {
  public:
    std::chrono::steady_clock::time_point now() const override {
        return std::chrono::steady_clock::now();
    }
    bool sleepUntil(std::chrono::steady_clock::time_point time,
                    const TypingInterrupt* interrupt) override {
        if (interrupt != nullptr) {
            return interrupt->waitUntil(time);
        }
        std::this_thread::sleep_until(time);
        return true;
    }
};

}  // namespace

PacerClock& steadyPacerClock() {
    static SteadyPacerClock clock;
    return clock;
}

KeyEventPacer::KeyEventPacer(double eventsPerSecond, std::size_t burst, PacerClock& clock)
    : interval_(1.0 / eventsPerSecond), burst_(burst), clock_(clock) {}

// The events may go once no more than a burst is left unpaid at the ceiling rate.
bool KeyEventPacer::await(std::size_t events, const TypingInterrupt* interrupt) {
    using std::chrono::steady_clock;
    const auto cost = [this](std::size_t count) {
        return std::chrono::duration_cast<steady_clock::duration>(interval_ *
                                                                  static_cast<double>(count));
    };
    const steady_clock::time_point now = clock_.now();
    const steady_clock::time_point paid = std::max(paidUntil_, now) + cost(events);
    if (const steady_clock::time_point allowed = paid - cost(burst_);
        allowed > now && !clock_.sleepUntil(allowed, interrupt)) {
        return false;
    }
    paidUntil_ = paid;
    return true;
}

}  // namespace tavo
