#pragma once

#include <cstdint>

#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "RadioFrame.h"
#include "RadioLimits.h"

namespace radiosetup {

// Command codes (payload byte 0).
namespace Cmd {
constexpr std::uint8_t kAni = 0x02;
constexpr std::uint8_t kChannelTotal = 0x03;
constexpr std::uint8_t kRxFrequency = 0x04;
constexpr std::uint8_t kTxFrequency = 0x05;
constexpr std::uint8_t kTxTimeLimit = 0x06;
constexpr std::uint8_t kCurrentChannel = 0x07;
constexpr std::uint8_t kVoiceMode = 0x08;
constexpr std::uint8_t kErrorCorrection = 0x0A;
constexpr std::uint8_t kConnect = 0x0B;
constexpr std::uint8_t kDataMode = 0x0E;
constexpr std::uint8_t kAudio = 0x11;
constexpr std::uint8_t kEncryption = 0x13;
constexpr std::uint8_t kTransparent = 0x15;
constexpr std::uint8_t kAddressing = 0x18;
constexpr std::uint8_t kRelayOrLine = 0x1C;
constexpr std::uint8_t kChannelQuery = 0x1D;
constexpr std::uint8_t kQuery = 0xCC;
}  // namespace Cmd

// The audio request's last byte, above the receive channel gain; the parameter block
// reports the first three in the same places.
namespace AudioFlag {
constexpr std::uint8_t kCompander = 0x80;
constexpr std::uint8_t kPreEmphasis = 0x40;
constexpr std::uint8_t kNoErrorCorrection = 0x20;
constexpr std::uint8_t kEncryption = 0x10;
}  // namespace AudioFlag

// Audio levels 1..16 travel as codes 0..15.
constexpr std::uint8_t kLevelCodeMask = 0x0F;

// Channel words of the link: frequency / 125, receive lowered by 214000 first.
std::uint16_t TxFrequencyWord(std::uint32_t frequency);
std::uint16_t RxFrequencyWord(std::uint32_t frequency);

// Rate code in bits 3-0 (5..8, 0 for an unknown rate), parity in bits 7-6.
std::uint8_t LineCode(int baudRate, int parity);

RadioPayload ConnectPayload(const PcPortSettings& settings);
RadioPayload WorkModePayload(const CParameterSet& params);  // 0x0E data, 0x08 voice
RadioPayload QueryPayload();
RadioPayload AniPayload(const CParameterSet& params);
RadioPayload ChannelTotalPayload(const CParameterSet& params);
RadioPayload RxFrequencyPayload(const CParameterSet& params);  // of the current channel
RadioPayload TxFrequencyPayload(const CParameterSet& params);
RadioPayload CurrentChannelPayload(const CParameterSet& params);
RadioPayload TxTimeLimitPayload(const CParameterSet& params);
RadioPayload AddressingPayload(const CParameterSet& params);
RadioPayload TransparentPayload(const CParameterSet& params);
RadioPayload RelayPayload(const CParameterSet& params);
RadioPayload ErrorCorrectionPayload(const CParameterSet& params);
RadioPayload EncryptionPayload(const CParameterSet& params);
RadioPayload AudioPayload(const CParameterSet& params);

// Requests with an explicit channel (1-based), as the multi-channel window sends them.
RadioPayload ChannelRxFrequencyPayload(int channel, std::uint32_t frequency);
RadioPayload ChannelTxFrequencyPayload(int channel, std::uint32_t frequency);
RadioPayload ChannelQueryPayload(int startChannel);
// The radio's own line settings (0x1C with a line code).
RadioPayload RadioLinePayload(int baudRate, int parity);

}  // namespace radiosetup
