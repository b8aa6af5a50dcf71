#pragma once

#include <cstdint>

#include "OpKind.h"
#include "ParameterSet.h"
#include "ReplyVerdict.h"

namespace radiosetup {

// The main window's judges.

// Connect (and the search's probe): exactly three bytes 55 AA with status 00, 11 or 22.
ReplyVerdict JudgeConnectReply(int count, const std::uint8_t* reply);
// A parameter query: the whole 131-byte block with a matching checksum.
ReplyVerdict JudgeQueryReply(int count, const std::uint8_t* block);
// The same, and the block decoded into params when accepted.
ReplyVerdict ReadParameterReply(int count, const std::uint8_t* block, CParameterSet& params);
// A status operation by the byte at offset 2: FF refuses. Mode and ANI writes accept only
// 00 (ANI also 22) and leave any other status unjudged (Unexpected); every other
// operation takes any status but FF.
ReplyVerdict JudgeStatusReply(OpKind opKind, std::uint8_t status);

}  // namespace radiosetup
