// tavo-send: a phone simulator for trying and measuring the receiver. See --help.
#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "TavoVersion.h"
#include "kit/TavoFraming.h"
#include "kit/TavoProtocol.h"
#include "tools/tavo-send/Options.h"
#include "tools/tavo-send/PhoneConnection.h"
#include "tools/tavo-send/ServiceDiscovery.h"

using namespace tavo;

namespace {

// Seconds from 1970-01-01 to 2001-01-01, the reference date of scan timestamps.
constexpr double referenceDateOffset = 978307200;

double timestampNow() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count() - referenceDateOffset;
}

// A valid EAN-13 in the in-store range 200, numbered by serial.
std::string generatedEan13(std::size_t serial) {
    std::string digits = std::to_string(200'000'000'000ULL + serial % 1'000'000'000ULL);
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    }
    digits += static_cast<char>('0' + (10 - sum % 10) % 10);
    return digits;
}

void sendScan(PhoneConnection& connection, std::string value, const std::string& symbology) {
    connection.send(TavoFraming::encode(TavoScan(std::move(value), symbology, timestampNow())));
}

void sendLoad(PhoneConnection& connection, const Options& options) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (std::size_t i = 0; i < *options.count && !connection.failure(); ++i) {
        if (options.rate > 0) {
            std::this_thread::sleep_until(
                start + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(static_cast<double>(i) / options.rate)));
        }
        sendScan(connection, generatedEan13(i), options.symbology);
    }
    connection.flush();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::cerr << "tavo-send: sent " << *options.count << " scans in " << seconds << " s ("
              << static_cast<double>(*options.count) / seconds << " scans/s)" << std::endl;
}

void sendScans(PhoneConnection& connection, const Options& options) {
    if (options.count) {
        sendLoad(connection, options);
    } else if (!options.scans.empty()) {
        for (const std::string& value : options.scans) {
            sendScan(connection, value, options.symbology);
        }
    } else {
        std::string line;
        while (!connection.failure() && std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty()) {
                sendScan(connection, line, options.symbology);
            }
        }
    }
}

// One line per receiver: its name, every address it resolved to, and its port.
int list(const Options& options) {
    const auto found = listServices(TavoProtocol::serviceType, options.timeout);
    std::map<std::pair<std::string, std::uint16_t>, std::vector<std::string>> receivers;
    for (const DiscoveredService& service : found) {
        auto& addresses = receivers[{service.name, service.port}];
        if (std::find(addresses.begin(), addresses.end(), service.address) == addresses.end()) {
            addresses.push_back(service.address);
        }
    }
    for (const auto& [key, addresses] : receivers) {
        std::cout << "'" << key.first << "' at ";
        for (std::size_t i = 0; i < addresses.size(); ++i) {
            std::cout << (i > 0 ? ", " : "") << addresses[i];
        }
        std::cout << " port " << key.second << "\n";
    }
    if (receivers.empty()) {
        std::cerr << "tavo-send: no receiver found" << std::endl;
        return 1;
    }
    return 0;
}

int run(const Options& options) {
    if (options.list) {
        return list(options);
    }
    std::string host;
    std::uint16_t port = 0;
    if (options.host) {
        host = *options.host;
        port = options.port;
    } else {
        const DiscoveredService service =
            discoverService(TavoProtocol::serviceType, options.timeout);
        std::cerr << "tavo-send: found '" << service.name << "' at " << service.address << " port "
                  << service.port << std::endl;
        host = service.address;
        port = service.port;
    }

    std::optional<PhoneConnection> connection;
    try {
        connection.emplace(host, port);
    } catch (const std::system_error& error) {
        throw std::runtime_error("cannot connect to " + host + " port " + std::to_string(port) +
                                 ": " + error.code().message());
    }
    connection->send(TavoFraming::encode(TavoHello{options.deviceName, TavoProtocol::version}));
    if (options.waitStatus &&
        !connection->waitForStatus(
            std::chrono::steady_clock::now() +
            std::chrono::duration_cast<std::chrono::nanoseconds>(options.timeout)) &&
        !connection->failure()) {
        throw std::runtime_error("no status reply to the hello");
    }
    sendScans(*connection, options);
    connection->linger(options.linger);
    connection->close(std::chrono::seconds(2));
    if (const auto failure = connection->failure()) {
        throw std::runtime_error(*failure);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parseOptions(argc, argv);
    } catch (const std::invalid_argument& error) {
        std::cerr << "tavo-send: " << error.what() << "\nTry 'tavo-send --help'." << std::endl;
        return 2;
    }
    if (options.help) {
        std::cout << usage;
        return 0;
    }
    if (options.version) {
        std::cout << "tavo-send " << tavo::version << '\n';
        return 0;
    }
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "tavo-send: " << error.what() << std::endl;
        return 1;
    }
}
