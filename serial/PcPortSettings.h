#pragma once

#include <cstdint>

namespace radiosetup {

constexpr int kParityNone = 0;
constexpr int kParityOdd = 1;
constexpr int kParityEven = 2;

// The line rates the radio takes, fastest first, as the radio-port dialog lists them and
// the search tries them.
constexpr int kLineRates[] = {19200, 9600, 4800, 2400};

constexpr int kDefaultPortNumber = 1;
constexpr int kDefaultBaudRate = 9600;
constexpr int kDefaultParity = kParityNone;
constexpr int kHighestPortNumber = 16;     // stored numbers up to this are always kept
constexpr int kHighestNumberedPort = 255;  // the highest a present port may have

// The PC side's serial settings, kept between runs by the port settings store.
struct PcPortSettings {
    std::uint8_t m_nPortNumber = kDefaultPortNumber;  // 1 to 16, or a present port to 255
    std::int32_t m_nBaudRate = kDefaultBaudRate;      // one of kLineRates
    std::uint8_t m_nParity = kDefaultParity;          // 0 none, 1 odd, 2 even
};

bool IsSupportedBaudRate(std::int64_t baudRate);

}  // namespace radiosetup
