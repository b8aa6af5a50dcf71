#pragma once

#include <string>

// A private settings folder and working folder for one run, so that the user's real
// settings and files are never touched. XDG_CONFIG_HOME points at the one, whose
// settings file maps port 1 to the given device at 9600 bps without parity; the
// process works in the other. Both go, with everything in them, on destruction.
class CScratchFolders {
public:
    CScratchFolders() = default;
    ~CScratchFolders();
    CScratchFolders(const CScratchFolders&) = delete;
    CScratchFolders& operator=(const CScratchFolders&) = delete;

    // Makes the folders and moves in; false, with a message on stderr, on failure.
    bool Enter(const std::string& radioDevice);

private:
    bool WriteSettings(const std::string& radioDevice) const;

    std::string m_strSettingsHome;
    std::string m_strWorkDir;
    std::string m_strOldWorkDir;
    bool m_bHadSettingsHome = false;
    std::string m_strOldSettingsHome;
};
