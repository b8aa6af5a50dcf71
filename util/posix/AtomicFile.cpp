#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace radiosetup {

namespace {

bool WriteAll(int fd, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t count = write(fd, content.data() + written, content.size() - written);
        if (count < 0 && errno != EINTR) {
            return false;
        }
        if (count > 0) {
            written += static_cast<std::size_t>(count);
        }
    }
    return true;
}

// A file saved more than this long ago by a save that never finished is left over.
constexpr auto kStaleTemporaryAge = std::chrono::minutes(1);
// Links are followed as far as the kernel follows them.
constexpr int kMostLinksFollowed = 40;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// The file the path leads to through any symbolic links, itself perhaps not there yet,
// so that a save rewrites the linked file instead of replacing the link. Nullopt for a
// loop of links or a link that cannot be read.
std::optional<std::filesystem::path> LinkedFile(std::filesystem::path file) {
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
            return file;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(file, error);
        if (error) {
            return std::nullopt;
        }
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return std::nullopt;
}

// A file marked read-only (no write bit at all) is kept even by root, who may write
// anything, as an editor keeps it; others are asked whether they may write it.
bool MayReplace(const struct stat& existing, const std::string& path) {
    return (existing.st_mode & kAnyWrite) != 0 &&
           faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// "<name>." and the six letters or digits mkostemp puts in place of XXXXXX.
bool IsTemporaryOf(const std::string& candidate, const std::string& name) {
    constexpr std::size_t kRandomPart = 6;
    if (candidate.size() != name.size() + 1 + kRandomPart ||
        candidate.compare(0, name.size(), name) != 0 || candidate[name.size()] != '.') {
        return false;
    }
    const auto isAlnum = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    return std::all_of(candidate.end() - kRandomPart, candidate.end(), isAlnum);
}

// Removes what saves killed half way left beside the file. A temporary changed within
// the last minute may belong to a save still at work, whose rename would fail without it.
void RemoveStaleTemporaries(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const auto staleBefore = std::filesystem::file_time_type::clock::now() - kStaleTemporaryAge;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryOf(entry->path().filename().string(), name) &&
            entry->symlink_status(ignored).type() == std::filesystem::file_type::regular &&
            entry->last_write_time(ignored) < staleBefore) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

bool WriteTemporaryFile(int fd, const std::string& content, mode_t mode) {
    return WriteAll(fd, content) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
}

// Makes the rename itself durable; the file is already in place if this fails.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

// Readers see either the old file or the new one, never a half-written one.
ReplaceOutcome ReplaceFileAtomically(const std::string& path, const std::string& content,
                                     int newFileMode) {
    const auto linked = LinkedFile(path);
    if (!linked) {
        return ReplaceOutcome::Failed;
    }
    const std::string file = linked->string();
    struct stat existing {};
    const bool exists = stat(file.c_str(), &existing) == 0;
    if (exists && !MayReplace(existing, file)) {
        return ReplaceOutcome::ReadOnly;
    }
    RemoveStaleTemporaries(file);
    std::string temporaryPath = file + ".XXXXXX";
    const int fd = mkostemp(temporaryPath.data(), O_CLOEXEC);
    if (fd < 0) {
        return ReplaceOutcome::Failed;
    }
    const mode_t mode = exists ? existing.st_mode & 07777 : static_cast<mode_t>(newFileMode);
    const bool written = WriteTemporaryFile(fd, content, mode);
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(temporaryPath.c_str(), file.c_str()) != 0) {
        unlink(temporaryPath.c_str());
        return ReplaceOutcome::Failed;
    }
    const std::string folder = std::filesystem::path(file).parent_path().string();
    SyncFolder(folder.empty() ? "." : folder);
    return ReplaceOutcome::Replaced;
}

}  // namespace radiosetup
