// Encoding and decoding one typical scan frame, beside plain nlohmann parse + dump of the same
// body text; prints each cost as a ratio to that baseline.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <nlohmann/json.hpp>

#include "kit/TavoFraming.h"

namespace {

using namespace tavo;

const TavoScan typicalScan(*Uuid::parse("0F3C9A52-7B1E-4D6A-9C84-2E5B7A1D3F60"), "4006381333931",
                           "EAN-13", 763637213.25);

const Bytes typicalFrame = TavoFraming::encode(typicalScan);

ByteView typicalBody() {
    return ByteView(typicalFrame).subspan(TavoFraming::headerLength);
}

void baselineParseAndDump(benchmark::State& state) {
    auto body = typicalBody();
    for (auto _ : state) {
        auto text = nlohmann::json::parse(body.begin(), body.end()).dump();
        benchmark::DoNotOptimize(text);
    }
}

void encodeFrame(benchmark::State& state) {
    for (auto _ : state) {
        auto frame = TavoFraming::encode(typicalScan);
        benchmark::DoNotOptimize(frame);
    }
}

void decodeFrame(benchmark::State& state) {
    auto body = typicalBody();
    for (auto _ : state) {
        auto message = TavoFraming::decode(body);
        benchmark::DoNotOptimize(message);
    }
}

void roundTripFrame(benchmark::State& state) {
    auto body = typicalBody();
    for (auto _ : state) {
        auto frame = TavoFraming::encode(TavoFraming::decode(body));
        benchmark::DoNotOptimize(frame);
    }
}

BENCHMARK(baselineParseAndDump);
BENCHMARK(encodeFrame);
BENCHMARK(decodeFrame);
BENCHMARK(roundTripFrame);

// Keeps the ns per frame of every run for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }

    void printRatios() const {
        auto baseline = nanoseconds_.find("baselineParseAndDump");
        if (baseline == nanoseconds_.end()) {
            return;
        }
        std::cout << "\nns per frame, and ratio to nlohmann parse + dump (" << baseline->second
                  << " ns):\n";
        for (const auto& [name, ns] : nanoseconds_) {
            std::cout << "  " << name << ": " << ns << " ns, " << ns / baseline->second << "x\n";
        }
    }

  private:
    std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
}
