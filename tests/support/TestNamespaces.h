#pragma once

// Tests name the program's and the simulated radio's types without qualification.
namespace radiosetup {}
namespace radiosim {}
using namespace radiosetup;
using namespace radiosim;
