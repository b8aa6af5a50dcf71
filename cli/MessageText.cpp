#include "MessageText.h"

namespace radiosetup {

std::string MoreFaults(std::size_t count) {
    return "and " + std::to_string(count) + " more";
}

}  // namespace radiosetup
