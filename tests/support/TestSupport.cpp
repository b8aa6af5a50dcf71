#include "TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "TestNamespaces.h"

CTempDir::CTempDir() {
    char pattern[] = "/tmp/radiosetup-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_strPath = made;
}

CTempDir::~CTempDir() {
    std::error_code ignored;
    std::filesystem::permissions(m_strPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_strPath, ignored);
}

CScopedEnv::CScopedEnv(std::string name, const std::string& value)
    : m_strName(std::move(name)), m_bHadValue(false) {
    if (const char* old = std::getenv(m_strName.c_str())) {
        m_bHadValue = true;
        m_strOldValue = old;
    }
    setenv(m_strName.c_str(), value.c_str(), 1);
}

CScopedEnv::~CScopedEnv() {
    if (m_bHadValue) {
        setenv(m_strName.c_str(), m_strOldValue.c_str(), 1);
    } else {
        unsetenv(m_strName.c_str());
    }
}

CScopedWorkingDir::CScopedWorkingDir(const std::string& path)
    : m_strPrevious(std::filesystem::current_path().string()) {
    std::filesystem::current_path(path);
}

CScopedWorkingDir::~CScopedWorkingDir() {
    std::error_code ignored;
    std::filesystem::current_path(m_strPrevious, ignored);
}

CFileSizeLimit::CFileSizeLimit() {
    getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tight{8, m_old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tight);
}

CFileSizeLimit::~CFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

CScopedSettingsHome::CScopedSettingsHome()
    : m_env("XDG_CONFIG_HOME", m_dir.Path()),
      m_lockEnv("RADIOSETUP_LOCK_DIR", LockFolder()),
      m_deviceRootEnv("RADIOSETUP_DEVICE_ROOT", m_dir.File("machine")) {
    std::filesystem::create_directories(LockFolder());
    std::filesystem::create_directories(m_dir.File("machine"));
}

std::string CScopedSettingsHome::LockFolder() const {
    return m_dir.Path() + "/lock";
}

std::string CScopedSettingsHome::SettingsFile() const {
    return m_dir.Path() + "/Sorvane/Com.conf";
}

void CScopedSettingsHome::WriteSettings(const std::string& content) const {
    std::filesystem::create_directories(m_dir.Path() + "/Sorvane");
    WriteWholeFile(SettingsFile(), content);
}

std::string CScopedSettingsHome::ReadSettings() const {
    return ReadWholeFile(SettingsFile());
}

void CScopedSettingsHome::MapPort(int portNumber, const std::string& devicePath) const {
    std::filesystem::create_directories(m_dir.Path() + "/Sorvane");
    std::ofstream out(SettingsFile(), std::ios::app);
    out << "[Ports]\nCOM" << portNumber << "=" << devicePath << "\n";
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}
