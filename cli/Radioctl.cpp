#include "Radioctl.h"

#include <map>

#include "CommandRun.h"

namespace radiosetup {

namespace {

using Command = int (*)(CCommandRun&);

const std::map<std::string, Command> kCommands = {
    {"query", RunQuery},     {"set", RunSet},   {"channels", RunChannels}, {"backup", RunBackup},
    {"restore", RunRestore}, {"line", RunLine}, {"detect", RunDetect},     {"plan", RunPlan},
    {"ports", RunPorts},     {"diff", RunDiff},
};

}  // namespace

int RunRadioctl(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                const GivenRadio* given) {
    std::string error;
    const std::optional<Invocation> invocation = ParseCommandLine(words, error);
    if (!invocation) {
        err << "radioctl: " << error << "\nTry 'radioctl --help'.\n";
        return kExitUsage;
    }
    if (invocation->version) {
        out << "radioctl " << RADIOSETUP_VERSION << '\n';
        return kExitOk;
    }
    if (invocation->command.empty()) {
        (invocation->help ? out : err) << UsageText();
        return invocation->help ? kExitOk : kExitUsage;
    }
    const auto command = kCommands.find(invocation->command);
    if (command == kCommands.end()) {
        err << "radioctl: unknown command '" << invocation->command
            << "'\nTry 'radioctl --help'.\n";
        return kExitUsage;
    }
    if (invocation->help) {
        out << CommandHelp(invocation->command);
        return kExitOk;
    }
    const bool usesPort = invocation->command != "plan" && invocation->command != "ports";
    CCommandRun run(*invocation, out, err, usesPort, given);
    const int status = command->second(run);
    const int signal = Interruption();
    if (signal == 0) {
        return status;
    }
    if (!run.InterruptReported()) {
        err << "radioctl: " << invocation->command << ": interrupted by " << SignalName(signal)
            << "; " << (status == kExitOk ? "it had finished" : run.WrittenSoFar()) << '\n';
    }
    return InterruptedStatus(signal);
}

}  // namespace radiosetup
