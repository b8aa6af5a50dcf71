#pragma once

#include <optional>
#include <string>

namespace radiosetup {

// The lock files Linux terminal programs (minicom, picocom, screen) and Qt's serial
// port leave for a serial device: <folder>/LCK..<device name> holding the owner's PID
// as ten ASCII characters. flock and TIOCEXCL cannot stop a program that opened the
// port first; the lock file tells us it is there.

// The folder is /var/lock unless RADIOSETUP_LOCK_DIR names another.
std::string UucpLockFolder();

// Takes the lock for devicePath. Returns the lock file to remove on close; an empty
// path when no lock could be written (no such folder, not writable), which does not
// stop the open; nothing when a live process holds the lock. Stale locks are removed.
std::optional<std::string> TakeUucpLock(const std::string& devicePath);

// The live process whose lock file names the device; 0 when none.
int UucpLockHolder(const std::string& devicePath);

// Removes a lock TakeUucpLock returned, if it is still this process's.
void ReleaseUucpLock(const std::string& lockFile);

}  // namespace radiosetup
