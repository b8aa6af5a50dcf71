// How close radioctl's commands come to what the line allows, run as the program runs them
// against the simulated radio at 9600 bit/s. floor_ms is the part no implementation can
// avoid: 40 ms before every request and the time of every frame on the wire, 10 bits per
// byte. The simulated radio paces only its replies (a pseudo-terminal has no line rate),
// so here a command can finish below floor_ms by the requests' wire time; sim_floor_ms is
// the floor without it, the one the simulated radio sets.
#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "ChannelPlanCsv.h"
#include "RadioFrame.h"
#include "RadioLimits.h"
#include "Radioctl.h"
#include "SimRadio.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

constexpr double kMsPerByte = 10.0 * 1000.0 / 9600.0;  // 8 data bits, start and stop
constexpr int kRequestBytes = static_cast<int>(std::tuple_size<RadioFrame>::value);
constexpr int kAckBytes = 3;
constexpr std::chrono::milliseconds kLogWait{1000};

// The frames one run of a command contains: its requests and the replies by kind.
struct Frames {
    int requests = 0;
    int acks = 0;
    int parameterBlocks = 0;
    int channelBlocks = 0;

    bool operator==(const Frames& other) const {
        return std::tie(requests, acks, parameterBlocks, channelBlocks) ==
               std::tie(other.requests, other.acks, other.parameterBlocks, other.channelBlocks);
    }
    double RequestWireMs() const { return requests * kRequestBytes * kMsPerByte; }
    double FloorMs() const {
        const int replyBytes = acks * kAckBytes + parameterBlocks * kParameterBlockSize +
                               channelBlocks * kChannelBlockBytes;
        return requests * kPreSendPauseMs + RequestWireMs() + replyBytes * kMsPerByte;
    }
};

// What the radio's log holds; a reply of any other size counts as no kind, so the
// comparison with the expected frames fails.
Frames Logged(const std::vector<SimFrameRecord>& records) {
    Frames frames;
    for (const SimFrameRecord& record : records) {
        ++frames.requests;
        const int size = static_cast<int>(record.reply.size());
        frames.acks += size == kAckBytes ? 1 : 0;
        frames.parameterBlocks += size == kParameterBlockSize ? 1 : 0;
        frames.channelBlocks += size == kChannelBlockBytes ? 1 : 0;
    }
    return frames;
}

// A simulated radio mapped as port 1 (9600 bit/s, no parity by default), and a folder for
// the command's files.
class CRadioctlRig {
public:
    CRadioctlRig() {
        m_bReady = m_radio.Start();
        m_home.MapPort(1, m_radio.SlavePath());
    }
    CRadioctlRig(const CRadioctlRig&) = delete;
    CRadioctlRig& operator=(const CRadioctlRig&) = delete;

    bool Ready() const { return m_bReady; }
    std::string File(const std::string& name) const { return m_files.File(name); }
    CSimRadio& Radio() { return m_radio; }

private:
    CScopedSettingsHome m_home;
    CTempDir m_files;
    CSimRadio m_radio;
    bool m_bReady = false;
};

void RunCommand(benchmark::State& state, CRadioctlRig& rig, const std::vector<std::string>& words,
                const Frames& expected) {
    if (!rig.Ready()) {
        state.SkipWithError("the simulated radio could not start");
        return;
    }
    double totalMs = 0;
    for (auto _ : state) {
        // A fresh radio each time: set sends only what the radio does not hold yet.
        rig.Radio().SetState(SimRadioState());
        rig.Radio().ClearFrames();
        std::ostringstream out;
        std::ostringstream err;
        const auto start = std::chrono::steady_clock::now();
        const int status = RunRadioctl(words, out, err);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        totalMs += elapsed.count();
        if (status != 0) {
            state.SkipWithError(("radioctl failed: " + err.str()).c_str());
            return;
        }
        // The radio logs a frame only after its reply has gone out.
        rig.Radio().WaitForFrames(static_cast<std::size_t>(expected.requests), kLogWait);
        if (!(Logged(rig.Radio().Frames()) == expected)) {
            state.SkipWithError("the radio's log holds other frames than expected");
            return;
        }
    }
    state.counters["wall_ms"] = totalMs / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = expected.FloorMs();
    state.counters["sim_floor_ms"] = expected.FloorMs() - expected.RequestWireMs();
    state.counters["frames"] = expected.requests;
}

// Every command connects first: one request, one acknowledgement.
void BM_Query(benchmark::State& state) {
    CRadioctlRig rig;
    RunCommand(state, rig, {"query"}, {2, 1, 1, 0});
}

// Connect, query, then one acknowledged request per key.
void BM_Set(benchmark::State& state) {
    CRadioctlRig rig;
    RunCommand(state, rig, {"set", "ani=4660", "channel=5", "rx=229.0125"}, {5, 4, 1, 0});
}

// Connect, two acknowledged requests per channel, then ten blocks read back.
void BM_ChannelsWriteVerify(benchmark::State& state) {
    CRadioctlRig rig;
    std::vector<CChannelPlanCsv::Row> rows;
    for (int channel = 1; channel <= kRadioChannels; ++channel) {
        const std::int32_t frequency =
            kLowestFrequency + static_cast<std::int32_t>(kChannelStep) * channel;
        rows.push_back({channel, {frequency, frequency}});
    }
    const std::string plan = rig.File("plan.csv");
    WriteWholeFile(plan, CChannelPlanCsv::Format(rows));
    RunCommand(state, rig, {"channels", "write", plan, "--verify"},
               {1 + 2 * kRadioChannels + kRadioChannels / kChannelsPerBlock, 1 + 2 * kRadioChannels,
                0, kRadioChannels / kChannelsPerBlock});
}

// Connect, query, then ten channel blocks.
void BM_Backup(benchmark::State& state) {
    CRadioctlRig rig;
    RunCommand(state, rig, {"backup", rig.File("backup.json")},
               {2 + kRadioChannels / kChannelsPerBlock, 1, 1, kRadioChannels / kChannelsPerBlock});
}

}  // namespace

BENCHMARK(BM_Query)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Set)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelsWriteVerify)->UseRealTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
