#pragma once

#include <string>

namespace radiosetup {

// The device that PC port number n stands for.
std::string PortDevicePath(int portNumber);

}  // namespace radiosetup
