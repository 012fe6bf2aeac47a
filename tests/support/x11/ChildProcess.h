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
    // Throws std::runtime_error when the program cannot be started. `environment` entries
    // ("NAME=value") are added to ours.
    ChildProcess(const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of standard output without its newline; nothing on end of output or when
    // the deadline passes first.
    std::optional<std::string> readLine(std::chrono::steady_clock::duration timeout);
    // The descriptor the child inherits as `fd` (besides 0-2), for protocols like -displayfd.
    static constexpr int sideChannel = 3;
    std::optional<std::string> readSideLine(std::chrono::steady_clock::duration timeout);
    // Waits for the exit status; terminates the child first when `terminate`.
    int stop(bool terminate = true);

  private:
    static std::optional<std::string> readLineFrom(int fd, std::string& buffer,
                                                   std::chrono::steady_clock::duration timeout);

    pid_t pid_ = -1;
    int output_ = -1;
    int side_ = -1;
    std::string outputBuffer_;
    std::string sideBuffer_;
};

// Runs a program to its end and returns its exit status.
int runProgram(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {});

}  // namespace tavo::testing
