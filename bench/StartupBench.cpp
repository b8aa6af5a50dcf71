// The main window's start-up against the simulated radio on Qt's offscreen platform,
// measured inside this process (the program has no command line to time it from
// outside): the QApplication, the window from construction to shown and to the
// query's result, the resident memory once it stands and the CPU it takes when idle
// with its two timers running.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "MessageBoxSeam.h"
#include "OperationEngine.h"
#include "RadioFrame.h"
#include "SerialLinks.h"
#include "SetupDlg.h"
#include "SimRadio.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kResultField = 1048;
constexpr int kQueryTimeoutMs = 10000;
constexpr int kIdleMs = 5000;
// The sleeps the connect and the chained query must contain.
constexpr double kFixedWaitMs = 2.0 * (kPreSendPauseMs + COperationEngine::kPickUpSleepMs);

const char* const kExplanation =
    "What is measured (in this process, QT_QPA_PLATFORM=offscreen, simulated radio on a pty):\n"
    "  qapp_ms          constructing the QApplication, from main() on (once; the loading of\n"
    "                   the program before main() is not included)\n"
    "  shown_ms         constructing CSetupDlg, ShowModeless (start-up, which opens the port\n"
    "                   and sends the connect frame) and the first pass of events (expose,\n"
    "                   paint)\n"
    "  queried_ms       from construction to \"成功获取设备信息\" in the result field: connect\n"
    "                   and the chained query; fixed_wait_ms of it are the protocol's sleeps\n"
    "  rss_*_kB         VmRSS of the whole process (Qt, benchmark library and the simulated\n"
    "                   radio included) before the first window and once it has queried\n"
    "  cpu_*_pct        user+system CPU time over 5 s of wall time with the connected window\n"
    "                   idle (timer 27 every 30 ms, timer 1 every 1000 ms): the GUI thread\n"
    "                   alone, and the whole process (with the radio's thread, which polls\n"
    "                   its pty every 20 ms)\n"
    "BM_FirstWindow is the process's first window (fonts and styles still to be loaded);\n"
    "BM_WindowStartup repeats the start-up with a fresh window and radio each time.\n\n";

double g_qApplicationMs = 0;

struct StartupTimes {
    double shownMs = 0;
    double queriedMs = 0;
};

// The radio stands on port 1 at 9600 bps without parity.
bool StartRadioOnPort1(CSimRadio& radio, const CScopedSettingsHome& settings) {
    if (!radio.Start()) {
        return false;
    }
    settings.WriteSettings(
        "[Version3.0/SystemParam]\nPc Com Port=1\nPc Com Band=9600\nPc Com Parity=0\n");
    settings.MapPort(1, radio.SlavePath());
    return true;
}

QString QueriedText() {
    return QString::fromUtf8("成功获取设备信息");
}

// Runs the event loop until the result field reports the query; false on time-out.
bool RunUntilQueried(CSetupDlg& window) {
    auto* resultField = qobject_cast<QLineEdit*>(window.Item(kResultField));
    QEventLoop loop;
    QObject::connect(resultField, &QLineEdit::textChanged, &loop, [&loop](const QString& text) {
        if (text == QueriedText()) {
            loop.quit();
        }
    });
    QTimer::singleShot(kQueryTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return resultField->text() == QueriedText();
}

// Constructs and shows the main window and waits for its start-up query.
bool StartMainWindow(std::unique_ptr<CSetupDlg>& window, CSerialPort& port, StartupTimes& times) {
    const auto start = Clock::now();
    window = std::make_unique<CSetupDlg>(SerialLinks(port));
    window->ShowModeless();
    QCoreApplication::processEvents();
    times.shownMs = Millis(Clock::now() - start).count();
    if (!window->isVisible() || !RunUntilQueried(*window)) {
        return false;
    }
    times.queriedMs = Millis(Clock::now() - start).count();
    return true;
}

// A box would wait for a click: print it and answer OK.
int PrintMessageBox(const MessageBoxRequest& box) {
    std::fprintf(stderr, "message box: %s\n", box.text.c_str());
    return kIdOk;
}

double ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6));
        }
    }
    return 0;
}

double CpuMs(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1000.0 +
               static_cast<double>(time.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void RunIdle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A main window started against its own simulated radio, timed.
struct CStartedWindow {
    bool Start() {
        return StartRadioOnPort1(radio, settings) && StartMainWindow(window, port, times);
    }

    CSimRadio radio;
    CScopedSettingsHome settings;
    CSerialPort port;
    std::unique_ptr<CSetupDlg> window;
    StartupTimes times;
};

void BM_FirstWindow(benchmark::State& state) {
    const double residentBeforeKb = ResidentKb();
    for (auto _ : state) {
        CStartedWindow started;
        if (!started.Start()) {
            state.SkipWithError("the main window got no answer to its query");
            return;
        }
        const StartupTimes& times = started.times;
        state.counters["rss_before_kB"] = residentBeforeKb;
        state.counters["rss_started_kB"] = ResidentKb();
        state.counters["qapp_ms"] = g_qApplicationMs;
        state.counters["shown_ms"] = times.shownMs;
        state.counters["queried_ms"] = times.queriedMs;

        const double processBefore = CpuMs(RUSAGE_SELF);
        const double threadBefore = CpuMs(RUSAGE_THREAD);
        const auto idleStart = Clock::now();
        RunIdle(kIdleMs);
        const double wallMs = Millis(Clock::now() - idleStart).count();
        state.counters["cpu_gui_pct"] = 100.0 * (CpuMs(RUSAGE_THREAD) - threadBefore) / wallMs;
        state.counters["cpu_process_pct"] = 100.0 * (CpuMs(RUSAGE_SELF) - processBefore) / wallMs;
        state.SetIterationTime(times.queriedMs / 1000.0);
    }
}

void BM_WindowStartup(benchmark::State& state) {
    double shownMs = 0;
    double queriedMs = 0;
    for (auto _ : state) {
        CStartedWindow started;
        if (!started.Start()) {
            state.SkipWithError("the main window got no answer to its query");
            return;
        }
        const StartupTimes& times = started.times;
        shownMs += times.shownMs;
        queriedMs += times.queriedMs;
        state.SetIterationTime(times.queriedMs / 1000.0);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["shown_ms"] = shownMs / iterations;
    state.counters["queried_ms"] = queriedMs / iterations;
    state.counters["fixed_wait_ms"] = kFixedWaitMs;
}

}  // namespace

// The first window runs first, so that its figures are those of a fresh process.
BENCHMARK(BM_FirstWindow)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowStartup)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    const auto start = Clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    g_qApplicationMs = Millis(Clock::now() - start).count();
    SetMessageBoxHandler(PrintMessageBox);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::fputs(kExplanation, stdout);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
