#include "PortFailureWords.h"

namespace radiosetup {

// Windows has no device groups: access is the administrator's to grant.
std::string NoPermissionAdvice(const std::string&) {
    return "ask an administrator for access to it";
}

}  // namespace radiosetup
