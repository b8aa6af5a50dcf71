#pragma once

#include <string>

namespace radiosetup {

enum class ReplaceOutcome {
    Replaced,
    ReadOnly,  // the file has no write bit (or is marked read-only): kept, even for root
    Failed,    // could not be written whole; the old file is as it was
};

// Writes content to a temporary file beside path, flushes it to disk and renames it over
// path, so that readers and a full disk see the old file or the new one, never a part.
// Links are followed to the real file, whose mode a replacement keeps; a new file gets
// newFileMode. No temporary stays behind on failure.
ReplaceOutcome ReplaceFileAtomically(const std::string& path, const std::string& content,
                                     int newFileMode = 0644);

}  // namespace radiosetup
