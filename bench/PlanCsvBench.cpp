// Reading a CSV plan of 20 MB in which every row is bad, as radioctl reads it: the time to
// judge it and the process's peak memory (peak_mb; reading must stay under 64 MB).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "ChannelPlanCsv.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "TextFile.h"

namespace {

constexpr std::size_t kFileBytes = 20 * 1000 * 1000;

// Rows whose channel, receive and transmit frequency are all at fault.
std::string WriteBadPlan(const CTempDir& folder) {
    const std::string path = folder.File("bad.csv");
    std::ofstream file(path, std::ios::binary);
    file << "channel,rx_mhz,tx_mhz\n";
    const std::string row = "101,229.01,99\n";
    for (std::size_t written = 0; written < kFileBytes; written += row.size()) {
        file << row;
    }
    return path;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_TwentyMegabytesOfBadRows(benchmark::State& state) {
    const CTempDir folder;
    const std::string path = WriteBadPlan(folder);
    for (auto _ : state) {
        std::optional<std::ifstream> file = CTextFile::Open(path);
        const CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(*file, path);
        benchmark::DoNotOptimize(plan.errors.size());
    }
    state.counters["peak_mb"] = PeakMegabytes();
}

}  // namespace

BENCHMARK(BM_TwentyMegabytesOfBadRows)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
