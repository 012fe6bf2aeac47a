#include "tests/support/x11/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

namespace tavo::testing {
namespace {

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& additions) {
    std::vector<std::string> merged(additions);
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('=') + 1);
        bool overridden = false;
        for (const std::string& addition : additions) {
            overridden = overridden || addition.rfind(name, 0) == 0;
        }
        if (!overridden) {
            merged.push_back(text);
        }
    }
    return merged;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
    int output[2];
    int side[2];
    if (pipe2(output, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    if (pipe2(side, O_CLOEXEC) != 0) {
        close(output[0]);
        close(output[1]);
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, side[1], sideChannel);
    std::vector<std::string> argumentCopy(arguments);
    std::vector<std::string> environmentCopy = mergedEnvironment(environment);
    std::vector<char*> argv = pointersTo(argumentCopy);
    std::vector<char*> envp = pointersTo(environmentCopy);
    const int spawned = posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    close(side[1]);
    output_ = output[0];
    side_ = side[0];
    if (spawned != 0) {
        close(output_);
        close(side_);
        throw std::runtime_error("cannot start " + arguments.front());
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        stop();
    }
    close(output_);
    close(side_);
}

std::optional<std::string> ChildProcess::readLine(std::chrono::steady_clock::duration timeout) {
    return readLineFrom(output_, outputBuffer_, timeout);
}

std::optional<std::string> ChildProcess::readSideLine(std::chrono::steady_clock::duration timeout) {
    return readLineFrom(side_, sideBuffer_, timeout);
}

std::optional<std::string> ChildProcess::readLineFrom(int fd, std::string& buffer,
                                                      std::chrono::steady_clock::duration timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const auto end = buffer.find('\n'); end != std::string::npos) {
            std::string line = buffer.substr(0, end);
            buffer.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char chunk[256];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got <= 0) {
            return std::nullopt;
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

int ChildProcess::stop(bool terminate) {
    if (pid_ <= 0) {
        return -1;
    }
    if (terminate) {
        kill(pid_, SIGTERM);
    }
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment) {
    ChildProcess child(arguments, environment);
    return child.stop(false);
}

}  // namespace tavo::testing
