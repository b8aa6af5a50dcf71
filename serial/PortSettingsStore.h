#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "PcPortSettings.h"

namespace radiosetup {

// Fills settings from the store, creating missing values with their defaults and
// repairing out-of-range ones in memory only. When the store cannot be opened the
// settings keep the values they had.
void LoadPortSettings(PcPortSettings& settings);

// The three stored values as whole numbers (nullopt: not a number), missing ones
// created with their defaults as LoadPortSettings does, nothing repaired. False when
// the store cannot be opened. Adapters seen for the first time get their numbers first.
struct StoredPortValues {
    std::optional<std::uint32_t> portNumber;
    std::optional<std::uint32_t> baudRate;
    std::optional<std::uint32_t> parity;
};
bool LoadStoredPortValues(StoredPortValues& values);

// Whether a stored port number stands: 1 to 16 always, up to 255 while that port is
// present (adapters numbered above 16).
bool IsKeptPortNumber(std::uint32_t portNumber);

// Stores all three values. False, after calling the failure reporter, when the
// store cannot be opened or written.
bool SavePortSettings(int portNumber, int parity, int baudRate);

// Called on the saving thread when a save fails; the GUI shows its message there.
// Default: none. Returns the reporter it replaces.
std::function<void()> SetPortSettingsFailureReporter(std::function<void()> reporter);

}  // namespace radiosetup
