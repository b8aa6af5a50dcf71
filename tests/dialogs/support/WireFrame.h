#pragma once

#include <string>

#include "TestNamespaces.h"

// A request as the radio must receive it, in the radios' log form: 55 AA, the payload
// ("04 00 18 90 00"), the XOR of the payload.
std::string WireFrame(const std::string& payload);
