#include "CommandRun.h"

#include <cstdio>
#include <filesystem>

#include "PortFailureWords.h"
#include "PortNaming.h"
#include "PortSettingsStore.h"
#include "SteadyClock.h"

namespace radiosetup {

namespace {

constexpr int kProgressWidth = 30;

PcPortSettings LineOf(const Invocation& invocation) {
    PcPortSettings line;
    LoadPortSettings(line);
    if (invocation.port) {
        line.m_nPortNumber = static_cast<std::uint8_t>(*invocation.port);
    }
    line.m_nBaudRate = invocation.baudRate.value_or(line.m_nBaudRate);
    line.m_nParity = static_cast<std::uint8_t>(invocation.parity.value_or(line.m_nParity));
    return line;
}

}  // namespace

CCommandRun::CCommandRun(const Invocation& invocation_, std::ostream& out_, std::ostream& err_,
                         bool usesPort, std::istream& in_, const GivenRadio* given)
    : invocation(invocation_),
      out(out_),
      err(err_),
      in(in_),
      line(usesPort ? LineOf(invocation_) : PcPortSettings()),
      m_bUsesPort(usesPort),
      m_pGiven(given),
      m_bShowProgress(!invocation_.quiet && !invocation_.trace && ErrorStreamIsTerminal()) {
    if (invocation.trace) {
        const std::chrono::milliseconds start = SteadyClock().Now();
        m_trace = [this, start](const std::string& text) {
            const long long elapsed = (SteadyClock().Now() - start).count();
            char time[32];
            std::snprintf(time, sizeof(time), "%4lld.%03lld ", elapsed / 1000, elapsed % 1000);
            err << time << text << '\n' << std::flush;
        };
    }
    m_pSession = std::make_unique<CRadioSession>(m_stoppingLink, Clock(), m_trace,
                                                 [this] { return PortVanished(); });
}

int CCommandRun::CStoppingLink::Send(const std::uint8_t* bytes, int length) {
    return Interruption() != 0 && !m_run.m_bHoldFrames ? 0 : m_run.Link().Send(bytes, length);
}

IRadioLink& CCommandRun::Link() {
    return m_pGiven ? m_pGiven->link : m_port;
}

int CCommandRun::Interrupted(const std::string& operation, const std::string& when,
                             const std::string& rest, bool onPort) {
    const int signal = Interruption();
    if (!m_bInterruptReported) {
        m_bInterruptReported = true;
        const std::string cause = std::string("interrupted") + (when.empty() ? "" : " " + when) +
                                  " by " + SignalName(signal) + "; " + rest;
        err << "radioctl: " << operation << (onPort ? " on " + Where() : std::string()) << ": "
            << cause << '\n';
        RecordFailure(operation, cause, InterruptedStatus(signal));
    }
    return InterruptedStatus(signal);
}

std::string CCommandRun::WrittenSoFar() const {
    const std::string set = "set ";
    std::string list;
    for (const std::string& what : m_pSession->Accepted()) {
        const std::string name =
            what.compare(0, set.size(), set) == 0 ? what.substr(set.size()) : what;
        list += (list.empty() ? "" : ", ") + name;
    }
    if (!m_channelsWritten.empty()) {
        list += (list.empty() ? "channels " : ", channels ") + ChannelRanges(m_channelsWritten);
    }
    return list.empty() ? "nothing was written" : "written before it: " + list;
}

std::string Counted(std::size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string ChannelRanges(const std::vector<int>& channels) {
    std::string text;
    for (std::size_t i = 0; i < channels.size();) {
        std::size_t end = i;
        while (end + 1 < channels.size() && channels[end + 1] == channels[end] + 1) {
            ++end;
        }
        text += (text.empty() ? "" : ", ") + std::to_string(channels[i]) +
                (end > i ? "-" + std::to_string(channels[end]) : "");
        i = end + 1;
    }
    return text;
}

const char* SignalName(int signal) {
    return signal == kSignalHangUp ? "SIGHUP" : signal == kSignalTerminate ? "SIGTERM" : "SIGINT";
}

int InterruptedStatus(int signal) {
    return 128 + signal;
}

std::string CCommandRun::DevicePath() const {
    return invocation.device.empty() ? PortDevicePath(line.m_nPortNumber) : invocation.device;
}

std::string CCommandRun::OutputPath(const std::string& pattern) const {
    std::vector<std::pair<std::string, std::string>> values = {
        {"{port}", invocation.device.empty()
                       ? std::to_string(line.m_nPortNumber)
                       : std::filesystem::path(invocation.device).filename().string()}};
    if (const auto ani = m_pSession->AniAfter()) {
        values.emplace_back("{ani}", std::to_string(*ani));
    }
    std::string path = pattern;
    for (const auto& [placeholder, value] : values) {
        for (auto at = path.find(placeholder); at != std::string::npos;
             at = path.find(placeholder, at + value.size())) {
            path.replace(at, placeholder.size(), value);
        }
    }
    return path;
}

std::string CCommandRun::Result() const {
    return m_failure.is_null() ? "ok" : m_failure["cause"].get<std::string>();
}

int RunCommand(Command command, CCommandRun& run) {
    const int status = command(run);
    const int signal = Interruption();
    if (signal == 0) {
        return status;
    }
    if (!run.InterruptReported()) {
        const std::string cause = std::string("interrupted by ") + SignalName(signal) + "; " +
                                  (status == kExitOk ? "it had finished" : run.WrittenSoFar());
        run.err << "radioctl: " << run.invocation.command << ": " << cause << '\n';
        run.RecordFailure(run.invocation.command, cause, InterruptedStatus(signal));
    }
    return InterruptedStatus(signal);
}

std::string CCommandRun::Where() const {
    const std::string port = invocation.device.empty()
                                 ? "port " + std::to_string(line.m_nPortNumber)
                                 : invocation.device;
    return port + " (" + std::to_string(line.m_nBaudRate) + " bit/s, " +
           ParityPhrase(line.m_nParity) + ")";
}

IClock& CCommandRun::Clock() const {
    return m_pGiven ? m_pGiven->clock : SteadyClock();
}

int CCommandRun::OpenPort() {
    if (m_pGiven || m_port.IsOpen()) {
        return kExitOk;
    }
    if (ReopenPort()) {
        return kExitOk;
    }
    const std::optional<PortFailure> failure = m_port.Failure();
    return Failed("open", "open " + Where(),
                  failure ? OpenFailureCause(*failure, line.m_nBaudRate, line.m_nParity)
                          : "the port cannot be opened",
                  kExitPort);
}

bool CCommandRun::PortAtHand() const {
    return m_pGiven || (m_port.IsOpen() && !PortVanished());
}

bool CCommandRun::ReopenPort() {
    if (m_pGiven) {
        return true;
    }
    m_port.Close();
    return invocation.device.empty()
               ? m_port.Open(line.m_nPortNumber, line.m_nBaudRate, line.m_nParity)
               : m_port.OpenDevice(invocation.device, line.m_nBaudRate, line.m_nParity);
}

bool CCommandRun::PortVanished() const {
    const std::optional<PortFailure> failure = m_port.Failure();
    return failure && failure->kind == PortFailure::Kind::Vanished;
}

int CCommandRun::Fail(const std::string& operation, const std::string& cause, int status) {
    return Failed(operation, operation, cause, status);
}

int CCommandRun::Failed(const std::string& operation, const std::string& where,
                        const std::string& cause, int status) {
    err << "radioctl: " << where << ": " << cause << '\n';
    RecordFailure(operation, cause, status);
    return status;
}

void CCommandRun::RecordFailure(const std::string& operation, const std::string& cause,
                                int status) {
    if (!m_failure.is_null()) {
        return;
    }
    JsonDocument port = nullptr;
    if (m_bUsesPort) {
        port = invocation.device.empty() ? JsonDocument(line.m_nPortNumber)
                                         : JsonDocument(invocation.device);
    }
    m_failure = {{"status", status}, {"operation", operation}, {"port", port}, {"cause", cause}};
}

void CCommandRun::ReportWhere() {
    if (invocation.device.empty()) {
        report["port"] = line.m_nPortNumber;
    } else {
        report["device"] = invocation.device;
    }
    report["baud_rate"] = line.m_nBaudRate;
    report["parity"] = ParityName(line.m_nParity);
}

void CCommandRun::ReportDifferences(const JsonDocument& found) {
    JsonDocument& differences = report["differences"];
    if (differences.is_null()) {
        differences = JsonDocument::array();
    }
    differences.insert(differences.end(), found.begin(), found.end());
}

JsonDocument CCommandRun::JsonOutput() const {
    if (m_failure.is_null()) {
        return report;
    }
    // What was done before the failure stays beside it; a list gives way to it.
    JsonDocument failed = report.is_object() ? report : JsonDocument::object();
    failed["error"] = m_failure;
    return failed;
}

// "radioctl: set ani on port 1 (9600 bit/s, no parity): refused by the radio".
int CCommandRun::Fail(const std::string& operation, ReplyVerdict verdict) {
    const std::string where = operation + " on " + Where();
    // The reply that did not come was never asked for.
    if (Interruption() != 0) {
        return Interrupted(operation, "", WrittenSoFar());
    }
    // A reply that stopped coming may be the device's doing, not the radio's.
    const std::string gone = PortVanished() ? VanishedNote(*m_port.Failure()) : "";
    switch (verdict) {
        case ReplyVerdict::Silent:
            return Failed(operation, where, "no reply from the radio" + gone, kExitNoReply);
        case ReplyVerdict::Short:
            return Failed(operation, where, "the radio's reply was cut short" + gone, kExitNoReply);
        case ReplyVerdict::BadChecksum:
            return Failed(operation, where,
                          "the radio's parameter block failed its checksum" + gone, kExitNoReply);
        case ReplyVerdict::Refused:
            return Failed(operation, where, "refused by the radio", kExitRefused);
        case ReplyVerdict::Unexpected:
        case ReplyVerdict::Accepted:
            break;
    }
    return Failed(operation, where, "the radio answered with a status that is no acceptance",
                  kExitRefused);
}

int CCommandRun::Usage(const std::string& message) {
    err << "radioctl: " << message << "\nTry 'radioctl " << invocation.command << " --help'.\n";
    RecordFailure(invocation.command, message, kExitUsage);
    return kExitUsage;
}

void CCommandRun::Note(const std::string& message) const {
    if (!invocation.quiet) {
        err << message << '\n';
    }
}

void CCommandRun::Progress(const std::string& what, int done, int total) const {
    if (m_watchProgress) {
        m_watchProgress(done, total);
    }
    if (!m_bShowProgress || total <= 0) {
        return;
    }
    const int filled = kProgressWidth * done / total;
    err << '\r' << what << " [" << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(kProgressWidth - filled), '.') << "] " << done
        << '/' << total << (done == total ? "\n" : "") << std::flush;
}

int ConnectRadio(CCommandRun& run) {
    if (const int opened = run.OpenPort(); opened != kExitOk) {
        return opened;
    }
    const ReplyVerdict connected = run.Session().Connect(run.line);
    return connected == ReplyVerdict::Accepted ? kExitOk : run.Fail("connect", connected);
}

int ConnectAndQuery(CCommandRun& run, CParameterSet& params) {
    if (const int connected = ConnectRadio(run); connected != kExitOk) {
        return connected;
    }
    const ReplyVerdict queried = run.Session().Query(params);
    return queried == ReplyVerdict::Accepted ? kExitOk : run.Fail("query", queried);
}

}  // namespace radiosetup
