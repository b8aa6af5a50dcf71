#include "posix/PortHolders.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "posix/UucpLock.h"

namespace radiosetup {

namespace {

// A line of /proc/locks: "1: FLOCK  ADVISORY  WRITE 1234 00:1a:5 0 EOF", where the
// fifth field is the holder and the sixth the file as major:minor:inode (hex:hex:dec).
int LockTableHolder(const struct stat& device) {
    std::ifstream table("/proc/locks");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string id, kind, advisory, mode, file;
        int pid = 0;
        if (fields >> id >> kind >> advisory >> mode >> pid >> file && pid > 0) {
            unsigned major = 0, minor = 0;
            unsigned long inode = 0;
            char colon = 0;
            std::istringstream parts(file);
            parts >> std::hex >> major >> colon >> minor >> colon >> std::dec >> inode;
            if (major == ::major(device.st_dev) && minor == ::minor(device.st_dev) &&
                inode == device.st_ino) {
                return pid;
            }
        }
    }
    return 0;
}

}  // namespace

std::string ProgramOf(int pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

PortHolder HolderOf(const std::string& devicePath) {
    PortHolder holder;
    holder.pid = UucpLockHolder(devicePath);
    struct stat device {};
    if (holder.pid == 0 && stat(devicePath.c_str(), &device) == 0) {
        holder.pid = LockTableHolder(device);
    }
    if (holder.pid != 0) {
        holder.program = ProgramOf(holder.pid);
    }
    return holder;
}

PortState ProbePortState(const std::string& devicePath, PortHolder& holder) {
    if (access(devicePath.c_str(), F_OK) != 0) {
        return PortState::Absent;
    }
    holder = HolderOf(devicePath);
    if (holder.pid != 0) {
        return PortState::InUse;
    }
    return access(devicePath.c_str(), R_OK | W_OK) == 0 ? PortState::Free : PortState::NoPermission;
}

}  // namespace radiosetup
