#include "PortNaming.h"

namespace radiosetup {

std::vector<int> PresentPortNumbers() {
    std::vector<int> numbers;
    for (const NumberedPort& listed : ListPorts()) {
        if (listed.number > 0 && listed.port.state != PortState::Absent) {
            numbers.push_back(listed.number);
        }
    }
    return numbers;
}

}  // namespace radiosetup
