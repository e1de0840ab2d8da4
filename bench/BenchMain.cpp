// Runs the registered benchmarks and prints each figure as "BENCH <name> <value> <unit>".
// A benchmark's time is printed under its own name (its time unit as the unit) unless the
// name starts with "counters_"; each user counter named "<name>:<unit>" is printed too.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <string>

namespace {

const char* unitText(benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond:
            return "ns";
        case benchmark::kMicrosecond:
            return "us";
        case benchmark::kMillisecond:
            return "ms";
        default:
            return "s";
    }
}

class BenchLineReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                std::fprintf(stderr, "%s failed: %s\n", run.benchmark_name().c_str(),
                             run.error_message.c_str());
                failed = true;
                continue;
            }
            const std::string name = run.run_name.function_name;
            if (name.rfind("counters_", 0) != 0) {
                std::printf("BENCH %s %.3f %s\n", name.c_str(), run.GetAdjustedRealTime(),
                            unitText(run.time_unit));
            }
            for (const auto& [counterName, counter] : run.counters) {
                const auto colon = counterName.find(':');
                if (colon != std::string::npos) {
                    std::printf("BENCH %s %.3f %s\n", counterName.substr(0, colon).c_str(),
                                counter.value, counterName.substr(colon + 1).c_str());
                }
            }
        }
        std::fflush(stdout);
    }

    bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchLineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.failed ? 1 : 0;
}
