// radiosim: a simulated radio on a pseudo-terminal, for demos and for watching the link.
#include <signal.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "SimCommands.h"
#include "SimRadio.h"

using namespace radiosim;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadOptions = 2;
constexpr std::uint8_t kGarbageByte = 0xE5;

const char* const kUsage =
    "Usage: radiosim [options]\n"
    "Plays a data radio on a pseudo-terminal. Prints the slave path on the first line,\n"
    "then one line per received frame. SIGINT or SIGTERM ends it.\n"
    "\n"
    "  --link PATH          make PATH a symbolic link to the slave (removed at the end)\n"
    "  --baud RATE          the radio's line rate: 2400, 4800, 9600 (default) or 19200\n"
    "  --parity P           the radio's parity: none (default), odd or even\n"
    "\n"
    "Faults:\n"
    "  --silent             answer nothing\n"
    "  --silent-from N      answer nothing from the N-th frame on\n"
    "  --ignore CMD         answer nothing to command CMD (hex, e.g. CC)\n"
    "  --refuse CMD         refuse command CMD with status FF\n"
    "  --status CMD=XX      acknowledge command CMD with status XX (hex)\n"
    "  --split N:MS         send replies in two parts, N bytes first, MS ms apart\n"
    "  --bad-checksum       spoil the checksum of the parameter block\n"
    "  --short N            cut the parameter and channel blocks to N bytes\n"
    "  --garbage N          send N garbage bytes before every reply\n"
    "  --delay MS           wait MS ms before every reply\n"
    "  --vanish-after N     close the line for good after N bytes of the first reply\n"
    "  --help               show this text\n"
    "  --version            show the release\n";

struct Options {
    std::string linkPath;
    SimRadioState state;
    SimFaults faults;
};

long ParseNumber(const std::string& text, int base, long lowest, long highest,
                 const std::string& option) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, base);
    if (text.empty() || *end != '\0' || errno != 0 || value < lowest || value > highest) {
        throw std::invalid_argument("bad value '" + text + "' for " + option);
    }
    return value;
}

std::uint8_t ParseByte(const std::string& text, const std::string& option) {
    return static_cast<std::uint8_t>(ParseNumber(text, 16, 0, 0xFF, option));
}

int ParseCount(const std::string& text, const std::string& option) {
    return static_cast<int>(ParseNumber(text, 10, 0, 1000000, option));
}

// "A<sep>B" split at the first separator.
std::pair<std::string, std::string> SplitPair(const std::string& text, char separator,
                                              const std::string& option) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) {
        throw std::invalid_argument("bad value '" + text + "' for " + option);
    }
    return {text.substr(0, at), text.substr(at + 1)};
}

int ParseBaudRate(const std::string& text) {
    for (const char* rate : {"2400", "4800", "9600", "19200"}) {
        if (text == rate) {
            return std::atoi(rate);
        }
    }
    throw std::invalid_argument("bad rate '" + text + "': use 2400, 4800, 9600 or 19200");
}

int ParseParity(const std::string& text) {
    static const char* const kNames[] = {"none", "odd", "even"};
    for (int parity = 0; parity < 3; ++parity) {
        if (text == kNames[parity]) {
            return parity;
        }
    }
    throw std::invalid_argument("bad parity '" + text + "': use none, odd or even");
}

