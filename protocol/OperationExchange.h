#pragma once

#include <chrono>

#include "OpKind.h"
#include "OperationEngine.h"
#include "ParameterSet.h"
#include "ParameterTable.h"
#include "PcPortSettings.h"
#include "ReplyVerdict.h"
#include "RequestLine.h"

namespace radiosetup {

class IClock;
class IExchangeObserver;
class IRadioLink;
class IReplyWait;

// The main window's operations for a caller that waits for each answer (radioctl): the
// requests and judges of COperationEngine, which the window runs on its timer. The
// deadlines are the engine's waits added up: the 2500 ms budget and the 500 ms pick-up,
// for a parameter block also the 800 ms second read.
class COperationExchange {
public:
    static constexpr std::chrono::milliseconds kStatusDeadline{kReplyBudgetMs +
                                                               COperationEngine::kPickUpSleepMs};
    static constexpr std::chrono::milliseconds kQueryDeadline =
        kStatusDeadline + std::chrono::milliseconds(COperationEngine::kSecondReadSleepMs);

    COperationExchange(IRadioLink& link, IClock& clock, IReplyWait& wait,
                       IExchangeObserver* observer = nullptr);

    ReplyVerdict Connect(const PcPortSettings& line);
    // Every parameter the radio reports, into params.
    ReplyVerdict Query(CParameterSet& params);
    // A request of the parameter table with the values of params: a switch, a field's OK,
    // a frame of the parameter write.
    ReplyVerdict Write(const ParameterRow::Request& request, const CParameterSet& params);

private:
    CRequestLine m_line;
};

}  // namespace radiosetup
