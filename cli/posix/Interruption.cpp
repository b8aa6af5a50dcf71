#include <unistd.h>

#include <atomic>
#include <csignal>

#include "CommandRun.h"
#include "SerialPort.h"

namespace radiosetup {

namespace {

std::atomic<int> g_signal{0};

constexpr char kAgain[] = "radioctl: interrupted again: ending at once; the port is released\n";

void OnSignal(int signal) {
    if (g_signal.exchange(signal) != 0) {
        // Nothing that allocates or locks: release the port's claims and go.
        CSerialPort::ReleaseAllForExit();
        const ssize_t ignored = write(STDERR_FILENO, kAgain, sizeof kAgain - 1);
        static_cast<void>(ignored);
        _exit(InterruptedStatus(signal));
    }
}

}  // namespace

void CatchInterruptions() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

int Interruption() {
    return g_signal.load();
}

}  // namespace radiosetup
