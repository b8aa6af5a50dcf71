#include "OperationJudge.h"

#include "OpKind.h"
#include "ParameterBlock.h"
#include "RadioFrame.h"
#include "RadioLimits.h"

namespace radiosetup {

namespace {

constexpr std::uint8_t kRefusal = 0xFF;

}  // namespace

ReplyVerdict JudgeConnectReply(int count, const std::uint8_t* reply) {
    return IsAckReply(count, reply) ? ReplyVerdict::Accepted
           : count <= 0             ? ReplyVerdict::Silent
                                    : ReplyVerdict::Unexpected;
}

ReplyVerdict JudgeQueryReply(int count, const std::uint8_t* block) {
    if (count <= 0) {
        return ReplyVerdict::Silent;
    }
    if (count != kParameterBlockSize) {
        return ReplyVerdict::Short;
    }
    return HasValidChecksum(block) ? ReplyVerdict::Accepted : ReplyVerdict::BadChecksum;
}

ReplyVerdict ReadParameterReply(int count, const std::uint8_t* block, CParameterSet& params) {
    const ReplyVerdict verdict = JudgeQueryReply(count, block);
    if (verdict == ReplyVerdict::Accepted) {
        DecodeParameterBlock(block, params);
    }
    return verdict;
}

ReplyVerdict JudgeStatusReply(OpKind opKind, std::uint8_t status) {
    if (status == kRefusal) {
        return ReplyVerdict::Refused;
    }
    const bool strict = opKind == OpKind::kWorkMode || opKind == OpKind::kAni;
    const bool listed = status == 0x00 || (opKind == OpKind::kAni && status == 0x22);
    return listed || !strict ? ReplyVerdict::Accepted : ReplyVerdict::Unexpected;
}

}  // namespace radiosetup
