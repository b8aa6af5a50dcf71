// How long auto-detection takes when nothing answers, run as the user sees it: the
// search dialog on Qt's offscreen platform with its worker, over two pseudo-terminals
// mapped as COM1 and COM2 that never reply. Every combination whose port opens must
// contain 40 ms before the probe and 300 ms after it, so the two-port search holds
// 24 x 340 ms of fixed waits; overhead_ms is the rest (opening and closing the port,
// the probe's bytes, the messages to the dialog). For comparison, the same search over
// two ports that do not exist, which costs almost nothing per combination.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>

#include "DetectDlg.h"
#include "MessageBoxSeam.h"
#include "PtyPair.h"
#include "RadioFrame.h"
#include "RadioSearch.h"
#include "SerialLinks.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kCombinationsPerPort = 4 * 3;  // rates times parities
constexpr int kSearchedPorts = 2;

// Runs the search from port 1 to its not-found message.
void RunSearches(benchmark::State& state, double fixedWaitMs) {
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        CSerialPort unused;  // the search opens ports of its own
        CDetectDlg dialog(1, SerialLinks(unused), nullptr);
        if (dialog.DoModal() != kIdCancel) {
            state.SkipWithError("the search found something where nothing answers");
            return;
        }
        const double elapsedMs = Millis(Clock::now() - start).count();
        state.SetIterationTime(elapsedMs / 1000.0);
        totalMs += elapsedMs;
    }
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["fixed_ms"] = fixedWaitMs;
    state.counters["overhead_ms"] = meanMs - fixedWaitMs;
}

void BM_SearchOverSilentPorts(benchmark::State& state) {
    CScopedSettingsHome home;
    CPtyPair port1;
    CPtyPair port2;
    home.MapPort(1, port1.SlavePath());
    home.MapPort(2, port2.SlavePath());
    RunSearches(state, kSearchedPorts * kCombinationsPerPort *
                           (kPreSendPauseMs + static_cast<int>(kProbeReplyWait.count())));
}

void BM_SearchOverAbsentPorts(benchmark::State& state) {
    CScopedSettingsHome home;
    CTempDir devices;
    home.MapPort(1, devices.File("no-port-1"));
    home.MapPort(2, devices.File("no-port-2"));
    RunSearches(state, 0);
}

}  // namespace

BENCHMARK(BM_SearchOverSilentPorts)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchOverAbsentPorts)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The not-found message is answered at once.
    SetMessageBoxHandler([](const MessageBoxRequest&) { return 1; });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
