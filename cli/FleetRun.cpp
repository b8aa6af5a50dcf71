#include "FleetRun.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <iomanip>
#include <iterator>
#include <mutex>
#include <sstream>
#include <thread>

#include "AniList.h"
#include "PortNaming.h"
#include "RunReport.h"

namespace radiosetup {

namespace {

const char* const kFleetCommands[] = {"query", "set", "channels", "backup", "restore", "diff"};

// One radio of the fleet: its own port, its output gathered until it ends.
struct FleetRadio {
    FleetRadio(const Invocation& asked, int port, const std::string& input)
        : invocation(asked), in(input) {
        invocation.port = port;
        invocation.ports.clear();
    }

    Invocation invocation;
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in;
    std::unique_ptr<CCommandRun> run;
    int status = kExitOk;
    // What the live table shows: written by the radio's thread under the fleet's lock.
    std::string step = "starting";
    int done = 0;
    int total = 0;
    bool finished = false;
};

using FleetRadios = std::vector<std::unique_ptr<FleetRadio>>;

// On a terminal, a line per radio redrawn in place while the radios work: port, device,
// the request in flight, the progress and, once it ended, the result.
class CLiveTable {
public:
    CLiveTable(std::ostream& err, const FleetRadios& radios, std::mutex& lock)
        : m_err(err), m_radios(radios), m_lock(lock), m_thread([this] { Run(); }) {}
    ~CLiveTable() {
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_bStopping = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    CLiveTable(const CLiveTable&) = delete;
    CLiveTable& operator=(const CLiveTable&) = delete;

private:
    static constexpr std::chrono::milliseconds kRedraw{200};

    void Run() {
        std::unique_lock<std::mutex> lock(m_lock);
        for (bool drawn = false;; drawn = true) {
            Draw(drawn);
            if (m_bStopping) {
                return;
            }
            m_wake.wait_for(lock, kRedraw);
        }
    }

    // Over the lines drawn before, when there are any.
    void Draw(bool over) const {
        std::size_t width = std::string("device").size();
        for (const auto& radio : m_radios) {
            width = std::max(width, radio->run->DevicePath().size());
        }
        if (over) {
            m_err << "\033[" << m_radios.size() + 1 << 'F';
        }
        const auto line = [&](const std::string& port, const std::string& device,
                              const std::string& step, const std::string& progress,
                              const std::string& result) {
            m_err << "\033[2K" << std::left << std::setw(6) << port
                  << std::setw(static_cast<int>(width + 2)) << device << std::setw(24) << step
                  << std::setw(10) << progress << result << '\n';
        };
        line("port", "device", "step", "progress", "result");
        for (const auto& radio : m_radios) {
            const std::string progress =
                radio->total > 0 ? std::to_string(radio->done) + "/" + std::to_string(radio->total)
                                 : std::string();
            line(std::to_string(*radio->invocation.port), radio->run->DevicePath(),
                 radio->finished ? "done" : radio->step, progress,
                 radio->finished ? radio->run->Result() : std::string());
        }
        m_err << std::flush;
    }

    std::ostream& m_err;
    const FleetRadios& m_radios;
    std::mutex& m_lock;
    bool m_bStopping = false;
    std::condition_variable m_wake;
    std::thread m_thread;
};

// The file a command writes, when it writes one: each radio needs its own.
std::string OutputPattern(const Invocation& invocation) {
    const std::vector<std::string>& args = invocation.args;
    if (invocation.command == "backup") {
        return args.empty() ? std::string() : args[0];
    }
    const bool read = invocation.command == "channels" && !args.empty() && args[0] == "read";
    return read ? WordAfter(invocation, "-o") : std::string();
}

bool SharesOneAni(const Invocation& invocation) {
    return invocation.command == "restore" && !HasWord(invocation, "--keep-ani") &&
           !HasWord(invocation, "--ani-list") && !HasWord(invocation, "--same-ani") &&
           !HasWord(invocation, "--dry-run");
}

// Standard input read once, for every radio that reads "-".
std::string SharedInput(const Invocation& invocation, std::istream& in) {
    if (!HasWord(invocation, "-")) {
        return std::string();
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PrintPrefixed(std::ostream& to, const std::string& text, int port) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        to << "port " << port << ": " << line << '\n';
    }
    to << std::flush;
}

void PrintSummary(std::ostream& out, const FleetRadios& radios) {
    std::vector<ResultRow> rows;
    for (const auto& radio : radios) {
        rows.push_back({*radio->invocation.port, radio->run->DevicePath(), radio->run->Result()});
    }
    PrintResultTable(out, rows);
}

JsonDocument FleetJson(const FleetRadios& radios) {
    JsonDocument entries = JsonDocument::array();
    for (const auto& radio : radios) {
        entries.push_back(RadioJson(*radio->run, radio->status));
    }
    return {{"radios", entries}};
}

}  // namespace

void PrintResultTable(std::ostream& out, const std::vector<ResultRow>& rows) {
    std::size_t width = std::string("device").size();
    for (const ResultRow& row : rows) {
        width = std::max(width, row.device.size());
    }
    const auto line = [&](const std::string& port, const std::string& device,
                          const std::string& result) {
        out << std::left << std::setw(6) << port << std::setw(static_cast<int>(width + 2)) << device
            << result << '\n';
    };
    line("port", "device", "result");
    for (const ResultRow& row : rows) {
        line(std::to_string(row.port), row.device, row.result);
    }
}

JsonDocument RadioJson(int port, const std::string& device, int status, JsonDocument output) {
    return {{"port", port}, {"device", device}, {"status", status}, {"output", std::move(output)}};
}

JsonDocument RadioJson(const CCommandRun& run, int status) {
    return RadioJson(run.line.m_nPortNumber, run.DevicePath(), status, run.JsonOutput());
}

std::optional<std::vector<int>> FleetPorts(const Invocation& invocation, std::string& error) {
    if (std::find(std::begin(kFleetCommands), std::end(kFleetCommands), invocation.command) ==
        std::end(kFleetCommands)) {
        error = "--ports is not for " + invocation.command + " (detect takes its own)";
        return std::nullopt;
    }
    if (invocation.port || !invocation.device.empty()) {
        error = "--ports names the ports itself: not with --port or --device";
        return std::nullopt;
    }
    const std::optional<std::vector<int>> ports =
        PortNumbersNamed(invocation.ports, PresentPortNumbers, error);
    const std::string pattern = OutputPattern(invocation);
    if (ports && ports->size() > 1 && !pattern.empty() &&
        pattern.find("{port}") == std::string::npos && pattern.find("{ani}") == std::string::npos) {
        error = "each radio needs its own file: put {port} or {ani} in '" + pattern + "'";
        return std::nullopt;
    }
    if (ports && ports->size() > 1 && SharesOneAni(invocation)) {
        error =
            "restore would give every radio the backup's ANI: give --ani-list FILE or "
            "--keep-ani, or --same-ani when that is meant";
        return std::nullopt;
    }
    return ports;
}

std::optional<std::map<int, std::int32_t>> FleetAnis(const Invocation& invocation,
                                                     const std::vector<int>& ports,
                                                     std::string& error) {
    const std::string list = WordAfter(invocation, "--ani-list");
    if (invocation.command != "restore" || list.empty()) {
        return std::map<int, std::int32_t>();
    }
    const auto anis = CAniList::Read(list, error);
    std::vector<int> missing;
    for (const int port : ports) {
        if (anis && anis->count(port) == 0) {
            missing.push_back(port);
        }
    }
    if (!missing.empty()) {
        error = list + " gives no ANI to " + (missing.size() == 1 ? "port " : "ports ") +
                ChannelRanges(missing) + "; nothing was written";
        return std::nullopt;
    }
    return anis;
}

int RunFleet(const Invocation& invocation, const std::vector<int>& ports,
             const std::map<int, std::int32_t>& anis, Command command, std::ostream& out,
             std::ostream& err, std::istream& in) {
    const std::string input = SharedInput(invocation, in);
    FleetRadios radios;
    std::mutex lock;
    // The settings are read here, one run after another; the threads only talk.
    for (const int port : ports) {
        auto radio = std::make_unique<FleetRadio>(invocation, port, input);
        radio->run = std::make_unique<CCommandRun>(radio->invocation, radio->out, radio->err, true,
                                                   radio->in);
        radio->run->HideProgress([&lock, one = radio.get()](int done, int total) {
            const std::lock_guard<std::mutex> held(lock);
            one->done = done;
            one->total = total;
        });
        radio->run->Session().OnRequest([&lock, one = radio.get()](const std::string& what) {
            const std::lock_guard<std::mutex> held(lock);
            one->step = what;
        });
        if (const auto listed = anis.find(port); listed != anis.end()) {
            radio->run->givenAni = listed->second;
        }
        radios.push_back(std::move(radio));
    }
    const bool live =
        !invocation.quiet && !invocation.trace && ErrorStreamRedraws(radios.size() + 1);
    // The radios' own lines wait for the live table to end; without it each radio's come
    // whole as it ends.
    const auto print = [&](const FleetRadio& one) {
        if (!invocation.json) {
            PrintPrefixed(out, one.out.str(), *one.invocation.port);
        }
        PrintPrefixed(err, one.err.str(), *one.invocation.port);
    };
    {
        std::optional<CLiveTable> table;
        if (live) {
            table.emplace(err, radios, lock);
        }
        std::vector<std::thread> threads;
        for (const auto& radio : radios) {
            threads.emplace_back([&, one = radio.get()] {
                const int status = RunCommand(command, *one->run);
                const std::lock_guard<std::mutex> held(lock);
                one->status = AppendReportRow(*one->run, status);
                one->finished = true;
                if (!live) {
                    print(*one);
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    for (const auto& radio : radios) {
        if (live) {
            print(*radio);
        }
    }
    if (invocation.json) {
        out << JsonText(FleetJson(radios));
    } else {
        PrintSummary(out, radios);
    }
    int status = kExitOk;
    for (const auto& radio : radios) {
        status = std::max(status, radio->status);
    }
    return status;
}

}  // namespace radiosetup
