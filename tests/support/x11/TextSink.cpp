#include "tests/support/x11/TextSink.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace tavo::testing {
namespace {

// A file no other sink uses: tests in PID namespaces of their own share /tmp and often their
// PIDs too, so a name made from the PID let two tests record into one file.
std::string freshPath() {
    std::string path = (std::filesystem::temp_directory_path() / "tavo-text-sink-XXXXXX").string();
    const int descriptor = mkstemp(path.data());
    if (descriptor < 0) {
        throw std::runtime_error("cannot make the text sink's file");
    }
    close(descriptor);
    return path;
}

}  // namespace

TextSink::TextSink(const XvfbServer& server, bool nameKeys)
    : TextSink(TAVO_TEXT_SINK_PATH, {server.environmentEntry()}, nameKeys) {}

TextSink::TextSink(const std::string& program, const std::vector<std::string>& environment,
                   bool nameKeys)
    : path_(freshPath()), process_({program, path_, nameKeys ? "--name-keys" : ""}, environment) {
    if (process_.readLine(std::chrono::seconds(10)) != "ready") {
        std::filesystem::remove(path_);
        throw std::runtime_error("the text sink did not take the focus");
    }
}

TextSink::~TextSink() {
    process_.stop();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

std::string TextSink::received() const {
    std::ifstream file(path_, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TextSink::Arrival TextSink::waitForBytes(std::size_t bytes,
                                         std::chrono::steady_clock::duration quiet) {
    Arrival arrival{received(), std::chrono::steady_clock::now()};
    while (arrival.text.size() < bytes && std::chrono::steady_clock::now() - arrival.last < quiet) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::string now = received();
        if (now.size() != arrival.text.size()) {
            arrival = {std::move(now), std::chrono::steady_clock::now()};
        }
    }
    return arrival;
}

}  // namespace tavo::testing
