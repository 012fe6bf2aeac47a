#include "platform/network/AsioQueue.h"

#include <pthread.h>

#include <asio/executor_work_guard.hpp>
#include <exception>

#include "platform/Log.h"

namespace tavo {

AsioQueue::AsioQueue(const std::string& label) {
    thread_ = std::thread([context = context_, label] {
        // Thread names are limited to 15 characters.
        pthread_setname_np(pthread_self(), label.substr(0, 15).c_str());
        auto work = asio::make_work_guard(context->io());
        for (;;) {
            try {
                context->io().run();
                return;
            } catch (const std::exception& error) {
                // A handler that throws loses only its own job; the queue goes on.
                log::warning("network job failed: ", error.what());
            } catch (...) {
                log::warning("network job failed with an exception of unknown type");
            }
        }
    });
}

AsioQueue::~AsioQueue() {
    context_->io().stop();
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Destroyed by one of its own jobs: the thread ends once that job returns.
        thread_.detach();
        return;
    }
    thread_.join();
    context_->close();
}

}  // namespace tavo
