#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tavo::testing {

// A program we start and stop ourselves, by its PID. Its standard output can be read line by
// line; its standard error goes to ours.
class ChildProcess {
  public:
    // `environment` entries ("NAME=value") are added to ours. Throws std::runtime_error when
    // nothing can be started; a program that is not found exits with status 127.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of standard output without its newline; nothing on end of output or when
    // the deadline passes first.
    std::optional<std::string> readLine(std::chrono::steady_clock::duration timeout);
    // True once the program has ended; it is reaped then.
    bool hasExited();
    // Waits for the exit status; terminates the child first when `terminate`.
    int stop(bool terminate = true);
    // For signals other than stop()'s.
    pid_t pid() const { return pid_; }
    // Whether readLine() met the end of output: the program has ended or closed it.
    bool outputEnded() const { return outputEnded_; }

  private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffer_;
    bool outputEnded_ = false;
};

// Runs a program to its end and returns its exit status.
int runProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {});

}  // namespace tavo::testing
