#include "app/QuitOnSignals.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>

namespace tavo {
namespace {

constexpr std::array quitSignals{SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, for the signal handler, which may do little else.
volatile sig_atomic_t signalPipe = -1;
volatile sig_atomic_t signalled = 0;

// The first signal asks for the orderly end; a second one, while that is under way, ends the
// process at once, as the signal's default action would have.
void onSignal(int signal) {
    if (signalled != 0) {
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
        raise(signal);
        return;
    }
    signalled = 1;
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = write(signalPipe, &byte, 1);
    errno = saved;
}

}  // namespace

QuitOnSignals::QuitOnSignals() {
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signalPipe = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(pipe_[0], bytes, sizeof bytes) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : quitSignals) {
        sigaction(signal, &action, nullptr);
    }
}

QuitOnSignals::~QuitOnSignals() {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (const int signal : quitSignals) {
        sigaction(signal, &action, nullptr);
    }
    notifier_.reset();
    signalPipe = -1;
    close(pipe_[0]);
    close(pipe_[1]);
}

}  // namespace tavo
