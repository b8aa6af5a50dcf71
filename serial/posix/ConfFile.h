#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace radiosetup {

// The settings file: INI-style sections of key=value lines. Lines it does not
// understand are kept as they are, so a save never loses what others wrote.
class CConfFile {
public:
    // $XDG_CONFIG_HOME/Sorvane/Com.conf, or ~/.config/Sorvane/Com.conf.
    static std::string DefaultPath();

    explicit CConfFile(std::string path);

    enum class LoadResult { Loaded, Missing, Unreadable };
    LoadResult Load();

    // The first value of key in section, whitespace around it trimmed.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    // Replaces the first value of key (dropping later duplicates) or appends it.
    void SetValue(const std::string& section, const std::string& key, const std::string& value);

    // Every key=value of the section, in file order.
    std::vector<std::pair<std::string, std::string>> Entries(const std::string& section) const;
    // Drops every value of key in section.
    void RemoveValue(const std::string& section, const std::string& key);

    // Writes the whole file atomically (temporary file, fsync, rename), creating its
    // folder when needed. False when it could not be written; the old file is intact then.
    bool Save() const;

    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    std::vector<std::string> m_lines;
};

}  // namespace radiosetup
