#include "ConfFile.h"

#include "AtomicFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace radiosetup {

namespace {

// The real file holds a few dozen bytes; anything far larger is not ours to rewrite.
constexpr off_t kLargestAcceptedFile = 1024 * 1024;

constexpr const char* kWhitespace = " \t\r\f\v";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(kWhitespace);
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kWhitespace);
    return text.substr(first, last - first + 1);
}

bool IsCommentLine(const std::string& trimmedLine) {
    return !trimmedLine.empty() && (trimmedLine[0] == ';' || trimmedLine[0] == '#');
}

// The section a header line opens, or nullopt when the line is no header.
std::optional<std::string> SectionOf(const std::string& line) {
    const std::string trimmed = Trimmed(line);
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') {
        return std::nullopt;
    }
    return trimmed.substr(1, trimmed.size() - 2);
}

struct Entry {
    std::string key;
    std::string value;
};

std::optional<Entry> EntryOf(const std::string& line) {
    const std::string trimmed = Trimmed(line);
    const auto equals = trimmed.find('=');
    if (IsCommentLine(trimmed) || equals == std::string::npos) {
        return std::nullopt;
    }
    return Entry{Trimmed(trimmed.substr(0, equals)), Trimmed(trimmed.substr(equals + 1))};
}

bool IsEntryFor(const std::string& line, const std::string& key) {
    const auto entry = EntryOf(line);
    return entry && entry->key == key;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::optional<std::string> ReadAll(int fd, off_t expectedSize) {
    std::string content;
    content.reserve(static_cast<std::size_t>(expectedSize));
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count == 0) {
            return content;
        }
        if (count < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (count > 0) {
            content.append(buffer, static_cast<std::size_t>(count));
            if (content.size() > static_cast<std::size_t>(kLargestAcceptedFile)) {
                return std::nullopt;
            }
        }
    }
}

bool CreateFolder(const std::string& folder) {
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    return !error;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += '\n';
    }
    return content;
}

// Puts newLine in place of the key's first entry in the section and drops the later ones.
bool ReplaceEntry(std::vector<std::string>& lines, const std::string& section,
                  const std::string& key, const std::string& newLine) {
    std::string current;
    bool replaced = false;
    for (std::size_t index = 0; index < lines.size();) {
        if (auto header = SectionOf(lines[index])) {
            current = *header;
        } else if (current == section && IsEntryFor(lines[index], key)) {
            if (replaced) {
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
                continue;
            }
            lines[index] = newLine;
            replaced = true;
        }
        ++index;
    }
    return replaced;
}

// The last non-blank line of the section's first block, so that a new entry goes in
// front of the blank line that separates it from the next section.
std::optional<std::size_t> LastLineOfSection(const std::vector<std::string>& lines,
                                             const std::string& section) {
    std::optional<std::size_t> last;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const auto header = SectionOf(lines[index]);
        if (header && last) {
            break;
        }
        if ((header && *header == section) || (last && !Trimmed(lines[index]).empty())) {
            last = index;
        }
    }
    return last;
}

}  // namespace

std::string CConfFile::DefaultPath() {
    std::string configHome;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        configHome = xdg;
    } else {
        configHome = HomeFolder() + "/.config";
    }
    return configHome + "/Sorvane/Com.conf";
}

CConfFile::CConfFile(std::string path) : m_strPath(std::move(path)) {}

CConfFile::LoadResult CConfFile::Load() {
    m_lines.clear();
    // Non-blocking so that a FIFO in the file's place cannot hang the open.
    const int fd = open(m_strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const bool absent = errno == ENOENT || errno == ENOTDIR;
        return absent ? LoadResult::Missing : LoadResult::Unreadable;
    }
    struct stat info {};
    std::optional<std::string> content;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kLargestAcceptedFile) {
        content = ReadAll(fd, info.st_size);
    }
    close(fd);
    if (!content) {
        return LoadResult::Unreadable;
    }
    m_lines = SplitLines(*content);
    return LoadResult::Loaded;
}

std::vector<std::pair<std::string, std::string>> CConfFile::Entries(
    const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> entries;
    std::string current;
    for (const auto& line : m_lines) {
        if (auto header = SectionOf(line)) {
            current = *header;
        } else if (current == section) {
            if (auto entry = EntryOf(line)) {
                entries.emplace_back(std::move(entry->key), std::move(entry->value));
            }
        }
    }
    return entries;
}

std::optional<std::string> CConfFile::Value(const std::string& section,
                                            const std::string& key) const {
    for (auto& [name, value] : Entries(section)) {
        if (name == key) {
            return value;
        }
    }
    return std::nullopt;
}

void CConfFile::RemoveValue(const std::string& section, const std::string& key) {
    std::string current;
    for (std::size_t index = 0; index < m_lines.size();) {
        if (auto header = SectionOf(m_lines[index])) {
            current = *header;
        } else if (current == section && IsEntryFor(m_lines[index], key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(index));
            continue;
        }
        ++index;
    }
}

void CConfFile::SetValue(const std::string& section, const std::string& key,
                         const std::string& value) {
    const std::string newLine = key + "=" + value;
    if (ReplaceEntry(m_lines, section, key, newLine)) {
        return;
    }
    if (const auto index = LastLineOfSection(m_lines, section)) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*index + 1), newLine);
        return;
    }
    m_lines.push_back("[" + section + "]");
    m_lines.push_back(newLine);
}

bool CConfFile::Save() const {
    const std::string folder = std::filesystem::path(m_strPath).parent_path().string();
    if (!CreateFolder(folder)) {
        return false;
    }
    return ReplaceFileAtomically(m_strPath, JoinLines(m_lines)) == ReplaceOutcome::Replaced;
}

}  // namespace radiosetup
