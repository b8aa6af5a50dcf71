// line, detect and plan: the radio-port dialog, the search, and plans without a radio.
#include <algorithm>
#include <mutex>
#include <sstream>
#include <thread>

#include "CommandRun.h"
#include "FleetRun.h"
#include "LineSettingsTransaction.h"
#include "PlanConvert.h"
#include "PortNaming.h"
#include "PortSettingsStore.h"
#include "RadioSearch.h"
#include "SteadyClock.h"
#include "TracingLink.h"
#include "WholeAnswerWait.h"

namespace radiosetup {

namespace {

// The number of the port the device is (by its path or stable name); 0 for none.
int PortNumberOf(const std::string& device) {
    for (const NumberedPort& numbered : ListPorts()) {
        if (numbered.number != 0 &&
            (numbered.port.devicePath == device || numbered.port.stableName == device)) {
            return numbered.number;
        }
    }
    return 0;
}

std::string Describe(const PcPortSettings& line) {
    return "port " + std::to_string(line.m_nPortNumber) + ", " + std::to_string(line.m_nBaudRate) +
           " bit/s, " + ParityPhrase(line.m_nParity);
}

// The window's search over one port, each probe said and on the trace. Searches of
// several ports at once say their lines through one lock.
std::optional<PcPortSettings> ProbePort(CCommandRun& run, int port, std::mutex& saying) {
    const TraceSink trace = [&run, &saying](const std::string& line) {
        const std::lock_guard<std::mutex> lock(saying);
        run.Trace()(line);
    };
    const ProbeLinkOpener open = [&run, &trace](const PcPortSettings& line) {
        // After an interruption the remaining probes find nothing to open.
        if (Interruption() != 0) {
            return std::unique_ptr<IRadioLink>();
        }
        auto serial = std::make_unique<CSerialPort>();
        if (!serial->Open(line.m_nPortNumber, line.m_nBaudRate, line.m_nParity)) {
            return std::unique_ptr<IRadioLink>();
        }
        return std::unique_ptr<IRadioLink>(std::make_unique<CTracingLink>(
            std::move(serial), run.Trace() ? trace : TraceSink(), "probe " + Describe(line)));
    };
    CWholeAnswerWait whole;
    return SearchPort(
        port, open, SteadyClock(),
        [&run, &saying](const PcPortSettings& line) {
            const std::lock_guard<std::mutex> lock(saying);
            run.Note("probing " + Describe(line));
        },
        whole);
}

// Each port searched on a thread of its own, as radios on several ports answer at once;
// what each found, in the order of ports.
std::vector<std::optional<PcPortSettings>> ProbePorts(CCommandRun& run,
                                                      const std::vector<int>& ports) {
    std::vector<std::optional<PcPortSettings>> found(ports.size());
    std::mutex saying;
    std::vector<std::thread> searches;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        searches.emplace_back([&, i] { found[i] = ProbePort(run, ports[i], saying); });
    }
    for (std::thread& search : searches) {
        search.join();
    }
    return found;
}

// With several ports searched, every port's finding: in the document's "radios" and, for
// people, a table after the radios found.
void ReportEachPort(CCommandRun& run, const std::vector<int>& ports,
                    const std::vector<std::optional<PcPortSettings>>& found) {
    JsonDocument radios = JsonDocument::array();
    std::vector<ResultRow> rows;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const std::string device = PortDevicePath(ports[i]);
        JsonDocument output = JsonDocument::object();
        std::string result = "no radio answered";
        if (found[i]) {
            output = {{"port", ports[i]},
                      {"baud_rate", found[i]->m_nBaudRate},
                      {"parity", ParityName(found[i]->m_nParity)}};
            result = std::to_string(found[i]->m_nBaudRate) + " bit/s, " +
                     ParityPhrase(found[i]->m_nParity);
        } else {
            output["error"] = {{"status", kExitNoReply},
                               {"operation", "detect"},
                               {"port", ports[i]},
                               {"cause", result}};
        }
        radios.push_back(RadioJson(ports[i], device, found[i] ? kExitOk : kExitNoReply, output));
        rows.push_back({ports[i], device, result});
    }
    run.report["radios"] = radios;
    if (!run.invocation.json) {
        PrintResultTable(run.out, rows);
    }
}

}  // namespace

