#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

#include "output/TextTyping.h"
#include "platform/TypingInterrupt.h"

namespace tavo {

// Types on a thread of its own, so that a slow route (remaps, D-Bus calls, compositor roundtrips)
// never holds the main thread. Texts and jobs run one after another in the order handed over.
// This queue is the one hand-over point between the main thread and typing.
//
// Each text and job is handed over under the interrupt's generation of that moment: an
// interruption cuts the text in hand at its next key boundary and drops the texts handed over
// before it (jobs still run, cut short where they wait). Every text is settled, in order.
class TypingThread final : public TextTyping {
  public:
    // How a text ended; called on the typing thread, once per text and in order. typedWhole is
    // false for a text that was cut or dropped.
    using Settled = std::function<void(bool typedWhole)>;

    // The typer must cut its texts where `interrupt` says.
    TypingThread(TextTyping& typer, TypingInterrupt& interrupt, Settled settled = {});
    // Stops as stop() does.
    ~TypingThread() override;

    TypingThread(const TypingThread&) = delete;
    TypingThread& operator=(const TypingThread&) = delete;

    // Copies the text and returns at once; the text is typed after everything handed over before.
    void type(std::string_view text, bool pressReturn) override;
    // Runs job on the typing thread, in order with the texts.
    void run(std::function<void()> job);
    // Cuts the text in hand and drops every text handed over so far. Any thread.
    void interrupt();
    // Cuts the text in hand at its next key boundary, drops what waits behind it and joins the
    // thread. Later texts and jobs are dropped; of all these only the text in hand is settled.
    void stop();

  private:
    struct Job {
        std::function<void()> work;
        std::uint64_t generation;
        bool isText;
    };

    void hand(std::function<void()> work, bool isText);
    void work();

    TextTyping& typer_;
    TypingInterrupt& interrupt_;
    Settled settled_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tavo
