// How long each kind of exchange of the main window takes against the simulated
// radio, from sending the request to the result text, next to the fixed waits it
// must contain: 40 ms before each frame, 500 ms pick-up sleep, on average half a
// 30 ms tick before the reply is noticed, and the reply's time on the wire.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "CommandSet.h"
#include "EngineRig.h"
#include "OpKind.h"
#include "TestNamespaces.h"

namespace {

constexpr double kBitsPerByte = 10.0;  // 8 data bits, start and stop, no parity
constexpr double kLineRate = 9600.0;

struct Exchange {
    int frames;           // requests the exchange sends
    int firstReplyBytes;  // the reply's bytes that must arrive before the pick-up
    std::function<void(CEngineRig&)> start;
};

double FixedWaitMs(const Exchange& exchange) {
    const double perFrame =
        kPreSendPauseMs + COperationEngine::kPickUpSleepMs + COperationEngine::kTickMs / 2.0;
    const double wire = exchange.firstReplyBytes * kBitsPerByte * 1000.0 / kLineRate;
    return exchange.frames * perFrame + wire;
}

void RunExchange(benchmark::State& state, const Exchange& exchange) {
    CEngineRig rig;
    rig.ConnectAndQuery();
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        exchange.start(rig);
        if (!rig.RunUntilDone()) {
            state.SkipWithError("the exchange did not finish");
            return;
        }
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count() / 1000.0);
        totalMs += elapsed.count();
    }
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["fixed_ms"] = FixedWaitMs(exchange);
    state.counters["overhead_ms"] = meanMs - FixedWaitMs(exchange);
}

void BM_Connect(benchmark::State& state) {
    // The connect chains the query: two frames, a 3-byte and a 131-byte reply.
    RunExchange(state, {2, 3, [](CEngineRig& rig) { rig.engine.Connect(); }});
}

void BM_Query(benchmark::State& state) {
    RunExchange(state, {1, 1, [](CEngineRig& rig) { rig.engine.StartQuery(); }});
}

void BM_SingleSetting(benchmark::State& state) {
    RunExchange(state, {1, 3, [](CEngineRig& rig) {
                            rig.engine.SendOperation(OpKind::kRxFrequency,
                                                     RxFrequencyPayload(rig.params));
                        }});
}

void BM_ParameterWrite(benchmark::State& state) {
    RunExchange(state, {4, 12, [](CEngineRig& rig) {
                            rig.engine.SendOperation(OpKind::kSetDevice, AniPayload(rig.params));
                        }});
}

void BM_Audio(benchmark::State& state) {
    RunExchange(state, {1, 3, [](CEngineRig& rig) {
                            rig.engine.SendOperation(OpKind::kAudio, AudioPayload(rig.params));
                        }});
}

}  // namespace

BENCHMARK(BM_Connect)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Query)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleSetting)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParameterWrite)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Audio)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
