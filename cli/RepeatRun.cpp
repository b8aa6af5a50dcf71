#include "RepeatRun.h"

#include <algorithm>

#include "Clock.h"
#include "FleetRun.h"
#include "RunReport.h"

namespace radiosetup {

namespace {

// Between two connects that found the port not yet as wanted.
constexpr std::chrono::milliseconds kPollPause{250};

// What each radio's run is asked: the command without the repeat's own words.
Invocation EachRadio(const Invocation& asked) {
    Invocation each = asked;
    each.args.clear();
    for (std::size_t i = 0; i < asked.args.size(); ++i) {
        if (asked.args[i] == "--ani-start") {
            ++i;
        } else if (asked.args[i] != "--repeat") {
            each.args.push_back(asked.args[i]);
        }
    }
    return each;
}

// Connects until the port answers as wanted: a radio, or silence. False when a signal
// came first.
bool WaitFor(CCommandRun& run, bool radio) {
    while (Interruption() == 0) {
        // A device that went away with its radio is opened again once it is back.
        const bool atHand = run.PortAtHand() || run.ReopenPort();
        const ReplyVerdict verdict =
            atHand ? run.Session().Connect(run.line) : ReplyVerdict::Silent;
        // After a signal no connect went out: its silence says nothing of the radio.
        if (Interruption() != 0) {
            break;
        }
        if (radio ? verdict == ReplyVerdict::Accepted : verdict == ReplyVerdict::Silent) {
            return true;
        }
        run.Clock().Sleep(kPollPause);
    }
    return false;
}

// "radio 2: ani 701: ok", the ANI as the radio holds it now.
std::string RadioLine(int number, const CCommandRun& run) {
    const std::optional<std::int32_t> ani = run.Session().AniAfter();
    return "radio " + std::to_string(number) + ": " +
           (ani ? "ani " + std::to_string(*ani) + ": " : std::string()) + run.Result();
}

}  // namespace

bool AsksRepeat(const Invocation& invocation) {
    return HasWord(invocation, "--repeat") || HasWord(invocation, "--ani-start");
}

std::string RepeatRefusal(const Invocation& invocation) {
    const bool restore = invocation.command == "restore";
    const bool write = invocation.command == "channels" && !invocation.args.empty() &&
                       invocation.args[0] == "write";
    if (!HasWord(invocation, "--repeat")) {
        return "--ani-start numbers the radios of --repeat: give --repeat too";
    }
    if (!restore && !write) {
        return "--repeat is for restore and channels write";
    }
    if (!invocation.ports.empty() || HasWord(invocation, "--dry-run") ||
        HasWord(invocation, "--ani-list")) {
        return "--repeat programs one radio after another on one port: "
               "not with --ports, --ani-list or --dry-run";
    }
    const std::string start = WordAfter(invocation, "--ani-start");
    const ParameterRow& ani = Parameter(ParamId::kAni);
    if (HasWord(invocation, "--ani-start") && !WholeNumber(start, ani.range.low, ani.range.high)) {
        return "--ani-start takes an ANI from " + std::to_string(ani.range.low) + " to " +
               std::to_string(ani.range.high) + ", not '" + start + "'";
    }
    if (HasWord(invocation, "--ani-start") && HasWord(invocation, "--keep-ani")) {
        return "--ani-start gives each radio an ANI: not with --keep-ani";
    }
    if (restore && start.empty() && !HasWord(invocation, "--keep-ani") &&
        !HasWord(invocation, "--same-ani")) {
        return "restore --repeat would give every radio the backup's ANI: give --ani-start N "
               "or --keep-ani, or --same-ani when that is meant";
    }
    return std::string();
}

int RunRepeated(const Invocation& invocation, Command command, std::ostream& out, std::ostream& err,
                std::istream& in, const GivenRadio* given) {
    const Invocation each = EachRadio(invocation);
    const long highestAni = Parameter(ParamId::kAni).range.high;
    const std::optional<long> aniStart =
        WholeNumber(WordAfter(invocation, "--ani-start"), 0, highestAni);
    JsonDocument radios = JsonDocument::array();
    int highest = kExitOk;
    bool between = true;  // a signal now ends the run with the radios' statuses
    for (int done = 0;; ++done) {
        CCommandRun run(each, out, err, true, in, given);
        // Only the first open must succeed: later the device may be away with a radio.
        if (const int opened = done == 0 ? run.OpenPort() : kExitOk; opened != kExitOk) {
            radios.push_back(RadioJson(run, opened));
            highest = opened;
            break;
        }
        if (aniStart && *aniStart + done > highestAni) {
            highest = run.Fail("--ani-start", "no ANI is left after " + std::to_string(highestAni),
                               kExitUsage);
            break;
        }
        run.Note("waiting for " + std::string(done == 0 ? "a" : "the next") + " radio on " +
                 run.Where() + "; Ctrl-C ends");
        if (!WaitFor(run, true)) {
            break;
        }
        if (aniStart) {
            run.givenAni = static_cast<std::int32_t>(*aniStart + done);
        }
        const int status = AppendReportRow(run, RunCommand(command, run));
        radios.push_back(RadioJson(run, status));
        radios.back()["radio"] = done + 1;
        if (!invocation.json) {
            out << RadioLine(done + 1, run) << std::endl;
        }
        between = Interruption() == 0;
        highest = between ? std::max(highest, status) : status;
        // A file that cannot be read or a plan with faults fails every radio alike.
        if (status == kExitUsage) {
            break;
        }
        run.Note("radio " + std::to_string(done + 1) +
                 " done: take it off; the next one is written once this one is silent");
        if (!between || !WaitFor(run, false)) {
            break;
        }
    }
    if (Interruption() != 0 && between) {
        err << "radioctl: stopped by " << SignalName(Interruption())
            << " between radios: " << Counted(radios.size(), "radio") << " done\n";
    }
    if (invocation.json) {
        out << JsonText({{"radios", radios}});
    }
    return highest;
}

}  // namespace radiosetup
