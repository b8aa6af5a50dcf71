#include "AniList.h"

#include <sstream>

#include "CommandLine.h"
#include "ParameterTable.h"
#include "PcPortSettings.h"
#include "TextFile.h"

namespace radiosetup {

namespace {

// The line without blanks around it and without a final carriage return.
std::string Trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos
               ? std::string()
               : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// The reason the row is no "port,ani" of a new port; empty when it is one.
std::string RowFault(const std::string& row, const std::map<int, std::int32_t>& anis, int& port,
                     std::int32_t& ani) {
    const std::size_t comma = row.find(',');
    const ParameterRow& aniRow = Parameter(ParamId::kAni);
    const auto number = WholeNumber(Trimmed(row.substr(0, comma)), 1, kHighestNumberedPort);
    const auto value =
        comma == std::string::npos
            ? std::nullopt
            : WholeNumber(Trimmed(row.substr(comma + 1)), aniRow.range.low, aniRow.range.high);
    if (!number || !value) {
        return "not a row 'port,ani' (port 1.." + std::to_string(kHighestNumberedPort) + ", ANI " +
               std::to_string(aniRow.range.low) + ".." + std::to_string(aniRow.range.high) + ")";
    }
    port = static_cast<int>(*number);
    ani = static_cast<std::int32_t>(*value);
    return anis.count(port) != 0 ? "port " + std::to_string(port) + " is named twice" : "";
}

}  // namespace

std::optional<std::map<int, std::int32_t>> CAniList::Parse(const std::string& text,
                                                           const std::string& fileName,
                                                           std::string& fault) {
    std::map<int, std::int32_t> anis;
    std::istringstream lines(text);
    int lineNumber = 0;
    for (std::string line; std::getline(lines, line);) {
        ++lineNumber;
        const std::string row = Trimmed(line);
        if (row.empty() || row[0] == '#' || (anis.empty() && row == "port,ani")) {
            continue;
        }
        int port = 0;
        std::int32_t ani = 0;
        const std::string reason = RowFault(row, anis, port, ani);
        if (!reason.empty()) {
            fault = fileName + ":" + std::to_string(lineNumber) + ": " + reason;
            return std::nullopt;
        }
        anis.emplace(port, ani);
    }
    return anis;
}

std::optional<std::map<int, std::int32_t>> CAniList::Read(const std::string& path,
                                                          std::string& fault) {
    const std::optional<std::string> text = CTextFile::Read(path);
    if (!text) {
        fault = path + ": the file cannot be read";
        return std::nullopt;
    }
    return Parse(*text, path, fault);
}

}  // namespace radiosetup
