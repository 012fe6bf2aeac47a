// Scans over loopback into the real ScanListener on the real network platform, beside a bare asio
// echo server fed the same bytes in the same run: sustained throughput, latency from the phone's
// write to onScan at 1,000 scans per second, and the resident size of a process serving scans.
// Latency has a second baseline, the echo that hands each frame over to a main thread as the
// receiver must: the difference to it is what the receiver's own code adds.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/network/EchoServer.h"
#include "bench/network/LoopbackPhone.h"
#include "kit/TavoFraming.h"
#include "platform/network/AsioNetwork.h"
#include "receiver/ScanListener.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"

using namespace tavo;

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t throughputScans = 200'000;
constexpr int rounds = 5;
// Many short latency rounds, the servers taking turns, so that the bursts of a loaded machine fall
// on all of them alike: a round of one server in a quiet second and of another in a busy one
// decides the p99 otherwise.
constexpr std::size_t latencyWarmUp = 50;
constexpr std::size_t latencyScans = 250;
constexpr int latencyRounds = 20;
constexpr double latencyRate = 1'000;
constexpr std::size_t memoryScans = 10'000;
constexpr auto awaitTimeout = std::chrono::seconds(120);

// Scans whose values count up from "0000000000000", the length of an EAN-13, so that the receiving
// end can tell loss and reordering from the values alone.
std::vector<Bytes> scanFrames(std::size_t count) {
    std::vector<Bytes> frames;
    frames.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%013zu", i);
        frames.push_back(TavoFraming::encode(TavoScan(value, "EAN-13", 787000000.0 + i)));
    }
    return frames;
}

Bytes joined(const std::vector<Bytes>& frames) {
    Bytes all;
    for (const Bytes& frame : frames) {
        all.insert(all.end(), frame.begin(), frame.end());
    }
    return all;
}

// A server under measurement: records when each frame reached the code that handles it.
class FrameSink {
  public:
    virtual ~FrameSink() = default;
    virtual std::uint16_t port() const = 0;
    // Returns once count frames have arrived, or at the timeout.
    virtual void await(std::size_t count) = 0;

    const std::vector<Clock::time_point>& arrivals() const { return arrivals_; }
    bool inOrder() const { return inOrder_; }

  protected:
    void record(std::size_t number) {
        inOrder_ = inOrder_ && number == arrivals_.size();
        arrivals_.push_back(Clock::now());
    }

  private:
    std::vector<Clock::time_point> arrivals_;
    bool inOrder_ = true;
};

// The receiver as the application runs it, the caller's thread acting as its main thread.
class ReceiverSink : public FrameSink {
  public:
    ReceiverSink() {
        // The load phone is trusted: every scan is to be typed.
        defaults_.values[ScanListener::asksBeforeNewPhoneKey] = "false";
        listener_ = ScanListener::make(mainThread_, defaults_, network_);
        listener_->setOnScan([this](const TavoScan& scan) { record(std::stoull(scan.value)); });
        // Registering with Avahi makes blocking D-Bus calls on the network thread, once per
        // start: measured scans must not meet them.
        mainThread_.runUntil(
            [&] { return listener_->isAdvertising() || listener_->advertisingTrouble(); },
            std::chrono::duration_cast<std::chrono::milliseconds>(awaitTimeout));
    }

    std::uint16_t port() const override { return listener_->port().value(); }

    void await(std::size_t count) override {
        mainThread_.runUntil([&] { return arrivals().size() >= count; },
                             std::chrono::duration_cast<std::chrono::milliseconds>(awaitTimeout));
    }

  private:
    ManualMainThread mainThread_;
    MemoryDefaultsStore defaults_;
    AsioNetwork network_;
    std::shared_ptr<ScanListener> listener_;
};

class EchoSink : public FrameSink {
  public:
    std::uint16_t port() const override { return server_.port(); }

