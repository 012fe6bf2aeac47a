#pragma once

#include <chrono>
#include <cstddef>

#include "platform/TypingInterrupt.h"

namespace tavo {

// Ceilings on the key events a route sends per second. libwayland-server 1.21 disconnects a
// window whose queued events outgrow its socket's buffer (about 200 KiB, where each write costs
// some 600 bytes besides its data), so a window that stops reading for a while must not be
// flooded. Measured with EAN-13 scans into a window stopped for 5 s: sway and KWin write each
// scan to the window at once and dropped it after 167 to 173 scans, whatever the rate or load.
// Mutter splits a scan into several writes, the more the busier it is and the faster keys come:
// beside a second compositor typing, it dropped the window after 66 to 94 scans at 1,600 key
// events a second (a stop of 1 s then already failed) and after 80 to 99 at 1,000. A window may
// thus stop reading for 1.1 s on sway and KWin and for about 2 s on Mutter; 1,000 scans take
// 6.5 s through a Wayland protocol (about 11x faster than wtype, our target is 10x) and 28 s
// through D-Bus.
inline constexpr double protocolKeyEventsPerSecond = 4300;
inline constexpr double dbusKeyEventsPerSecond = 1000;
// What may go at once after a pause: a few scans, and the largest piece of a long text.
inline constexpr std::size_t keyEventBurst = 100;

// Where a pacer reads the time and waits; a test's clock advances instead of sleeping.
class PacerClock {
  public:
    virtual ~PacerClock() = default;
    virtual std::chrono::steady_clock::time_point now() const = 0;
    // Ends early, returning false, when the interrupt (if any) cuts what is being typed.
    virtual bool sleepUntil(std::chrono::steady_clock::time_point time,
                            const TypingInterrupt* interrupt) = 0;
};

PacerClock& steadyPacerClock();

// Holds key events to a ceiling: at most `burst` at once after a pause, and `eventsPerSecond`
// on average. A window that stops reading for a while then finds at most burst + rate x pause
// events queued for it.
class KeyEventPacer {
  public:
    KeyEventPacer(double eventsPerSecond, std::size_t burst, PacerClock& clock);

    std::size_t burst() const { return burst_; }
    // Waits until `events` more may go; false when the interrupt cut the wait short, and the
    // events then count as not sent.
    bool await(std::size_t events, const TypingInterrupt* interrupt = nullptr);

  private:
    std::chrono::duration<double> interval_;  // per event
    std::size_t burst_;
    PacerClock& clock_;
    // When all events let through so far are paid for at the ceiling rate.
    std::chrono::steady_clock::time_point paidUntil_{};
};

}  // namespace tavo
