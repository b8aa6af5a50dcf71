#include "CommandLine.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "ParameterTable.h"
#include "PcPortSettings.h"

namespace radiosetup {

namespace {

const char* const kUsage =
    R"(Usage: radioctl [--port N | --device PATH | --ports LIST] [--report FILE]
                [--rate 2400|4800|9600|19200] [--parity none|odd|even]
                [--json] [--trace] [--quiet] COMMAND [ARGS]

Talks to a data radio on a PC serial port, as the radiosetup window does.

Commands:
  detect [--ports LIST] [--save]        find the radios: each port x rate x parity
  query                                 read every parameter the radio reports
  set KEY=VALUE... | --from-json FILE   write parameters (see radioctl set --help)
  channels read [FIRST [LAST]] [-o FILE]  channel frequencies to CSV (stdout default)
  channels write FILE [--verify] [--repeat [--ani-start N]]
                                        write the channels a CSV names
  backup FILE                           every parameter and all 100 channels to JSON
  restore FILE [--keep-ani | --ani-list FILE | --same-ani] [--set KEY=VALUE]...
               [--verify] [--repeat [--ani-start N]]
                                        write a backup to a radio (both take --dry-run:
                                        show what would change, write nothing; both
                                        take --repeat: one radio after another)
  diff FILE                             the radio against a backup or a CSV plan
  line RATE PARITY                      change the radio's own serial settings
  plan convert IN OUT                   ChanPara.txt <-> CSV, by extension; no radio
  ports [assign N DEVICE]               list the serial ports and their numbers, or
                                        give DEVICE the number N

Options (before or after the command):
  --port N        PC port 1..255 (Linux: the [Ports] map of the settings file, else
                  /dev/ttyS<N-1>; Windows: COMN); radioctl ports lists them
  --device PATH   a serial device by its path instead of a port number
  --ports LIST    query, set, channels, backup, restore, diff and detect on each port
                  of LIST at once (1,3-6 or all present): one thread per radio, a live
                  table on a terminal, each radio's lines after "port N: ", then a
                  table of the results; the exit status is the highest. backup FILE
                  takes {port} and {ani}
  --report FILE   append a row per radio: time, port, device, ANI before and after,
                  operation, result, differences (CSV; JSON Lines for .json/.jsonl)
  --rate R        line rate for this run
  --parity P      line parity for this run
  --json          one JSON document on stdout, for every command and also on failure
                  ("error": status, operation, port, cause); frequencies in Hz. The
                  keys are those set takes and backups hold (man radioctl lists them)
  --trace         every frame sent and received on stderr, with its time
  --quiet         no progress and no messages but errors
  --help          this text; COMMAND --help for one command
  --version       the release of radioctl

Port, rate and parity default to the settings the window stores; options here change
them for one run only (only "detect --save" and "line" store settings).

Exit status: 0 success, 1 bad usage, a bad input file or an output file that cannot be
written, 2 port cannot be opened, is in use or absent (or the PC settings cannot be stored),
3 no reply, 4 refused by the radio, 5 verification or diff found differences. Ctrl-C, SIGTERM and
SIGHUP stop a run after the frame in flight, release the port and say what was written
(status 130, 143, 129); a second Ctrl-C ends it at once.
)";

const std::map<std::string, std::string> kCommandHelp = {
    {"detect", R"(Usage: radioctl detect [--ports LIST] [--save]

Probes each port of LIST (default 1,2; numbers and ranges 1..255 or all, e.g. --ports
1,3-6) at 19200, 9600, 4800 and 2400 bit/s, each with no, odd and even parity, as the
window's search does, every port at once, and prints each port, rate and parity that
answered (--json: port, baud_rate, parity, saved of the first; with several ports also
radios [{port, device, status, output}...]), then, with several ports, a table of what
each port gave. --save stores the first radio found as the PC settings. A port whose
device is absent is named once and not probed. The search sets its own line: --port,
--device, --rate and --parity do not apply. Exit status 2 when every port of LIST is
absent, 3 when nothing answers anywhere.
)"},
    {"query", R"(Usage: radioctl query

Connects with the line code of the PC settings, then reads every parameter the radio
reports: frequencies of the current channel, ANI, channel total, current channel,
transmit time limit, addressing, data method, error correction, encryption, companding,
pre-emphasis and the four audio levels. The radio does not report its work mode or relay.
--json keys: port (or device), baud_rate, parity, parameters {rx_hz, tx_hz, ani, channel_total,
current_channel, tx_time_limit_s, rx_channel_gain, rx_voice_gain, tx_channel_gain,
tx_voice_gain, addressing, transparent, error_correction, encryption, compander,
pre_emphasis}.
)"},
    {"set", R"(Usage: radioctl set KEY=VALUE...
       radioctl set --from-json FILE

Writes the named parameters, and nothing else. Keys, as query --json prints them and
backups hold them:
  rx_hz=HZ tx_hz=HZ        frequencies of the current channel in Hz (e.g. 229012500)
  ani=N                    {ani}
  channel_total=N          {channel_total}
  current_channel=N        1..channel_total
  tx_time_limit_s=S        transmit time limit in seconds, {tx_time_limit_s}
  mode=data|voice          relay=off|on|rx-end
  addressing=on|off        transparent=on|off    error_correction=on|off
  encryption=on|off        compander=on|off      pre_emphasis=on|off
  rx_channel_gain={rx_channel_gain}    rx_voice_gain={rx_voice_gain}
  tx_channel_gain={tx_channel_gain}    tx_voice_gain={tx_voice_gain}
Switches also take true and false. The names of earlier releases are still taken:
rx=MHZ and tx=MHZ (in MHz, e.g. 229.0125), total, channel, time-limit, ecc,
pre-emphasis, rx-channel-gain, rx-voice-gain, tx-channel-gain, tx-voice-gain.
--from-json FILE (- for stdin) takes the "parameters" object of a JSON document, as
query --json prints it or a backup holds it: the keys above, frequencies in Hz, switches
true or false, mode and relay as their words; its other members are ignored.
Every value is checked before anything is written. The parameters are read first, so that
a frequency goes to the current channel (to the new one when current_channel is given
too), and a channel beyond the channel total is refused before any write. A request whose
values the radio already reports is not sent (an ANI counts as held when it equals what
the radio reports, its low 16 bits), so query --json | set --from-json - sends only reads.
--json keys: port (or device), baud_rate, parity, written {parameters {KEY: value}},
unchanged [KEY...].
)"},
    {"channels", R"(Usage: radioctl channels read [FIRST [LAST]] [-o FILE]
       radioctl channels write FILE [--verify | --dry-run] [--repeat [--ani-start N]]

read: channels FIRST..LAST (default 1..100) as CSV, to FILE or stdout; --json gives
[{channel, rx_hz, tx_hz}, ...] instead (with -o FILE that goes to FILE, and stdout gets
port, baud_rate, parity, file, channels: the count).
write: the channels a CSV plan names. The CSV has the header channel,rx_mhz,tx_mhz and one
row per channel, MHz with up to four decimals; # comments and blank lines are allowed.
The whole file is checked first (channel 1..100, each once, 100..600 MHz on 12.5 kHz
steps): every bad row is reported as FILE:LINE: reason and nothing is sent.
--verify reads the channels back and reports each difference (exit status 5).
--dry-run reads those channels and prints what the write would change, as diff does;
nothing is written (--json: port, baud_rate, parity, file, dry_run, differences).
--repeat writes one radio after another, as restore --repeat does; --ani-start N gives
each radio its ANI (N, N+1, ...) before its channels.
write --json keys: port, baud_rate, parity, file, written {channels [{channel, rx_hz,
tx_hz}...]}, with --verify differences [{channel, key, written, radio}...].
)"},
    {"backup", R"(Usage: radioctl backup FILE

Every parameter the radio reports and all 100 channels, to FILE as JSON
("format": "radioctl-backup", "version": 1). --json keys: port, baud_rate, parity, file,
parameters and channels (the counts written). In FILE, {port} stands for the port number
and {ani} for the ANI the radio reports: one file per radio with --ports.
)"},
    {"restore", R"(Usage: radioctl restore FILE [--keep-ani | --ani-list LIST | --same-ani]
                        [--set KEY=VALUE]... [--verify | --dry-run]
                        [--repeat [--ani-start N]]

Writes a backup to the radio: ANI (unless --keep-ani), channel total, current channel,
time limit, switches, audio settings, then all 100 channels. A restore that fails half
way says what was written and what was not. --verify reads everything back and reports
each difference (exit status 5). --json keys: port, baud_rate, parity, file, written
{parameters {KEY: value}, channels [...]}, with --verify differences [{key, written,
radio}, {channel, key, written, radio}...].
--dry-run reads the radio and prints what the restore would change, as diff does;
nothing is written (--json: port, baud_rate, parity, file, dry_run, differences).
--ani-list LIST (CSV rows port,ani; a header port,ani allowed) gives the radio on each
port its own ANI in place of the backup's. With --ports and more than one radio, a
restore that would give every radio the backup's ANI refuses (status 1) unless
--keep-ani, --ani-list or --same-ani (that is meant) is given; the list is read once,
before any radio is touched.
--set KEY=VALUE (as set takes them; not frequencies, mode or relay) changes a value of
the backup for this run.
--repeat programs one radio after another on the port: it waits for a radio to answer,
restores (and verifies) it, prints "radio N: ani A: RESULT", waits for that radio to go
silent and for the next one; a radio is new only after the port saw silence. --ani-start
N gives the radios N, N+1, ...; without it, --keep-ani or --same-ani it refuses to
start. Ctrl-C between radios ends with the count done, status 0 when all succeeded
(else the highest of theirs); during a radio as any interrupted command. Not with
--ports, --ani-list or --dry-run. --json: {"radios": [{port, device, status, output,
radio}...]}.
)"},
    {"diff", R"(Usage: radioctl diff FILE

Reads the radio and compares it with FILE: a backup (JSON, as backup writes it) or a CSV
plan (only the channels it names). Each difference is a line "KEY: RADIO → FILE", the
values as the file holds them, channels as "channel 7 rx: 229.0125 → 230.0000" (MHz).
Exit status 0 when the radio holds what FILE holds, 5 when it does not. --json keys:
port, baud_rate, parity, file, differences [{key, radio, file}, {channel, key, radio,
file}...].
)"},
    {"line", R"(Usage: radioctl line RATE PARITY

Tells the radio to use RATE (2400, 4800, 9600, 19200) and PARITY (none, odd, even) on its
serial line, over the present settings; once it accepts, stores them as the PC settings
of the port (the stored or --port number), as the window's radio-port dialog does. With
--device they are stored only when that device has a port number (radioctl ports), under
that number; otherwise nothing is stored. --json keys: port, baud_rate, parity (the line
it was told on), radio {baud_rate, parity}, stored_port (null when nothing was stored).
)"},
    {"ports", R"(Usage: radioctl ports
       radioctl ports assign N DEVICE

Lists the serial ports of this machine, one a line: the port number (- for none), the
device, its stable name (Linux: the /dev/serial/by-id link), a description and the state:
free, in use by PROGRAM (PID n), no permission, or absent. --json gives [{number (null
for none), device, stable_name, description, state ("free", "in_use", "no_permission",
"absent"), and for in_use pid and program}, ...].

Numbers: a COMn= line under [Ports] in the settings file names port n. Each USB or ACM
adapter without a line gets the lowest free number the first time radiosetup or radioctl
sees it, written as COMn=/dev/serial/by-id/..., and keeps it while unplugged. A number
is free when no line names it and no present built-in UART /dev/ttyS<n-1> holds it.
assign gives DEVICE the number N (1..255) by hand, and no other number; on Windows the
system's device manager assigns COM numbers. Exit status 1 when that cannot be done.
--port, --device, --rate and --parity do not apply. assign --json: {number, device}.
)"},
    {"plan", R"(Usage: radioctl plan convert IN OUT

Converts a channel file (.txt, as ChanPara.txt) to a CSV plan (.csv) or back; the
extensions choose the direction. Channels a CSV does not name get the channel file's
default. Needs no radio. --json keys: input, output.
)"},
};

// Global options that take a value.
bool TakesValue(const std::string& option) {
    return option == "--port" || option == "--device" || option == "--rate" ||
           option == "--parity" || option == "--ports" || option == "--report";
}

bool ApplyValue(Invocation& invocation, const std::string& option, const std::string& value,
                std::string& error) {
    // An unset variable in a script must not fall back to the stored port.
    if (value.empty()) {
        error = option + " needs a value, not an empty word";
        return false;
    }
    if (option == "--port") {
        const auto port = WholeNumber(value, 1, kHighestNumberedPort);
        invocation.port = port ? std::optional<int>(static_cast<int>(*port)) : std::nullopt;
        error = port ? ""
                     : "--port takes a port number from 1 to " +
                           std::to_string(kHighestNumberedPort) + ", not '" + value + "'";
    } else if (option == "--device") {
        invocation.device = value;
    } else if (option == "--ports") {
        invocation.ports = value;
    } else if (option == "--report") {
        invocation.report = value;
    } else if (option == "--rate") {
        invocation.baudRate = BaudRateNamed(value);
        error = invocation.baudRate ? ""
                                    : "--rate takes 2400, 4800, 9600 or 19200, not '" + value + "'";
    } else {
        invocation.parity = ParityNamed(value);
        error = invocation.parity ? "" : "--parity takes none, odd or even, not '" + value + "'";
    }
    return error.empty();
}

// Each {key} of a help text becomes that parameter's range, "low..high", from the table.
std::string WithRanges(std::string text) {
    for (const ParameterRow& row : ParameterTable()) {
        const std::string placeholder = "{" + std::string(row.names.key) + "}";
        const std::string range =
            std::to_string(row.range.low) + ".." + std::to_string(row.range.high);
        for (auto at = text.find(placeholder); at != std::string::npos;
             at = text.find(placeholder, at)) {
            text.replace(at, placeholder.size(), range);
        }
    }
    return text;
}

}  // namespace

