#pragma once

#include <optional>
#include <string>
#include <vector>

namespace radiosetup {

// What radioctl was asked to do. Global options may stand before or after the command;
// every other word goes to the command, in order.
struct Invocation {
    std::optional<int> port;      // --port N
    std::string device;           // --device PATH
    std::optional<int> baudRate;  // --rate
    std::optional<int> parity;    // --parity none|odd|even as 0, 1, 2
    std::string ports;            // --ports LIST: the fleet's ports, read when it runs
    std::string report;           // --report FILE: a row per radio appended
    bool json = false;
    bool trace = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::string command;            // empty: none given
    std::vector<std::string> args;  // the command's words and options
};

// Whether the command's words hold word; the word after option, empty when there is none.
bool HasWord(const Invocation& invocation, const std::string& word);
std::string WordAfter(const Invocation& invocation, const std::string& option);

// Nullopt with a message for a global option that is unknown or lacks its value.
std::optional<Invocation> ParseCommandLine(const std::vector<std::string>& words,
                                           std::string& error);

// "1,3-6" as 1, 3, 4, 5, 6 (each once, ascending); "all" as what present() lists, asked
// only then. Nullopt with a message for anything else.
std::optional<std::vector<int>> PortNumbersNamed(const std::string& list,
                                                 std::vector<int> (*present)(), std::string& error);

// "none", "odd", "even" as 0, 1, 2.
std::optional<int> ParityNamed(const std::string& name);
const char* ParityName(int parity);
// "no parity", "odd parity", "even parity", for people.
const char* ParityPhrase(int parity);
// 2400, 4800, 9600 or 19200.
std::optional<int> BaudRateNamed(const std::string& text);
// A whole decimal number in low..high, nothing else.
std::optional<long> WholeNumber(const std::string& text, long low, long high);

// The help texts: the whole tool's, or one command's (empty for an unknown command).
std::string UsageText();
std::string CommandHelp(const std::string& command);

}  // namespace radiosetup
