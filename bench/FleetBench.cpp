// radioctl's restore with --verify onto one simulated radio and onto eight in one run, each
// radio on its own port and pseudo-terminal, in real time. Radios on their own ports work
// side by side, so eight should take hardly longer than one: vs_one_radio is a run's wall
// time over the one-radio run's, at most 1.25 when the fleet runs as it should. A higher
// ratio means the radios wait for one another somewhere in the program. The settings home
// of the rig names its own empty device root, so no RADIOSETUP_DEVICE_ROOT is needed.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Radioctl.h"
#include "SimRadio.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

constexpr int kRadios = 8;

int ListedAni(int port) {
    return 500 + port;
}

// Before each run a radio holds the factory state under an ANI of its own, so the restore
// has every channel to write.
SimRadioState OwnState(int port) {
    SimRadioState state;
    state.ani = 100 + static_cast<std::uint32_t>(port);
    return state;
}

// The plan restored: every channel on other frequencies than the factory's, half of them
// in use.
SimRadioState PlanState() {
    SimRadioState state;
    state.ani = 4660;
    state.channelTotal = 50;
    for (std::size_t i = 0; i < SimRadioState::kChannels; ++i) {
        const auto frequency = static_cast<std::uint32_t>(4500000 + 250 * i);
        state.rxWord[i] = SimRadioState::RxWordOf(frequency);
        state.txWord[i] = SimRadioState::TxWordOf(frequency);
    }
    return state;
}

bool HoldsPlan(const SimRadioState& held, int port) {
    const SimRadioState plan = PlanState();
    return held.rxWord == plan.rxWord && held.txWord == plan.txWord &&
           held.channelTotal == plan.channelTotal &&
           held.ani == static_cast<std::uint32_t>(ListedAni(port));
}

int Run(const std::vector<std::string>& words, std::string& err) {
    std::ostringstream out;
    std::ostringstream errors;
    const int status = RunRadioctl(words, out, errors);
    err = errors.str();
    return status;
}

// Eight simulated radios mapped as ports 1 to 8, the backup of a radio holding the plan
// (taken once, on port 1) and the ANI list giving each port its own ANI.
class CFleetRig {
public:
    CFleetRig() {
        m_bReady = true;
        std::string anis = "port,ani\n";
        for (int port = 1; port <= kRadios; ++port) {
            m_bReady = Radio(port).Start() && m_bReady;
            m_home.MapPort(port, Radio(port).SlavePath());
            anis += std::to_string(port) + "," + std::to_string(ListedAni(port)) + "\n";
        }
        WriteWholeFile(AniList(), anis);
        Radio(1).SetState(PlanState());
        std::string err;
        m_bReady = m_bReady && Run({"backup", Backup(), "--port", "1"}, err) == 0;
    }
    CFleetRig(const CFleetRig&) = delete;
    CFleetRig& operator=(const CFleetRig&) = delete;

    bool Ready() const { return m_bReady; }
    std::string Backup() const { return m_files.File("plan.json"); }
    std::string AniList() const { return m_files.File("anis.csv"); }
    CSimRadio& Radio(int port) { return m_radios[static_cast<std::size_t>(port - 1)]; }

private:
    CScopedSettingsHome m_home;
    CTempDir m_files;
    std::array<CSimRadio, kRadios> m_radios;
    bool m_bReady = false;
};

// Made once for both runs: the backup is not what is measured.
CFleetRig& Rig() {
    static CFleetRig rig;
    return rig;
}

// Mean wall time by radio count, for the ratio to the one-radio run.
std::map<int, double> g_wallMs;

void BM_RestoreVerify(benchmark::State& state) {
    CFleetRig& rig = Rig();
    if (!rig.Ready()) {
        state.SkipWithError("the simulated radios or the backup could not be made");
        return;
    }
    const int radios = static_cast<int>(state.range(0));
    const std::string ports = radios == 1 ? "1" : "1-" + std::to_string(radios);
    const std::vector<std::string> words = {"restore",     rig.Backup(), "--verify", "--ani-list",
                                            rig.AniList(), "--ports",    ports};
    double totalMs = 0;
    for (auto _ : state) {
        for (int port = 1; port <= radios; ++port) {
            rig.Radio(port).SetState(OwnState(port));
        }
        std::string err;
        const auto start = std::chrono::steady_clock::now();
        const int status = Run(words, err);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        totalMs += elapsed.count();
        if (status != 0) {
            state.SkipWithError(("radioctl failed: " + err).c_str());
            return;
        }
        for (int port = 1; port <= radios; ++port) {
            if (!HoldsPlan(rig.Radio(port).State(), port)) {
                state.SkipWithError(
                    ("the radio on port " + std::to_string(port) + " lacks the plan or its ANI")
                        .c_str());
                return;
            }
        }
    }
    const double wallMs = totalMs / static_cast<double>(state.iterations());
    g_wallMs[radios] = wallMs;
    state.counters["wall_ms"] = wallMs;
    if (g_wallMs.count(1) != 0) {
        state.counters["vs_one_radio"] = wallMs / g_wallMs[1];
    }
}

}  // namespace

// One radio runs first: the eight-radio run is compared with it.
BENCHMARK(BM_RestoreVerify)
    ->Arg(1)
    ->Arg(kRadios)
    ->UseRealTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
