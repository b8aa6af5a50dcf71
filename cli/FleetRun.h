#pragma once

#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CommandRun.h"

namespace radiosetup {

// The ports --ports names for this command; nullopt with the message when the command
// takes no fleet, another option contradicts it or radios would share one output file.
std::optional<std::vector<int>> FleetPorts(const Invocation& invocation, std::string& error);

// The ANI --ani-list gives each of the ports, read once before anything starts (empty
// without the option); nullopt with the fault: the file's, or the ports it leaves out.
std::optional<std::map<int, std::int32_t>> FleetAnis(const Invocation& invocation,
                                                     const std::vector<int>& ports,
                                                     std::string& error);

// The table after the radios of a run over several ports: port, device, result.
struct ResultRow {
    int port;
    std::string device;
    std::string result;  // "ok" or the cause
};
void PrintResultTable(std::ostream& out, const std::vector<ResultRow>& rows);

// One radio's entry of a document over several: {port, device, status, output}, the
// output being what --json prints for one radio; the run's own, or one given.
JsonDocument RadioJson(int port, const std::string& device, int status, JsonDocument output);
JsonDocument RadioJson(const CCommandRun& run, int status);

// The command on each port at once: each radio on its own thread, with its own port and
// session, in the same conversation as one radio alone. Each radio's output is printed
// whole when it ends, every line after "port N: "; then a summary table (port, device,
// result). With --json one document: {"radios": [{port, device, status, output}...]}, the
// output being what --json prints for one radio. Each radio gets its ANI from anis. The highest of
// the radios' statuses.
int RunFleet(const Invocation& invocation, const std::vector<int>& ports,
             const std::map<int, std::int32_t>& anis, Command command, std::ostream& out,
             std::ostream& err, std::istream& in);

}  // namespace radiosetup