std::optional<Invocation> ParseCommandLine(const std::vector<std::string>& words,
                                           std::string& error) {
    Invocation invocation;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        // detect's --ports says where to search: a word of its own.
        const bool detectsPorts = word == "--ports" && invocation.command == "detect";
        if (TakesValue(word) && !detectsPorts) {
            if (i + 1 == words.size()) {
                error = word + " needs a value";
                return std::nullopt;
            }
            if (!ApplyValue(invocation, word, words[++i], error)) {
                return std::nullopt;
            }
        } else if (word == "--json" || word == "--trace" || word == "--quiet" || word == "--help" ||
                   word == "-h" || word == "--version") {
            (word == "--json"      ? invocation.json
             : word == "--trace"   ? invocation.trace
             : word == "--quiet"   ? invocation.quiet
             : word == "--version" ? invocation.version
                                   : invocation.help) = true;
        } else if (invocation.command.empty()) {
            invocation.command = word;
        } else {
            invocation.args.push_back(word);
        }
    }
    if (invocation.command == "detect" && !invocation.ports.empty()) {
        invocation.args.insert(invocation.args.end(), {"--ports", invocation.ports});
        invocation.ports.clear();
    }
    return invocation;
}

bool HasWord(const Invocation& invocation, const std::string& word) {
    const std::vector<std::string>& args = invocation.args;
    return std::find(args.begin(), args.end(), word) != args.end();
}

