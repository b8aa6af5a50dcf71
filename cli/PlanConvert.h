#pragma once

#include <string>
#include <vector>

namespace radiosetup {

// `plan convert IN OUT`: a channel file (.txt, the format of "ChanPara.txt") to a CSV plan
// (.csv), or a CSV plan to a channel file; the extensions choose the direction.
//
// - A channel file always holds 100 channels. Channels a CSV plan does not name are
//   written with CChannelFile::kDefaultFrequency for receive and transmit, as the
//   multi-channel window fills a new channel file; OUT is replaced, never merged.
// - A channel file shorter than 100 records reads as that default for the rest.
// - Both sides are held to the same rules: a channel file value outside 100..600 MHz or
//   off the 12.5 kHz step is reported ("IN: channel 7: rx ...") like a CSV fault.
// - Nothing is written unless the whole input is good.
class CPlanConvert {
public:
    // Empty when OUT was written; else the messages that say why it was not.
    static std::vector<std::string> Convert(const std::string& inPath, const std::string& outPath);
};

}  // namespace radiosetup
