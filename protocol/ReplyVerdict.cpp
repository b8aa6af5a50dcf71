#include "ReplyVerdict.h"

namespace radiosetup {

const char* VerdictName(ReplyVerdict verdict) {
    switch (verdict) {
        case ReplyVerdict::Accepted:
            return "accepted";
        case ReplyVerdict::Refused:
            return "refused";
        case ReplyVerdict::Silent:
            return "silent";
        case ReplyVerdict::Short:
            return "short";
        case ReplyVerdict::BadChecksum:
            return "bad checksum";
        case ReplyVerdict::Unexpected:
            return "unexpected";
    }
    return "unknown";
}

}  // namespace radiosetup
