#include "ScratchFolders.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kSettingsHomeEnv = "XDG_CONFIG_HOME";

// A fresh folder under /tmp; empty on failure.
std::string MakeTempFolder(const char* prefix) {
    std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::fprintf(stderr, "cannot make a folder under /tmp: %s\n", std::strerror(errno));
        return std::string();
    }
    return pattern;
}

void RemoveFolder(const std::string& path) {
    if (!path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}

}  // namespace

CScratchFolders::~CScratchFolders() {
    if (!m_strOldWorkDir.empty() && chdir(m_strOldWorkDir.c_str()) != 0) {
        std::fprintf(stderr, "cannot go back to %s\n", m_strOldWorkDir.c_str());
    }
    if (m_bHadSettingsHome) {
        setenv(kSettingsHomeEnv, m_strOldSettingsHome.c_str(), 1);
    } else if (!m_strSettingsHome.empty()) {
        unsetenv(kSettingsHomeEnv);
    }
    RemoveFolder(m_strWorkDir);
    RemoveFolder(m_strSettingsHome);
}

bool CScratchFolders::Enter(const std::string& radioDevice) {
    m_strOldWorkDir = std::filesystem::current_path().string();
    if (const char* old = std::getenv(kSettingsHomeEnv)) {
        m_bHadSettingsHome = true;
        m_strOldSettingsHome = old;
    }
    m_strSettingsHome = MakeTempFolder("radiosetup-settings");
    m_strWorkDir = MakeTempFolder("radiosetup-work");
    if (m_strSettingsHome.empty() || m_strWorkDir.empty() || !WriteSettings(radioDevice)) {
        return false;
    }
    setenv(kSettingsHomeEnv, m_strSettingsHome.c_str(), 1);
    if (chdir(m_strWorkDir.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s: %s\n", m_strWorkDir.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

bool CScratchFolders::WriteSettings(const std::string& radioDevice) const {
    const std::string folder = m_strSettingsHome + "/Sorvane";
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    std::ofstream file(folder + "/Com.conf");
    file << "[Version3.0/SystemParam]\n"
            "Pc Com Port=1\n"
            "Pc Com Band=9600\n"
            "Pc Com Parity=0\n"
            "\n"
            "[Ports]\n"
            "COM1="
         << radioDevice << "\n";
    file.close();
    if (error || !file) {
        std::fprintf(stderr, "cannot write the settings file in %s\n", folder.c_str());
        return false;
    }
    return true;
}
