// ports: the serial ports of this machine, their numbers and states.
#include <algorithm>
#include <array>

#include "CommandRun.h"
#include "Json.h"
#include "PortFailureWords.h"
#include "PortNaming.h"

namespace radiosetup {

namespace {

constexpr std::size_t kColumns = 5;
using Row = std::array<std::string, kColumns>;

const char* StateName(PortState state) {
    switch (state) {
        case PortState::Free:
            return "free";
        case PortState::InUse:
            return "in_use";
        case PortState::NoPermission:
            return "no_permission";
        case PortState::Absent:
            break;
    }
    return "absent";
}

std::string StatePhrase(const SerialPortInfo& port) {
    switch (port.state) {
        case PortState::InUse:
            return "in use by " + HolderPhrase(port.holder);
        case PortState::NoPermission:
            return "no permission";
        case PortState::Free:
        case PortState::Absent:
            break;
    }
    return StateName(port.state);
}

void PrintTable(CCommandRun& run, const std::vector<NumberedPort>& ports) {
    std::vector<Row> rows = {{"PORT", "DEVICE", "STABLE NAME", "DESCRIPTION", "STATE"}};
    for (const NumberedPort& listed : ports) {
        const SerialPortInfo& port = listed.port;
        rows.push_back({listed.number > 0 ? std::to_string(listed.number) : "-", port.devicePath,
                        port.stableName, port.description.empty() ? "-" : port.description,
                        StatePhrase(port)});
    }
    std::array<std::size_t, kColumns> widths{};
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < kColumns; ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    for (const Row& row : rows) {
        for (std::size_t i = 0; i + 1 < kColumns; ++i) {
            run.out << row[i] << std::string(widths[i] - row[i].size() + 2, ' ');
        }
        run.out << row.back() << '\n';
    }
}

JsonDocument PortJson(const NumberedPort& listed) {
    const SerialPortInfo& port = listed.port;
    JsonDocument item{{"number", nullptr},
                      {"device", port.devicePath},
                      {"stable_name", port.stableName},
                      {"description", port.description},
                      {"state", StateName(port.state)}};
    if (listed.number > 0) {
        item["number"] = listed.number;
    }
    if (port.state == PortState::InUse) {
        item["pid"] = port.holder.pid > 0 ? JsonDocument(port.holder.pid) : nullptr;
        item["program"] = port.holder.program.empty() ? nullptr : JsonDocument(port.holder.program);
    }
    return item;
}

JsonDocument PortsJson(const std::vector<NumberedPort>& ports) {
    JsonDocument list = JsonDocument::array();
    for (const NumberedPort& listed : ports) {
        list.push_back(PortJson(listed));
    }
    return list;
}

int AssignPort(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    const auto number =
        args.size() == 3 ? WholeNumber(args[1], 1, kHighestNumberedPort) : std::nullopt;
    if (!number || args[2].empty()) {
        return run.Usage("ports assign takes a port number 1.." +
                         std::to_string(kHighestNumberedPort) + " and a DEVICE");
    }
    std::string reason;
    if (!AssignPortNumber(static_cast<int>(*number), args[2], reason)) {
        return run.Fail("ports assign " + args[1] + " " + args[2], reason, kExitUsage);
    }
    run.report = {{"number", *number}, {"device", args[2]}};
    if (!run.invocation.json) {
        run.out << "port " << *number << " is now " << args[2] << '\n';
    }
    return kExitOk;
}

}  // namespace

int RunPorts(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    if (!args.empty() && args[0] == "assign") {
        return AssignPort(run);
    }
    if (!args.empty()) {
        return run.Usage("ports takes no arguments, or assign N DEVICE");
    }
    // Listing is seeing: an adapter met for the first time gets its number now.
    NumberNewAdapters();
    const std::vector<NumberedPort> ports = ListPorts();
    run.report = PortsJson(ports);
    if (!run.invocation.json) {
        PrintTable(run, ports);
    }
    return kExitOk;
}

}  // namespace radiosetup
