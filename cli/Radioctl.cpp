#include "Radioctl.h"

#include <algorithm>
#include <map>

#include "CommandRun.h"
#include "FleetRun.h"
#include "RepeatRun.h"
#include "RunReport.h"

namespace radiosetup {

namespace {

const std::map<std::string, Command> kCommands = {
    {"query", RunQuery},     {"set", RunSet},   {"channels", RunChannels}, {"backup", RunBackup},
    {"restore", RunRestore}, {"line", RunLine}, {"detect", RunDetect},     {"plan", RunPlan},
    {"ports", RunPorts},     {"diff", RunDiff},
};

// A command line that names no command radioctl has: the message, and with --json its
// error object.
int Refuse(const std::vector<std::string>& words, const std::string& message, std::ostream& out,
           std::ostream& err) {
    err << "radioctl: " << message << "\nTry 'radioctl --help'.\n";
    if (std::find(words.begin(), words.end(), "--json") != words.end()) {
        const JsonDocument error{{"status", kExitUsage},
                                 {"operation", "radioctl"},
                                 {"port", nullptr},
                                 {"cause", message}};
        out << JsonText({{"error", error}});
    }
    return kExitUsage;
}

}  // namespace

int RunRadioctl(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                std::istream& in, const GivenRadio* given) {
    std::string error;
    const std::optional<Invocation> invocation = ParseCommandLine(words, error);
    if (!invocation) {
        return Refuse(words, error, out, err);
    }
    if (invocation->version) {
        out << (invocation->json ? JsonText({{"version", RADIOSETUP_VERSION}})
                                 : std::string("radioctl ") + RADIOSETUP_VERSION + '\n');
        return kExitOk;
    }
    if (invocation->command.empty() && !invocation->help) {
        err << UsageText();
        return invocation->json ? Refuse(words, "no COMMAND given", out, err) : kExitUsage;
    }
    if (invocation->command.empty()) {
        out << UsageText();
        return kExitOk;
    }
    const auto command = kCommands.find(invocation->command);
    if (command == kCommands.end()) {
        return Refuse(words, "unknown command '" + invocation->command + "'", out, err);
    }
    if (invocation->help) {
        out << CommandHelp(invocation->command);
        return kExitOk;
    }
    if (AsksRepeat(*invocation)) {
        const std::string refusal = RepeatRefusal(*invocation);
        return refusal.empty() ? RunRepeated(*invocation, command->second, out, err, in, given)
                               : Refuse(words, refusal, out, err);
    }
    if (!invocation->ports.empty()) {
        const std::optional<std::vector<int>> ports = FleetPorts(*invocation, error);
        const auto anis = ports ? FleetAnis(*invocation, *ports, error) : std::nullopt;
        return anis ? RunFleet(*invocation, *ports, *anis, command->second, out, err, in)
                    : Refuse(words, error, out, err);
    }
    const bool usesPort = invocation->command != "plan" && invocation->command != "ports";
    CCommandRun run(*invocation, out, err, usesPort, in, given);
    const int ran = RunCommand(command->second, run);
    const int status = usesPort ? AppendReportRow(run, ran) : ran;
    if (invocation->json) {
        out << JsonText(run.JsonOutput());
    }
    return status;
}

}  // namespace radiosetup