// Options that take a value; the rest are flags.
void ApplyValueOption(const std::string& option, const std::string& value, Options& options) {
    SimFaults& faults = options.faults;
    if (option == "--link") {
        options.linkPath = value;
    } else if (option == "--baud") {
        options.state.baudRate = ParseBaudRate(value);
    } else if (option == "--parity") {
        options.state.parity = ParseParity(value);
    } else if (option == "--silent-from") {
        faults.silentFromFrame = ParseCount(value, option);
    } else if (option == "--ignore") {
        faults.silentCommands.insert(ParseByte(value, option));
    } else if (option == "--refuse") {
        faults.statusFor[ParseByte(value, option)] = 0xFF;
    } else if (option == "--status") {
        const auto [command, status] = SplitPair(value, '=', option);
        faults.statusFor[ParseByte(command, option)] = ParseByte(status, option);
    } else if (option == "--split") {
        const auto [count, pause] = SplitPair(value, ':', option);
        faults.splitAt = ParseCount(count, option);
        faults.splitPauseMs = ParseCount(pause, option);
    } else if (option == "--short") {
        faults.truncateBlockTo = ParseCount(value, option);
    } else if (option == "--garbage") {
        faults.garbageBefore.assign(static_cast<std::size_t>(ParseCount(value, option)),
                                    kGarbageByte);
    } else if (option == "--delay") {
        faults.replyDelayMs = ParseCount(value, option);
    } else if (option == "--vanish-after") {
        faults.vanishAfter = ParseCount(value, option);
    } else {
        throw std::invalid_argument("unknown option " + option);
    }
}

// Returns false when only the usage was asked for.
bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help") {
            return false;
        } else if (option == "--silent") {
            options.faults.silent = true;
        } else if (option == "--bad-checksum") {
            options.faults.badChecksum = true;
        } else if (option.rfind("--", 0) == 0 && i + 1 < argc) {
            ApplyValueOption(option, argv[++i], options);
        } else {
            throw std::invalid_argument("unknown option or missing value: " + option);
        }
    }
    return true;
}

std::string TimeOfDay(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(millis));
    return text;
}

std::chrono::system_clock::time_point WallClockOf(std::chrono::steady_clock::time_point when) {
    const auto age = std::chrono::steady_clock::now() - when;
    return std::chrono::system_clock::now() -
           std::chrono::duration_cast<std::chrono::system_clock::duration>(age);
}

void PrintLine(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void LogFrame(const SimFrameRecord& record) {
    const std::string reply = record.reply.empty() ? "(nothing)" : HexText(record.reply);
    PrintLine(TimeOfDay(WallClockOf(record.when)) + "  " +
              HexText(record.frame.data(), record.frame.size()) + "  ->  " + reply + "  [" +
              record.note + "]");
}

void LogNote(const std::string& note) {
    PrintLine(TimeOfDay(std::chrono::system_clock::now()) + "  " + note);
}

bool MakeLink(const std::string& linkPath, const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(linkPath, error);
    if (fs::is_symlink(status)) {
        fs::remove(linkPath, error);
    } else if (fs::exists(status)) {
        std::fprintf(stderr, "radiosim: %s exists and is not a symbolic link\n", linkPath.c_str());
        return false;
    }
    fs::create_symlink(target, linkPath, error);
    if (error) {
        std::fprintf(stderr, "radiosim: cannot link %s: %s\n", linkPath.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

void RemoveLink(const std::string& linkPath) {
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(linkPath, error))) {
        std::filesystem::remove(linkPath, error);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::printf("radiosim %s\n", RADIOSETUP_VERSION);
        return 0;
    }
    Options options;
    try {
        if (!ParseOptions(argc, argv, options)) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    } catch (const std::invalid_argument& bad) {
        std::fprintf(stderr, "radiosim: %s\nTry 'radiosim --help'.\n", bad.what());
        return kExitBadOptions;
    }

    // Blocked before the radio's thread starts, so only sigwait below receives them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    sigaddset(&endSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    CSimRadio radio(options.state);
    radio.SetFaults(options.faults);
    radio.SetFrameObserver(LogFrame);
    radio.SetNoteObserver(LogNote);
    if (!radio.Start()) {
        std::fputs("radiosim: no pseudo-terminal to be had\n", stderr);
        return kExitFailure;
    }
    if (!options.linkPath.empty() && !MakeLink(options.linkPath, radio.SlavePath())) {
        return kExitFailure;
    }
    PrintLine(radio.SlavePath());
    PrintLine("radio at " +
              DescribeLine(SimLineSettings{options.state.baudRate, options.state.parity}) +
              (options.linkPath.empty() ? "" : ", linked from " + options.linkPath));

    int received = 0;
    sigwait(&endSignals, &received);
    radio.Stop();
    if (!options.linkPath.empty()) {
        RemoveLink(options.linkPath);
    }
    return 0;
}
