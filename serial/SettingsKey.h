#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace radiosetup {

// The persistent key that holds the PC port settings: the platform backend of the
// port settings store (the registry on Windows, a settings file elsewhere).
class CSettingsKey {
public:
    enum class ValueState { Absent, Invalid, Number };
    struct StoredValue {
        ValueState state = ValueState::Absent;
        std::uint32_t number = 0;
    };

    // Opens the key, creating it when absent. Null when it can be neither read nor created.
    static std::unique_ptr<CSettingsKey> OpenOrCreate();

    virtual ~CSettingsKey() = default;
    // Invalid: present but not a number that fits 32 bits.
    virtual StoredValue Read(const std::string& name) const = 0;
    virtual void Write(const std::string& name, std::uint32_t value) = 0;
    // Makes the writes durable; false when they could not be stored.
    virtual bool Close() = 0;
};

}  // namespace radiosetup
