#pragma once

#include <string>

#include "ParameterSet.h"

// Numbers of the main window's operations; 13 and 16 are not used.
namespace OpKind {
constexpr int kNone = 0;
constexpr int kConnect = 1;
constexpr int kWorkMode = 2;
constexpr int kQuery = 3;
constexpr int kSetDevice = 4;
constexpr int kRxFrequency = 5;
constexpr int kTxFrequency = 6;
constexpr int kAni = 7;
constexpr int kChannelTotal = 8;
constexpr int kCurrentChannel = 9;
constexpr int kTxTimeLimit = 10;
constexpr int kAddressing = 11;
constexpr int kTransparent = 12;
constexpr int kRelay = 14;
constexpr int kErrorCorrection = 15;
constexpr int kEncryption = 17;
constexpr int kAudio = 18;
}  // namespace OpKind

// The name shown while the operation runs; paired names follow the current settings.
std::string OperationName(int opKind, const CParameterSet& params);
// Result texts of operations judged by their status byte. Empty for operations
// that have none (connect and query have their own).
std::string SuccessText(int opKind, const CParameterSet& params);
std::string FailureText(int opKind);
