#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ChannelPlanCsv.h"
#include "CommandLine.h"
#include "Json.h"
#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "RadioBackup.h"
#include "RadioDifferences.h"
#include "RadioSession.h"
#include "Radioctl.h"
#include "ReplyVerdict.h"
#include "SerialPort.h"

namespace radiosetup {

enum ExitStatus {
    kExitOk = 0,
    kExitUsage = 1,
    kExitPort = 2,
    kExitNoReply = 3,
    kExitRefused = 4,
    kExitDiffers = 5,
};

// The signals that end a run cleanly, by their POSIX numbers on every platform.
enum InterruptSignal {
    kSignalHangUp = 1,
    kSignalInterrupt = 2,
    kSignalTerminate = 15,
};
// SIGINT, SIGTERM and SIGHUP (Windows: Ctrl-C, Ctrl-Break, the console closing) let the
// frame in flight finish and stop the run before the next one; a second ends the process
// at once, the port still released. A backend per platform.
void CatchInterruptions();
// The signal that asked the run to stop; 0 while none did.
int Interruption();
// "SIGINT", "SIGTERM", "SIGHUP".
const char* SignalName(int signal);
// 128 + the signal's number, as shells report a run a signal ended.
int InterruptedStatus(int signal);

// One run of a command: what was asked, where output goes, the line it talks on.
class CCommandRun {
public:
    // A command that needs no port leaves the stored settings alone. A given radio stands
    // in for the port.
    CCommandRun(const Invocation& invocation, std::ostream& out, std::ostream& err, bool usesPort,
                std::istream& in, const GivenRadio* given = nullptr);

    const Invocation& invocation;
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    PcPortSettings line;  // the stored PC settings with this run's options over them
    // The ANI this radio gets in place of the file's: from --ani-list or --ani-start.
    std::optional<std::int32_t> givenAni;
    // What the command did: with --json the run's one document on stdout, printed at its
    // end (with "error" added when it failed). Commands add their members.
    JsonDocument report = JsonDocument::object();

    // "port" (or "device"), "baud_rate" and "parity" of this run into the report.
    void ReportWhere();
    // --verify's findings (objects of key, written, radio, and channel for a channel)
    // added to the report's "differences", which a verify leaves empty when it found none.
    void ReportDifferences(const JsonDocument& found);
    // The document --json prints for the run.
    JsonDocument JsonOutput() const;
    // The failure --json reports, when none was recorded before: {status, operation,
    // port (number, device path or null), cause}. Fail, Usage and Interrupted record theirs.
    void RecordFailure(const std::string& operation, const std::string& cause, int status);

    // "port 2 (9600 bit/s, no parity)" or the device path likewise.
    std::string Where() const;
    // The device the run talks to: --device, else the port number's.
    std::string DevicePath() const;
    // FILE with {port} as the port's number (or the device's name) and {ani} as the ANI
    // the radio reported, once it did: one file per radio of a fleet.
    std::string OutputPath(const std::string& pattern) const;
    // "ok", or the cause of the failure recorded.
    std::string Result() const;
    // A run whose stderr is gathered for later shows no progress bar; watch, when given,
    // hears the progress instead.
    void HideProgress(std::function<void(int done, int total)> watch = {}) {
        m_bShowProgress = false;
        m_watchProgress = std::move(watch);
    }
    // Opens the port unless it is open; kExitOk, or kExitPort after a message naming
    // the cause.
    int OpenPort();
    // The clock the session waits by.
    IClock& Clock() const;
    // Whether the port is open and its device still there.
    bool PortAtHand() const;
    // Opens the port anew without a word, for waits that outlast a device (a radio with
    // its USB adapter unplugged and another plugged in); whether it is open now.
    bool ReopenPort();
    CSerialPort& Port() { return m_port; }
    CRadioSession& Session() { return *m_pSession; }
    const CRadioSession& Session() const { return *m_pSession; }
    // Empty without --trace; else lines to stderr, each after the time since the start.
    const TraceSink& Trace() const { return m_trace; }

