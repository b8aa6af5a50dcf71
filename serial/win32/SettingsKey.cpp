#include "SettingsKey.h"

#include <utility>

#include "win32/RegistryAccess.h"

namespace radiosetup {

namespace {

constexpr const char* kKeyPath = "Software\\Sorvane\\Com\\Version3.0\\SystemParam";

RegistryKeyOpener& CurrentOpener() {
    static RegistryKeyOpener opener = OpenRegistryKey;
    return opener;
}

// A value counts as absent when it cannot be queried; one that is not a 4-byte
// REG_DWORD (a short string, say) is unusable and repaired like an out-of-range one.
CSettingsKey::StoredValue QueryNumber(HKEY key, const std::string& name) {
    using ValueState = CSettingsKey::ValueState;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (key == nullptr ||
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS) {
        return {ValueState::Absent, 0};
    }
    if (type != REG_DWORD || size != sizeof number) {
        return {ValueState::Invalid, 0};
    }
    return {ValueState::Number, number};
}

// The key that is read and written, and for a standard user, whom the machine-wide key
// refuses writing, that key opened for reading: values missing from the user's own key
// come from there, as an administrator or an older installation stored them.
class CRegistrySettingsKey : public CSettingsKey {
public:
    CRegistrySettingsKey(HKEY writable, HKEY machineFallback)
        : m_hWritable(writable), m_hMachineFallback(machineFallback) {}
    ~CRegistrySettingsKey() override { CloseKeys(); }
    CRegistrySettingsKey(const CRegistrySettingsKey&) = delete;
    CRegistrySettingsKey& operator=(const CRegistrySettingsKey&) = delete;

    StoredValue Read(const std::string& name) const override {
        const StoredValue own = QueryNumber(m_hWritable, name);
        if (own.state != ValueState::Absent) {
            return own;
        }
        return QueryNumber(m_hMachineFallback, name);
    }

    void Write(const std::string& name, std::uint32_t value) override {
        const DWORD number = value;
        if (RegSetValueExA(m_hWritable, name.c_str(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&number),
                           sizeof number) != ERROR_SUCCESS) {
            m_bWriteFailed = true;
        }
    }

    // A value that could not be stored makes the save a failure, not a silent loss.
    bool Close() override {
        CloseKeys();
        return !m_bWriteFailed;
    }

private:
    void CloseKeys() {
        for (HKEY* key : {&m_hWritable, &m_hMachineFallback}) {
            if (*key != nullptr) {
                RegCloseKey(*key);
                *key = nullptr;
            }
        }
    }

    HKEY m_hWritable;
    HKEY m_hMachineFallback;  // null when the machine-wide key is the writable one or absent
    bool m_bWriteFailed = false;
};

}  // namespace

LONG OpenRegistryKey(HKEY root, const char* path, REGSAM access, bool create, HKEY* key) {
    if (create) {
        return RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                               key, nullptr);
    }
    return RegOpenKeyExA(root, path, 0, access, key);
}

RegistryKeyOpener SetRegistryKeyOpener(RegistryKeyOpener opener) {
    return std::exchange(CurrentOpener(), opener);
}

std::unique_ptr<CSettingsKey> CSettingsKey::OpenOrCreate() {
    const RegistryKeyOpener open = CurrentOpener();
    HKEY machine = nullptr;
    if (open(HKEY_LOCAL_MACHINE, kKeyPath, KEY_ALL_ACCESS, true, &machine) == ERROR_SUCCESS) {
        return std::make_unique<CRegistrySettingsKey>(machine, nullptr);
    }
    HKEY user = nullptr;
    if (open(HKEY_CURRENT_USER, kKeyPath, KEY_ALL_ACCESS, true, &user) != ERROR_SUCCESS) {
        return nullptr;
    }
    HKEY machineReadOnly = nullptr;
    if (open(HKEY_LOCAL_MACHINE, kKeyPath, KEY_QUERY_VALUE, false, &machineReadOnly) !=
        ERROR_SUCCESS) {
        machineReadOnly = nullptr;
    }
    return std::make_unique<CRegistrySettingsKey>(user, machineReadOnly);
}

}  // namespace radiosetup
