#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestNamespaces.h"

// A Linux path as a Windows program under Wine sees it (drive Z: is the root).
std::string WinePath(const std::string& unixPath);

// A path in the folder that the test run shares with its Linux side: the COM port links,
// the radios' logs, the small disk. Empty when the run has none.
std::string SharedScratch(const std::string& name);

// The frames a radio started on the Linux side logged, in order, as hex ("55 AA CC ...").
std::vector<std::string> RadioLogFrames(const std::string& logName);

// A fresh folder under the temporary folder, removed with everything in it on destruction.
class CWinTempDir {
public:
    CWinTempDir();
    ~CWinTempDir();
    CWinTempDir(const CWinTempDir&) = delete;
    CWinTempDir& operator=(const CWinTempDir&) = delete;
    std::string File(const std::string& name) const { return m_strPath + "\\" + name; }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};

// Makes folder the process's working folder for the object's lifetime.
class CScopedWorkingFolder {
public:
    explicit CScopedWorkingFolder(const CWinTempDir& folder);
    ~CScopedWorkingFolder();
    CScopedWorkingFolder(const CScopedWorkingFolder&) = delete;
    CScopedWorkingFolder& operator=(const CScopedWorkingFolder&) = delete;

private:
    std::filesystem::path m_previous;
};

// One serial port as Windows lists it: the driver's device name and its COM name.
struct ListedSerialPort {
    std::wstring deviceName;  // L"\\Device\\Serial0"
    std::wstring portName;    // L"COM1"
};

// Points HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER of this process at two fresh keys of its
// own for the object's lifetime, so tests neither see nor leave registry values. The
// machine lists the run's radio ports COM1 and COM12 as its serial ports; the prefix's own
// list would also name the host's ports.
class CScopedRegistryRoots {
public:
    CScopedRegistryRoots();
    ~CScopedRegistryRoots();
    CScopedRegistryRoots(const CScopedRegistryRoots&) = delete;
    CScopedRegistryRoots& operator=(const CScopedRegistryRoots&) = delete;

    // Makes these the machine's serial ports (HARDWARE\DEVICEMAP\SERIALCOMM), and no others.
    void ListSerialPorts(const std::vector<ListedSerialPort>& ports);

private:
    std::string m_strTestKey;
    HKEY m_hMachine = nullptr;
    HKEY m_hUser = nullptr;
};
