#pragma once

#include <string>

#include "PcPort.h"

namespace radiosetup {

// message as it stands, and when the port knows why it failed, a line below naming the
// port and the cause: "无法打开串口\nPort3 (/dev/ttyUSB0)：设备不存在（未连接或已拔出）".
// A one-line field takes another separator.
std::string WithPortFailure(const std::string& message, int portNumber, const IPcPort& port,
                            const std::string& separator = "\n");

}  // namespace radiosetup
