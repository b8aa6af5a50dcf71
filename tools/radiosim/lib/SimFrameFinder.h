#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace radiosim {

using SimRequestFrame = std::array<std::uint8_t, 8>;

// What the radio made of the next stretch of its input.
struct SimFoundFrame {
    SimRequestFrame frame{};
    bool checkOk = false;           // false: the check byte does not match, the frame is ignored
    std::size_t skippedBefore = 0;  // bytes thrown away since the previous frame
};

// Cuts the radio's input into 8-byte request frames: 55 AA, five payload bytes and
// their XOR. Anything before a header is skipped. A candidate with a bad check byte
// gives up only its first byte, so a real frame hidden behind stray 55 AA is found.
class CSimFrameFinder {
public:
    void Add(const std::uint8_t* bytes, std::size_t count);
    // The next frame, or nothing while no complete frame is waiting.
    std::optional<SimFoundFrame> Next();

private:
    void SkipToHeader();

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_nSkipped = 0;
};

}  // namespace radiosim
