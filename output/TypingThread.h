#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

#include "output/TextTyping.h"

namespace tavo {

// Types on a thread of its own, so that a slow route (remaps, D-Bus calls, compositor roundtrips)
// never holds the main thread. Texts and jobs run one after another in the order handed over.
// This queue is the one hand-over point between the main thread and typing.
class TypingThread final : public TextTyping {
  public:
    explicit TypingThread(TextTyping& typer);
    // Stops as stop() does.
    ~TypingThread() override;

    TypingThread(const TypingThread&) = delete;
    TypingThread& operator=(const TypingThread&) = delete;

    // Copies the text and returns at once; the text is typed after everything handed over before.
    void type(std::string_view text, bool pressReturn) override;
    // Runs job on the typing thread, in order with the texts.
    void run(std::function<void()> job);
    // Lets the text in hand finish, drops what waits behind it and joins the thread. Later texts
    // and jobs are dropped.
    void stop();

  private:
    void work();

    TextTyping& typer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tavo
