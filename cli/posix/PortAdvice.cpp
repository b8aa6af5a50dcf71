#include "PortFailureWords.h"

namespace radiosetup {

// Serial devices belong to a group (dialout on Debian); membership counts from the next login.
std::string NoPermissionAdvice(const std::string& group) {
    if (group.empty()) {
        return "ask for read and write access to it";
    }
    return "add your user to the group `" + group + "` and log in again";
}

}  // namespace radiosetup
