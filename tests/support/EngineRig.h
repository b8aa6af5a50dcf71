#pragma once

#include <chrono>

#include "EngineTicks.h"
#include "OperationEngine.h"
#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "PtyRadio.h"
#include "RecordingHost.h"
#include "SerialPort.h"
#include "SimRadio.h"
#include "TestNamespaces.h"

// The operation engine wired to the simulated radio over its pseudo-terminal.
class CEngineRig : public CPtyRadio {
public:
    explicit CEngineRig(SimRadioState radioState = SimRadioState());

    // Ticks every 30 ms, as the window's timer does, until no operation is left
    // (idle with no operation recorded) or the limit passes. False on the limit.
    bool RunUntilDone(std::chrono::milliseconds limit = std::chrono::milliseconds(6000));
    // Ticks every 30 ms for the whole duration.
    void RunFor(std::chrono::milliseconds duration);
    // Connects and lets the automatic query finish; the radio's frame log is cleared.
    void ConnectAndQuery();

    CSerialPort port;
    CParameterSet params;
    PcPortSettings settings;
    CRecordingHost host;
    COperationEngine engine;
};
