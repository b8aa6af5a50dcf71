#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ChannelFreqPair.h"
#include "ExchangeObserver.h"
#include "MultiChannelExchange.h"
#include "OperationExchange.h"
#include "ParameterSet.h"
#include "ParameterTable.h"
#include "PcPortSettings.h"
#include "ReplyVerdict.h"
#include "WholeAnswerWait.h"

namespace radiosetup {

class IClock;
class IRadioLink;

// Hears one line per frame sent or received, for --trace (the time is the hearer's).
using TraceSink = std::function<void(const std::string& line)>;

// The command line's side of the conversation: the exchanges of the window, but each
// answer is taken as soon as all of it is in, the window's waits being only the deadlines.
// It names each request for the trace and keeps the account of what was accepted.
class CRadioSession final : private IExchangeObserver {
public:
    // linkGone, when given, ends a wait at once: a device that went away answers nothing.
    CRadioSession(IRadioLink& link, IClock& clock, TraceSink trace = {},
                  std::function<bool()> linkGone = {});

    ReplyVerdict Connect(const PcPortSettings& line);
    // Every parameter the radio reports, into params.
    ReplyVerdict Query(CParameterSet& params);
    // A request of the parameter table with the values of params, judged as the window
    // judges it.
    ReplyVerdict Send(const ParameterRow::Request& request, const CParameterSet& params,
                      const std::string& what);
    // What Send had accepted so far, by its what ("set ani"), for an account of a run.
    const std::vector<std::string>& Accepted() const { return m_accepted; }
    // The ANI the first query found, and the one the radio holds now as far as this
    // session knows: the last one written or queried. Nullopt before any query.
    std::optional<std::int32_t> AniBefore() const { return m_aniBefore; }
    std::optional<std::int32_t> AniAfter() const { return m_aniAfter; }
    // Hears the name of each request as it goes out ("set rx channel 37").
    void OnRequest(std::function<void(const std::string& what)> hear) {
        m_onRequest = std::move(hear);
    }
    // Channels start .. start + count - 1 (count 1 to 10).
    ReplyVerdict ReadChannels(int start, int count, std::vector<ChannelFreqPair>& channels);
    // Receive, then transmit frequency; the second only after the first was accepted.
    ReplyVerdict WriteChannel(int channel, const ChannelFreqPair& pair);

private:
    void Sent(const RadioFrame& frame, bool delivered) override;
    void Judged(const std::uint8_t* reply, int count, ReplyVerdict verdict) override;
    // The names of the requests the next exchange sends, in order.
    void Naming(std::deque<std::string> names);
    void Trace(const char* direction, const std::uint8_t* bytes, std::size_t count,
               const std::string& what) const;

    TraceSink m_trace;
    std::function<void(const std::string&)> m_onRequest;
    CWholeAnswerWait m_wait;
    COperationExchange m_operations;
    CMultiChannelExchange m_channels;
    std::deque<std::string> m_names;
    std::string m_strWhat;  // the request in flight
    std::vector<std::string> m_accepted;
    std::optional<std::int32_t> m_aniBefore;
    std::optional<std::int32_t> m_aniAfter;
};

}  // namespace radiosetup