    // "radioctl: OPERATION: CAUSE" on stderr; returns status.
    int Fail(const std::string& operation, const std::string& cause, int status);
    // The message and status for a reply that was not an acceptance; says so when the
    // device went away meanwhile.
    // After an interruption it says that instead.
    int Fail(const std::string& operation, ReplyVerdict verdict);
    int Usage(const std::string& message);
    // "radioctl: OPERATION on PORT: interrupted WHEN by SIGINT; REST" once (without the port
    // for an operation on none); the signal's status.
    int Interrupted(const std::string& operation, const std::string& when, const std::string& rest,
                    bool onPort = true);
    bool InterruptReported() const { return m_bInterruptReported; }
    // "nothing was written" or "written before it: ani, channels 1-37".
    std::string WrittenSoFar() const;
    // Channels the radio accepted, for that account.
    void ChannelWritten(int channel) { m_channelsWritten.push_back(channel); }
    // While held, an interruption lets further frames out (the second half of a channel).
    void HoldFrames(bool held) { m_bHoldFrames = held; }
    // Informative lines on stderr, unless --quiet.
    void Note(const std::string& message) const;
    // A progress bar on stderr when it is a terminal (and neither --quiet nor --trace).
    void Progress(const std::string& what, int done, int total) const;

private:
    // The session's way to the port: after an interruption no new frame goes out.
    class CStoppingLink final : public IRadioLink {
    public:
        explicit CStoppingLink(CCommandRun& run) : m_run(run) {}
        int Send(const std::uint8_t* bytes, int length) override;
        int PendingInput() override { return m_run.Link().PendingInput(); }
        int Read(std::uint8_t* buffer, int limit) override {
            return m_run.Link().Read(buffer, limit);
        }

    private:
        CCommandRun& m_run;
    };

    bool PortVanished() const;
    // The message on stderr for OPERATION ON WHERE, the failure recorded for OPERATION.
    int Failed(const std::string& operation, const std::string& where, const std::string& cause,
               int status);

    JsonDocument m_failure;  // null while the run has not failed
    bool m_bUsesPort;
    IRadioLink& Link();

    const GivenRadio* m_pGiven;
    CSerialPort m_port;
    CStoppingLink m_stoppingLink{*this};
    std::vector<int> m_channelsWritten;
    bool m_bHoldFrames = false;
    bool m_bInterruptReported = false;
    TraceSink m_trace;
    std::unique_ptr<CRadioSession> m_pSession;
    bool m_bShowProgress;
    std::function<void(int done, int total)> m_watchProgress;
};

// Opens the port and connects with the run's line code; kExitOk or the failure's status.
int ConnectRadio(CCommandRun& run);
// The same, then a query.
int ConnectAndQuery(CCommandRun& run, CParameterSet& params);

// A CSV plan checked whole; its faults on stderr, then "radioctl: OPERATION: CONSEQUENCE"
// and kExitUsage when it has any.
int LoadPlan(CCommandRun& run, const std::string& path, const std::string& operation,
             const std::string& consequence, std::vector<CChannelPlanCsv::Row>& rows);
// Channels first..last as the radio holds them, appended to rows.
int ReadChannelRange(CCommandRun& run, int first, int last,
                     std::vector<CChannelPlanCsv::Row>& rows);
// The channels from the lowest to the highest that rows name, as the radio holds them.
int ReadPlanChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& rows,
                     std::vector<CChannelPlanCsv::Row>& held);
// Connects and reads every parameter the radio reports and all its channels.
int ReadRadio(CCommandRun& run, RadioBackup& radio);
// Each difference on stdout, one a line ("channel 7 rx: 229.0125 → 230.0000"); with --json
// "differences": [...] in the report, and "dry_run": true for a dry run.
void PrintDifferences(CCommandRun& run, const std::vector<Difference>& differences, bool dryRun);
// Each row's channel; stops at the first not accepted and says what was written.
int WriteChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& rows);
// Reads the rows' channels back; every difference on stderr and kExitDiffers.
int VerifyChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& asked);

using Command = int (*)(CCommandRun&);
// The command's status; an interruption's when one came, said once.
int RunCommand(Command command, CCommandRun& run);

// A KEY=VALUE of set: the parameter's row and its value checked alone; nullopt with
// the fault ("ani takes a whole number from 0 to 16777215, not 'x'").
struct Assignment {
    const ParameterRow* row;
    std::int32_t value;
};
std::optional<Assignment> AssignmentNamed(const std::string& word, std::string& fault);

// The radio's parameters read, then its ANI written, the others as they were.
int WriteAni(CCommandRun& run, std::int32_t ani);

int RunQuery(CCommandRun& run);
int RunSet(CCommandRun& run);
int RunChannels(CCommandRun& run);
int RunBackup(CCommandRun& run);
int RunRestore(CCommandRun& run);
int RunLine(CCommandRun& run);
int RunDetect(CCommandRun& run);
int RunPlan(CCommandRun& run);
int RunPorts(CCommandRun& run);
int RunDiff(CCommandRun& run);

// "1 channel", "3 channels".
std::string Counted(std::size_t count, const std::string& noun);
// "1-37, 40, 42-44".
std::string ChannelRanges(const std::vector<int>& channels);

// Whether stderr is a terminal (a backend per platform).
bool ErrorStreamIsTerminal();
// Whether stderr can redraw this many lines in place with ANSI escapes: a terminal, unless
// TERM says it is a dumb one, with room for them all (more would scroll away); on Windows
// a console that takes the escapes once asked to.
bool ErrorStreamRedraws(std::size_t lines);

}  // namespace radiosetup
