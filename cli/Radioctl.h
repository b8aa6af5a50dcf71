#pragma once

#include <iostream>
#include <string>
#include <vector>

namespace radiosetup {

class IClock;
class IRadioLink;

// A radio already on a link, in the link's own time: the simulated radio in virtual time.
struct GivenRadio {
    IRadioLink& link;
    IClock& clock;
};

// radioctl's whole run over its arguments (without the program name); the exit status.
// With --json, out gets exactly one JSON document, a failure's too; in is what "-" reads.
// With a given radio, the commands that talk through the session talk to it, and the port
// options only name it.
int RunRadioctl(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                std::istream& in = std::cin, const GivenRadio* given = nullptr);

}  // namespace radiosetup
