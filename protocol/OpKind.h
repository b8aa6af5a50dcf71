#pragma once

#include <cstdint>
#include <string>

#include "ParameterSet.h"

namespace radiosetup {

// The main window's operations, numbered as the window records them (13 and 16 are not
// used). Every kind has one row of texts in OpKind.cpp; the compiler refuses a kind
// without one.
enum class OpKind : std::uint8_t {
    kNone = 0,  // no operation: what arrives is judged as a connect reply
    kConnect = 1,
    kWorkMode = 2,
    kQuery = 3,
    kSetDevice = 4,
    kRxFrequency = 5,
    kTxFrequency = 6,
    kAni = 7,
    kChannelTotal = 8,
    kCurrentChannel = 9,
    kTxTimeLimit = 10,
    kAddressing = 11,
    kTransparent = 12,
    kRelay = 14,
    kErrorCorrection = 15,
    kEncryption = 17,
    kAudio = 18,
};

// The name shown while the operation runs; paired names follow the current settings.
std::string OperationName(OpKind kind, const CParameterSet& params);
// The result texts. A time-out with no operation pending fails with "设备无响应"; a query
// whose block fails its checksum has a text of its own.
std::string SuccessText(OpKind kind, const CParameterSet& params);
std::string FailureText(OpKind kind);

}  // namespace radiosetup
