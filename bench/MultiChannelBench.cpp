// How long the multi-channel dialog's set of ten channels and its query take against
// the simulated radio, next to the fixed waits they contain: a set sends two frames per
// channel, each with 40 ms before it and 300 ms after it; a query sends one frame with
// 40 ms before it and 900 ms after it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <functional>

#include "MultiChannelDlg.h"
#include "MultiChannelIds.h"
#include "RadioFrame.h"
#include "SerialPort.h"
#include "SimRadio.h"
#include "SteadyClock.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

constexpr double kAckWaitMs = 300;
constexpr double kQueryWaitMs = 900;

// The dialog over a simulated radio mapped as COM1, its channel file in a fresh folder.
class CBenchRig {
public:
    CBenchRig() : m_inWork(m_work.Path()) {
        m_bReady = m_radio.Start();
        m_home.MapPort(1, m_radio.SlavePath());
        m_bReady = m_bReady && m_port.Open(1, 9600, 0);
    }
    CBenchRig(const CBenchRig&) = delete;
    CBenchRig& operator=(const CBenchRig&) = delete;

    bool Ready() const { return m_bReady; }
    CSerialPort& Port() { return m_port; }

private:
    CTempDir m_work;
    CScopedWorkingDir m_inWork;
    CScopedSettingsHome m_home;
    CSimRadio m_radio;
    CSerialPort m_port;
    bool m_bReady = false;
};

void RunButton(benchmark::State& state, int button, const char* success, double fixedMs) {
    CBenchRig rig;
    if (!rig.Ready()) {
        state.SkipWithError("the simulated radio could not be reached");
        return;
    }
    CMultiChannelDlg dialog(rig.Port(), nullptr,
                            SteadyClock());  // channels 1 to 10 from a fresh file
    dialog.ShowModeless();
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        dialog.SendCommand(button);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        if (dialog.GetText(MultiChannelId::kStatus) != success) {
            state.SkipWithError("the radio did not answer as expected");
            return;
        }
        state.SetIterationTime(elapsed.count() / 1000.0);
        totalMs += elapsed.count();
    }
    state.counters["fixed_ms"] = fixedMs;
    state.counters["overhead_ms"] = totalMs / static_cast<double>(state.iterations()) - fixedMs;
}

void BM_SetTenChannels(benchmark::State& state) {
    const double fixedMs = CMultiChannelDlg::kRows * 2 * (kPreSendPauseMs + kAckWaitMs);
    RunButton(state, MultiChannelId::kSet, "设置成功", fixedMs);
}

void BM_QueryTenChannels(benchmark::State& state) {
    RunButton(state, MultiChannelId::kQuery, "查询成功", kPreSendPauseMs + kQueryWaitMs);
}

}  // namespace

BENCHMARK(BM_SetTenChannels)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryTenChannels)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The dialog is a real widget: the bench needs an application object, without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
