#pragma once

#include <chrono>
#include <stdexcept>

#include "EngineTicks.h"
#include "OperationEngine.h"
#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "RecordingHost.h"
#include "SimLink.h"
#include "TestNamespaces.h"
#include "VirtualClock.h"

// CEngineRig's twin against the simulated radio in virtual time.
class CVirtualEngineRig {
public:
    explicit CVirtualEngineRig(SimRadioState radioState = SimRadioState())
        : radio(clock, radioState), engine(host, radio.Link(), clock, params, settings) {}

    bool RunUntilDone(std::chrono::milliseconds limit = std::chrono::milliseconds(6000)) {
        return TickUntilDone(engine, clock, limit);
    }
    void RunFor(std::chrono::milliseconds duration) { TickFor(engine, clock, duration); }
    void ConnectAndQuery() {
        engine.Connect();
        if (!RunUntilDone()) {
            throw std::runtime_error("connect and query did not finish");
        }
        radio.ClearFrames();
    }

    CVirtualClock clock;
    CSimLink radio;
    CParameterSet params;
    PcPortSettings settings;
    CRecordingHost host;
    COperationEngine engine;
};
