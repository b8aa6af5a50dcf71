#pragma once

#include <optional>
#include <string>
#include <vector>

#include "SimFrameFinder.h"
#include "SimRadio.h"

namespace radiosim {

// The radio's own answer to a request, before any fault is applied.
struct SimAnswer {
    std::vector<std::uint8_t> reply;
    std::string note;                        // what the request did
    std::optional<SimLineSettings> newLine;  // to be adopted once the reply is out
};

// Applies one request to the state and gives the reply: 55 AA 00 for settings,
// 55 AA FF for values the radio cannot take, data blocks for the two queries.
SimAnswer AnswerRequest(SimRadioState& state, const SimRequestFrame& frame);

// The answer with the faults applied; frameNumber counts frames from 1 as Frames()
// does. A refused or scripted request leaves the state as it was.
SimAnswer AnswerWithFaults(SimRadioState& state, const SimFaults& faults,
                           const SimRequestFrame& frame, std::size_t frameNumber);

// A line code: rate code in bits 3-0 (5 to 8), parity in bits 7-6.
std::optional<SimLineSettings> DecodeLineCode(std::uint8_t code);
std::string DescribeLine(const SimLineSettings& line);

}  // namespace radiosim
