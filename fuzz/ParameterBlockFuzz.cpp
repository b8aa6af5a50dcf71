// Any bytes as the radio's answer to a parameter query.
#include <cstdint>
#include <vector>

#include "ParameterBlock.h"

using namespace radiosetup;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < static_cast<std::size_t>(kParameterBlockSize)) {
        return 0;
    }
    // A copy of exactly the block's size, so that a read past it is caught.
    const std::vector<std::uint8_t> block(data, data + kParameterBlockSize);
    CParameterSet params;
    HasValidChecksum(block.data());
    DecodeParameterBlock(block.data(), params);
    return 0;
}
