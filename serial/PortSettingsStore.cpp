#include "PortSettingsStore.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "PortNaming.h"
#include "SettingsKey.h"

namespace radiosetup {

namespace {

const std::string kPortValueName = "Pc Com Port";
const std::string kBaudValueName = "Pc Com Band";
const std::string kParityValueName = "Pc Com Parity";

std::function<void()>& FailureReporter() {
    static std::function<void()> reporter;
    return reporter;
}

bool ReportFailure() {
    if (FailureReporter()) {
        FailureReporter()();
    }
    return false;
}

// The stored number; an absent value is created with its default, a value that is
// no number gives nullopt and is left for the range check to replace.
std::optional<std::uint32_t> ReadOrCreate(CSettingsKey& key, const std::string& name,
                                          int defaultValue) {
    const CSettingsKey::StoredValue stored = key.Read(name);
    switch (stored.state) {
        case CSettingsKey::ValueState::Absent:
            key.Write(name, static_cast<std::uint32_t>(defaultValue));
            return static_cast<std::uint32_t>(defaultValue);
        case CSettingsKey::ValueState::Invalid:
            return std::nullopt;
        case CSettingsKey::ValueState::Number:
            break;
    }
    return stored.number;
}

// The port number and the parity are byte fields: only the low byte of the stored
// number reaches them.
std::optional<std::uint8_t> LowByte(std::optional<std::uint32_t> stored) {
    if (!stored) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*stored & 0xFFu);
}

std::uint8_t CheckedPortNumber(std::optional<std::uint8_t> port) {
    return port && IsKeptPortNumber(*port) ? *port : kDefaultPortNumber;
}

std::int32_t CheckedBaudRate(std::optional<std::uint32_t> baudRate) {
    if (!baudRate || !IsSupportedBaudRate(*baudRate)) {
        return kDefaultBaudRate;
    }
    return static_cast<std::int32_t>(*baudRate);
}

std::uint8_t CheckedParity(std::optional<std::uint8_t> parity) {
    if (!parity || *parity > kParityEven) {
        return kDefaultParity;
    }
    return *parity;
}

}  // namespace

bool IsSupportedBaudRate(std::int64_t baudRate) {
    return std::find(std::begin(kLineRates), std::end(kLineRates), baudRate) !=
           std::end(kLineRates);
}

bool IsKeptPortNumber(std::uint32_t portNumber) {
    if (portNumber >= 1 && portNumber <= kHighestPortNumber) {
        return true;
    }
    const std::vector<int> present =
        portNumber <= kHighestNumberedPort ? PresentPortNumbers() : std::vector<int>();
    return std::find(present.begin(), present.end(), static_cast<int>(portNumber)) != present.end();
}

bool LoadStoredPortValues(StoredPortValues& values) {
    NumberNewAdapters();
    const auto key = CSettingsKey::OpenOrCreate();
    if (!key) {
        return false;
    }
    values.portNumber = ReadOrCreate(*key, kPortValueName, kDefaultPortNumber);
    values.baudRate = ReadOrCreate(*key, kBaudValueName, kDefaultBaudRate);
    values.parity = ReadOrCreate(*key, kParityValueName, kDefaultParity);
    // Nobody is told when the recreated defaults cannot be stored: they hold in memory.
    key->Close();
    return true;
}

void LoadPortSettings(PcPortSettings& settings) {
    StoredPortValues stored;
    if (!LoadStoredPortValues(stored)) {
        return;
    }
    settings.m_nPortNumber = CheckedPortNumber(LowByte(stored.portNumber));
    settings.m_nBaudRate = CheckedBaudRate(stored.baudRate);
    settings.m_nParity = CheckedParity(LowByte(stored.parity));
}

bool SavePortSettings(int portNumber, int parity, int baudRate) {
    const auto key = CSettingsKey::OpenOrCreate();
    if (!key) {
        return ReportFailure();
    }
    key->Write(kPortValueName, static_cast<std::uint32_t>(portNumber));
    key->Write(kBaudValueName, static_cast<std::uint32_t>(baudRate));
    key->Write(kParityValueName, static_cast<std::uint32_t>(parity));
    if (!key->Close()) {
        return ReportFailure();
    }
    return true;
}

std::function<void()> SetPortSettingsFailureReporter(std::function<void()> reporter) {
    return std::exchange(FailureReporter(), std::move(reporter));
}

}  // namespace radiosetup
