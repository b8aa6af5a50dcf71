#include <windows.h>

#include <atomic>

#include "CommandRun.h"
#include "SerialPort.h"

namespace radiosetup {

namespace {

std::atomic<int> g_signal{0};

int SignalOf(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            return kSignalInterrupt;
        case CTRL_CLOSE_EVENT:
            return kSignalHangUp;
        default:
            return kSignalTerminate;
    }
}

// Runs on a thread of its own; the run stops between frames.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    const int signal = SignalOf(event);
    if (g_signal.exchange(signal) != 0) {
        CSerialPort::ReleaseAllForExit();
        ExitProcess(static_cast<UINT>(InterruptedStatus(signal)));
    }
    return TRUE;
}

}  // namespace

void CatchInterruptions() {
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

int Interruption() {
    return g_signal.load();
}

}  // namespace radiosetup
