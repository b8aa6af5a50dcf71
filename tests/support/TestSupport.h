#pragma once

#include <sys/resource.h>

#include <string>

#include "TestNamespaces.h"

// A fresh folder under /tmp, removed with everything in it on destruction.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }

private:
    std::string m_strPath;
};

// Sets an environment variable for the object's lifetime, restoring the old value.
class CScopedEnv {
public:
    CScopedEnv(std::string name, const std::string& value);
    ~CScopedEnv();
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_strName;
    bool m_bHadValue;
    std::string m_strOldValue;
};

// Changes the process's working directory for the object's lifetime.
class CScopedWorkingDir {
public:
    explicit CScopedWorkingDir(const std::string& path);
    ~CScopedWorkingDir();
    CScopedWorkingDir(const CScopedWorkingDir&) = delete;
    CScopedWorkingDir& operator=(const CScopedWorkingDir&) = delete;

private:
    std::string m_strPrevious;
};

// Makes every file write beyond a few bytes fail, for root as well as for anyone else,
// for the object's lifetime.
class CFileSizeLimit {
public:
    CFileSizeLimit();
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// A private settings folder (XDG_CONFIG_HOME) for one test, so the real settings
// file is never touched, a private folder for serial lock files, and an empty device
// root: a port the test does not map leads to no device of the machine.
class CScopedSettingsHome {
public:
    CScopedSettingsHome();
    std::string SettingsFile() const;  // <home>/Sorvane/Com.conf
    std::string LockFolder() const;    // <home>/lock
    // Writes the whole settings file.
    void WriteSettings(const std::string& content) const;
    std::string ReadSettings() const;
    // Appends COM<n>=<devicePath> under [Ports].
    void MapPort(int portNumber, const std::string& devicePath) const;

private:
    CTempDir m_dir;
    CScopedEnv m_env;
    CScopedEnv m_lockEnv;
    CScopedEnv m_deviceRootEnv;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);
