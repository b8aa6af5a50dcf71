#pragma once

#include <string>

// The device that PC port number n stands for.
std::string PortDevicePath(int portNumber);
