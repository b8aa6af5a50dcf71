#pragma once

#include <chrono>

#include "OperationEngine.h"
#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "RecordingHost.h"
#include "SimLink.h"
#include "VirtualClock.h"

// The operation engine against the simulated radio's rules in virtual time, ticked as
// the window's 30 ms timer ticks it.
class CVirtualEngineRig {
public:
    CVirtualEngineRig() : radio(clock), engine(host, radio.Link(), clock, params, settings) {}

    // Ticks until no operation is left or the limit passes; false on the limit.
    bool RunUntilDone(std::chrono::milliseconds limit = std::chrono::milliseconds(6000)) {
        const auto end = clock.Now() + limit;
        while (clock.Now() < end) {
            Tick();
            if (engine.State() == COperationEngine::EngineState::Idle &&
                engine.CurrentOpKind() == 0) {
                return true;
            }
        }
        return false;
    }
    void RunFor(std::chrono::milliseconds duration) {
        const auto end = clock.Now() + duration;
        while (clock.Now() < end) {
            Tick();
        }
    }

    CVirtualClock clock;
    CSimLink radio;
    CParameterSet params;
    PcPortSettings settings;
    CRecordingHost host;
    COperationEngine engine;

private:
    void Tick() {
        clock.Sleep(std::chrono::milliseconds(COperationEngine::kTickMs));
        engine.OnEngineTick();
    }
};