    void await(std::size_t count) override {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, awaitTimeout, [&] { return arrivals().size() >= count; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    EchoServer server_{[this] {
        {
            const std::lock_guard lock(mutex_);
            record(arrivals().size());
        }
        arrived_.notify_all();
    }};
};

// The bare echo plus the one hand-over that the receiver's threading makes for every scan: each
// frame's arrival is posted from the network thread to a main thread, which records it. On a
// small loaded machine waking that second thread is most of the receiver's tail.
class HandOverEchoSink : public FrameSink {
  public:
    std::uint16_t port() const override { return server_.port(); }

    void await(std::size_t count) override {
        mainThread_.runUntil([&] { return arrivals().size() >= count; },
                             std::chrono::duration_cast<std::chrono::milliseconds>(awaitTimeout));
    }

  private:
    ManualMainThread mainThread_;
    std::size_t framesPosted_ = 0;  // network thread only
    EchoServer server_{[this] {
        mainThread_.post([this, number = framesPosted_++] { record(number); });
    }};
};

std::unique_ptr<FrameSink> makeSink(const std::string& kind) {
    if (kind == "receiver") {
        return std::make_unique<ReceiverSink>();
    }
    if (kind == "hand-over") {
        return std::make_unique<HandOverEchoSink>();
    }
    return std::make_unique<EchoSink>();
}

struct Throughput {
    double scansPerSecond;
    bool intact;  // every scan arrived, in order
};

Throughput measureThroughput(FrameSink& sink, const Bytes& frames, std::size_t count) {
    LoopbackPhone phone(sink.port());
    const auto start = Clock::now();
    std::thread writer([&] { phone.write(frames); });
    sink.await(count);
    writer.join();
    const std::size_t arrived = sink.arrivals().size();
    const double seconds =
        arrived ? std::chrono::duration<double>(sink.arrivals().back() - start).count() : 1;
    return {static_cast<double>(arrived) / seconds, arrived == count && sink.inOrder()};
}

// Microseconds from each write to its frame's arrival, the warm-up left out; nothing when a frame
// was lost or reordered.
std::vector<double> latencySamples(FrameSink& sink, const std::vector<Bytes>& frames) {
    LoopbackPhone phone(sink.port());
    std::vector<Clock::time_point> written(frames.size());
    std::thread writer([&] {
        const auto start = Clock::now();
        for (std::size_t i = 0; i < frames.size(); ++i) {
            std::this_thread::sleep_until(
                start + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(static_cast<double>(i) / latencyRate)));
            written[i] = Clock::now();
            phone.write(frames[i]);
        }
    });
    sink.await(frames.size());
    writer.join();
    const auto& arrivals = sink.arrivals();
    std::vector<double> micros;
    if (arrivals.size() == frames.size() && sink.inOrder()) {
        for (std::size_t i = latencyWarmUp; i < frames.size(); ++i) {
            micros.push_back(
                std::chrono::duration<double, std::micro>(arrivals[i] - written[i]).count());
        }
    }
    return micros;
}

struct Latency {
    double median;
    double p99;
    double max;
};

Latency summary(std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double quantile) {
        return micros[static_cast<std::size_t>(quantile * static_cast<double>(micros.size() - 1))];
    };
    return {at(0.5), at(0.99), micros.back()};
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// The child's side of the memory measurement: a process that runs only the server.
int serve(const std::string& kind, std::size_t count) {
    const auto sink = makeSink(kind);
    std::printf("%u\n", sink->port());
    std::fflush(stdout);
    sink->await(count);
    std::printf("%ld\n", residentKiB());
    return sink->arrivals().size() == count ? 0 : 1;
}

// Resident KiB of a child process that runs only the server, after it took count scans.
long measureResident(const std::string& kind, const Bytes& frames, std::size_t count) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --serve " + kind + " " + std::to_string(count);
    FILE* child = popen(command.c_str(), "r");
    unsigned port = 0;
    long kib = -1;
    if (child && std::fscanf(child, "%u", &port) == 1) {
        LoopbackPhone(static_cast<std::uint16_t>(port)).write(frames);
        if (std::fscanf(child, "%ld", &kib) != 1) {
            kib = -1;
        }
    }
    if (child) {
        pclose(child);
    }
    return kib;
}

void printThroughput(const char* name, const Throughput& result, const Throughput& baseline) {
    std::printf("  %-22s %10.0f scans/s   %5.2f x baseline   %s\n", name, result.scansPerSecond,
                result.scansPerSecond / baseline.scansPerSecond,
                result.intact ? "all, in order" : "LOST OR REORDERED");
}

void printLatency(const char* name, const Latency& result) {
    std::printf("  %-22s %8.1f us %8.1f us %8.1f us\n", name, result.median, result.p99,
                result.max);
}

}  // namespace