int RunLine(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    const std::optional<int> baudRate = BaudRateNamed(args.empty() ? "" : args[0]);
    const std::optional<int> parity = ParityNamed(args.size() < 2 ? "" : args[1]);
    if (args.size() != 2 || !baudRate || !parity) {
        return run.Usage("line takes RATE (2400, 4800, 9600, 19200) and PARITY (none, odd, even)");
    }
    run.ReportWhere();
    if (const int opened = run.OpenPort(); opened != kExitOk) {
        return opened;
    }
    CTracingLink traced(run.Port(), run.Trace(), "line " + args[0] + " " + args[1]);
    CWholeAnswerWait whole;
    const ReplyVerdict verdict =
        CLineSettingsTransaction(traced, SteadyClock(), whole).Send(*baudRate, *parity);
    if (verdict != ReplyVerdict::Accepted) {
        return run.Fail("line", verdict);
    }
    const std::string now = "the radio now uses " + args[0] + " bit/s, " + ParityPhrase(*parity);
    // The stored settings belong to a port number, never to a device that has none.
    const int port = run.invocation.device.empty() ? run.line.m_nPortNumber
                                                   : PortNumberOf(run.invocation.device);
    run.report["radio"] = {{"baud_rate", *baudRate}, {"parity", ParityName(*parity)}};
    run.report["stored_port"] = nullptr;
    if (port == 0) {
        run.Note(now + "; " + run.invocation.device +
                 " has no port number, so no PC settings were stored (radioctl ports assign "
                 "gives it one)");
        return kExitOk;
    }
    if (SavePortSettings(port, *parity, *baudRate)) {
        run.report["stored_port"] = port;
    } else {
        return run.Fail("line",
                        "the radio took the new settings, but the PC settings could not "
                        "be stored",
                        kExitPort);
    }
    run.Note(now + "; stored as the PC settings of port " + std::to_string(port));
    return kExitOk;
}

int RunDetect(CCommandRun& run) {
    std::vector<int> ports = {1, 2};
    bool save = false;
    const std::vector<std::string>& args = run.invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--save") {
            save = true;
        } else if (args[i] == "--ports" && i + 1 < args.size()) {
            std::string error;
            const auto list = args[++i].empty()
                                  ? std::nullopt
                                  : PortNumbersNamed(args[i], PresentPortNumbers, error);
            if (!list) {
                return run.Usage("--ports takes port numbers 1.." +
                                 std::to_string(kHighestNumberedPort) +
                                 " and ranges (1,3-6), or all");
            }
            ports = *list;
        } else {
            return run.Usage("detect takes --ports LIST and --save");
        }
    }
    // Probing a device that is not there costs twelve opens and says nothing.
    const std::vector<int> present = PresentPortNumbers();
    std::vector<int> probed;
    std::vector<std::string> absent;
    for (const int port : ports) {
        if (std::find(present.begin(), present.end(), port) != present.end()) {
            probed.push_back(port);
        } else {
            absent.push_back("port " + std::to_string(port) + " (" + PortDevicePath(port) + ")");
        }
    }
    if (probed.empty()) {
        std::string names;
        for (const std::string& name : absent) {
            names += (names.empty() ? "" : ", ") + name;
        }
        return run.Fail("detect",
                        "every port to search is absent: " + names +
                            "; plug the radio in or choose other ports (radioctl ports lists "
                            "them)",
                        kExitPort);
    }
    for (const std::string& name : absent) {
        run.Note(name + " is absent; not probed");
    }
    const std::vector<std::optional<PcPortSettings>> found = ProbePorts(run, probed);
    if (Interruption() != 0) {
        return run.Interrupted("detect", "", "nothing was stored", false);
    }
    run.report = JsonDocument::object();
    // The first radio found in the order asked is the one --save stores.
    const auto first = std::find_if(found.begin(), found.end(),
                                    [](const auto& settings) { return settings.has_value(); });
    if (first != found.end()) {
        run.report = {{"port", (*first)->m_nPortNumber},
                      {"baud_rate", (*first)->m_nBaudRate},
                      {"parity", ParityName((*first)->m_nParity)},
                      {"saved", save}};
    }
    for (const auto& settings : found) {
        if (settings && !run.invocation.json) {
            run.out << "radio found on " << Describe(*settings) << "\n";
        }
    }
    if (probed.size() > 1) {
        ReportEachPort(run, probed, found);
    }
    if (first == found.end()) {
        return run.Fail("detect", "no radio answered on the ports searched", kExitNoReply);
    }
    if (save &&
        !SavePortSettings((*first)->m_nPortNumber, (*first)->m_nParity, (*first)->m_nBaudRate)) {
        run.report["saved"] = false;
        return run.Fail("detect --save", "the PC settings could not be stored", kExitPort);
    }
    return kExitOk;
}

int RunPlan(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    if (args.size() != 3 || args[0] != "convert") {
        return run.Usage("plan takes convert IN OUT");
    }
    run.report = {{"input", args[1]}, {"output", args[2]}};
    const std::vector<std::string> faults = CPlanConvert::Convert(args[1], args[2]);
    for (const std::string& fault : faults) {
        run.err << fault << '\n';
    }
    if (faults.empty()) {
        return kExitOk;
    }
    run.RecordFailure("plan convert", faults.front(), kExitUsage);
    return kExitUsage;
}

}  // namespace radiosetup
