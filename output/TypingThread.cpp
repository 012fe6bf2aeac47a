#include "output/TypingThread.h"

#include <pthread.h>

#include <string>

namespace tavo {

TypingThread::TypingThread(TextTyping& typer) : typer_(typer), thread_([this] { work(); }) {}

TypingThread::~TypingThread() {
    stop();
}

void TypingThread::type(std::string_view text, bool pressReturn) {
    run([this, text = std::string(text), pressReturn] { typer_.type(text, pressReturn); });
}

void TypingThread::run(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void TypingThread::stop() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(jobs_);
    }
    wake_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TypingThread::work() {
    pthread_setname_np(pthread_self(), "tavo.typing");
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

}  // namespace tavo