int main(int argc, char** argv) {
    // Outside the Avahi fixture, keep the listener from advertising on a real network: with no
    // system bus it reports waiting and still accepts connections.
    if (!std::getenv("TAVO_AVAHI_LOG")) {
        setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tavo-bench-bus", 1);
    }
    if (argc == 4 && std::strcmp(argv[1], "--serve") == 0) {
        return serve(argv[2], std::stoul(argv[3]));
    }

    // Latency alone, for a run under a real-time scheduling class (chrt) that keeps the rest of
    // a busy machine from deciding the tail.
    const bool latencyOnly = argc == 2 && std::strcmp(argv[1], "--latency") == 0;

    const std::vector<Bytes> frames = scanFrames(throughputScans);
    const Bytes all = joined(frames);
    std::ifstream loadAverage("/proc/loadavg");
    std::string load;
    std::getline(loadAverage, load);
    std::printf("Network benchmark over loopback (scan frames of %zu bytes; load average %s)\n\n",
                frames[0].size(), load.c_str());

    if (!latencyOnly) {
        std::printf("Throughput, %zu scans written as fast as the server takes them:\n",
                    throughputScans);
        // Rounds alternate between the two servers so that both meet the same load of the machine;
        // each server's best round counts.
        Throughput echoThroughput{0, true};
        Throughput receiverThroughput{0, true};
        const auto keepBest = [](Throughput& best, const Throughput& result) {
            best = {std::max(best.scansPerSecond, result.scansPerSecond),
                    best.intact && result.intact};
        };
        for (int round = 0; round < rounds; ++round) {
            keepBest(echoThroughput, measureThroughput(*makeSink("echo"), all, throughputScans));
            keepBest(receiverThroughput,
                     measureThroughput(*makeSink("receiver"), all, throughputScans));
        }
        printThroughput("bare asio echo", echoThroughput, echoThroughput);
        printThroughput("ScanListener", receiverThroughput, echoThroughput);
        std::printf("  target: >= 50000 scans/s\n\n");
    }

    const std::vector<Bytes> paced(frames.begin(), frames.begin() + latencyWarmUp + latencyScans);
    std::printf("Latency from the phone's write to the handler, %.0f scans/s, %d x %zu scans:\n",
                latencyRate, latencyRounds, latencyScans);
    std::vector<double> echoMicros;
    std::vector<double> handOverMicros;
    std::vector<double> receiverMicros;
    bool complete = true;
    for (int round = 0; round < latencyRounds && complete; ++round) {
        const auto echo = latencySamples(*makeSink("echo"), paced);
        const auto handOver = latencySamples(*makeSink("hand-over"), paced);
        const auto receiver = latencySamples(*makeSink("receiver"), paced);
        complete = !echo.empty() && !handOver.empty() && !receiver.empty();
        echoMicros.insert(echoMicros.end(), echo.begin(), echo.end());
        handOverMicros.insert(handOverMicros.end(), handOver.begin(), handOver.end());
        receiverMicros.insert(receiverMicros.end(), receiver.begin(), receiver.end());
    }
    if (complete) {
        const Latency echoLatency = summary(echoMicros);
        const Latency handOverLatency = summary(handOverMicros);
        const Latency receiverLatency = summary(receiverMicros);
        std::printf("  %-22s %11s %11s %11s\n", "", "median", "p99", "max");
        printLatency("bare asio echo", echoLatency);
        printLatency("echo + hand-over", handOverLatency);
        printLatency("ScanListener (onScan)", receiverLatency);
        std::printf("  ScanListener adds %.1f us at the median, %.1f us at p99 to the bare echo\n",
                    receiverLatency.median - echoLatency.median,
                    receiverLatency.p99 - echoLatency.p99);
        std::printf(
            "  and %.1f us at the median, %.1f us at p99 to the echo with the main-thread "
            "hand-over (target: < 100 us at p99)\n\n",
            receiverLatency.median - handOverLatency.median,
            receiverLatency.p99 - handOverLatency.p99);
    } else {
        std::printf("  LOST OR REORDERED\n\n");
    }

    if (latencyOnly) {
        return 0;
    }
    const Bytes memoryFrames = joined({frames.begin(), frames.begin() + memoryScans});
    std::printf("Resident size (VmRSS) of a process that runs only the server, after %zu scans:\n",
                memoryScans);
    const long echoKiB = measureResident("echo", memoryFrames, memoryScans);
    const long receiverKiB = measureResident("receiver", memoryFrames, memoryScans);
    std::printf("  %-22s %8.2f MiB\n", "bare asio echo", static_cast<double>(echoKiB) / 1024);
    std::printf("  %-22s %8.2f MiB   %5.2f x baseline   target: < 8 MiB\n", "ScanListener",
                static_cast<double>(receiverKiB) / 1024,
                static_cast<double>(receiverKiB) / static_cast<double>(echoKiB));
    return 0;
}
