#include "tests/support/x11/TextSink.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace tavo::testing {
namespace {

std::string freshPath() {
    std::string path = (std::filesystem::temp_directory_path() / "tavo-text-sink-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd < 0) {
        throw std::runtime_error("cannot create the sink's file");
    }
    close(fd);
    return path;
}

std::vector<std::string> sinkArguments(const std::string& path, bool nameKeys) {
    std::vector<std::string> arguments{TAVO_TEXT_SINK_PATH, path};
    if (nameKeys) {
        arguments.emplace_back("--name-keys");
    }
    return arguments;
}

}  // namespace

TextSink::TextSink(const XvfbServer& server, bool nameKeys)
    : path_(freshPath()), process_(sinkArguments(path_, nameKeys), {server.environmentEntry()}) {
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