std::string WordAfter(const Invocation& invocation, const std::string& option) {
    const std::vector<std::string>& args = invocation.args;
    const auto found = std::find(args.begin(), args.end(), option);
    return found == args.end() || std::next(found) == args.end() ? std::string()
                                                                 : *std::next(found);
}

std::optional<std::vector<int>> PortNumbersNamed(const std::string& list,
                                                 std::vector<int> (*present)(),
                                                 std::string& error) {
    if (list == "all") {
        const std::vector<int> ports = present();
        error = ports.empty() ? "--ports all: no serial port is present" : "";
        return ports.empty() ? std::nullopt : std::optional(ports);
    }
    std::set<int> numbers;
    std::istringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        const std::size_t dash = item.find('-');
        const auto first = WholeNumber(item.substr(0, dash), 1, kHighestNumberedPort);
        const auto last = dash == std::string::npos
                              ? first
                              : WholeNumber(item.substr(dash + 1), 1, kHighestNumberedPort);
        if (!first || !last || *last < *first) {
            error = "--ports takes numbers and ranges from 1 to " +
                    std::to_string(kHighestNumberedPort) + " (1,3-6) or all, not '" + list + "'";
            return std::nullopt;
        }
        for (long number = *first; number <= *last; ++number) {
            numbers.insert(static_cast<int>(number));
        }
    }
    return std::vector<int>(numbers.begin(), numbers.end());
}

std::optional<int> ParityNamed(const std::string& name) {
    static const std::map<std::string, int> kParities = {{"none", 0}, {"odd", 1}, {"even", 2}};
    const auto found = kParities.find(name);
    return found == kParities.end() ? std::nullopt : std::optional<int>(found->second);
}

const char* ParityName(int parity) {
    return parity == 1 ? "odd" : parity == 2 ? "even" : "none";
}

const char* ParityPhrase(int parity) {
    return parity == 1 ? "odd parity" : parity == 2 ? "even parity" : "no parity";
}

std::optional<int> BaudRateNamed(const std::string& text) {
    const auto rate = WholeNumber(text, 0, std::numeric_limits<int>::max());
    if (rate && IsSupportedBaudRate(*rate)) {
        return static_cast<int>(*rate);
    }
    return std::nullopt;
}

std::optional<long> WholeNumber(const std::string& text, long low, long high) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const long value = std::stol(text);
    return value >= low && value <= high ? std::optional<long>(value) : std::nullopt;
}

std::string UsageText() {
    return kUsage;
}

std::string CommandHelp(const std::string& command) {
    const auto found = kCommandHelp.find(command);
    return found == kCommandHelp.end() ? std::string() : WithRanges(found->second);
}

}  // namespace radiosetup
