#include "output/TypingThread.h"

#include <pthread.h>

#include <string>

namespace tavo {

TypingThread::TypingThread(TextTyping& typer, TypingInterrupt& interrupt, Settled settled)
    : typer_(typer),
      interrupt_(interrupt),
      settled_(std::move(settled)),
      thread_([this] { work(); }) {}

TypingThread::~TypingThread() {
    stop();
}

void TypingThread::type(std::string_view text, bool pressReturn) {
    hand([this, text = std::string(text), pressReturn] { typer_.type(text, pressReturn); }, true);
}

void TypingThread::run(std::function<void()> job) {
    hand(std::move(job), false);
}

void TypingThread::hand(std::function<void()> work, bool isText) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) {
            return;
        }
        jobs_.push_back({std::move(work), interrupt_.generation(), isText});
    }
    wake_.notify_one();
}

void TypingThread::interrupt() {
    interrupt_.interrupt();
}

void TypingThread::stop() {
    std::deque<Job> dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(jobs_);
    }
    interrupt_.interrupt();
    wake_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TypingThread::work() {
    pthread_setname_np(pthread_self(), "tavo.typing");
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        interrupt_.begin(job.generation);
        // A text interrupted before its turn is dropped without a key.
        if (!job.isText || !interrupt_.isCut()) {
            job.work();
        }
        if (job.isText && settled_) {
            settled_(!interrupt_.isCut());
        }
    }
}

}  // namespace tavo
