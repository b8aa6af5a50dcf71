#include "CommandSet.h"

namespace radiosetup {

namespace {

constexpr std::uint8_t kOptionOn = 0x00;  // addressing and transparent mode use 00 for "on"
constexpr std::uint8_t kOptionOff = 0x0F;
constexpr std::uint8_t kAudioMarker = 0x0F;

RadioPayload MakePayload(std::uint8_t command, std::uint8_t b1 = 0, std::uint8_t b2 = 0,
                         std::uint8_t b3 = 0, std::uint8_t b4 = 0) {
    return {command, b1, b2, b3, b4};
}

// Keeps bits 7-0: every payload byte is computed modulo 256.
std::uint8_t Byte(unsigned value) {
    return static_cast<std::uint8_t>(value);
}

// The radio numbers its channels from 0.
std::uint8_t ChannelByte(int channel) {
    return static_cast<std::uint8_t>(channel - 1);
}

std::uint8_t Flag(std::uint8_t value) {
    return static_cast<std::uint8_t>(value != 0);
}

// Channel words travel big-endian, unlike the ANI.
RadioPayload FrequencyPayload(std::uint8_t command, int channel, std::uint16_t word) {
    return MakePayload(command, ChannelByte(channel), Byte(word >> 8u), Byte(word));
}

std::uint8_t BaudCode(int baudRate) {
    switch (baudRate) {
        case 2400:
            return 5;
        case 4800:
            return 6;
        case 9600:
            return 7;
        case 19200:
            return 8;
        default:
            return 0;
    }
}

std::uint8_t ParityBits(int parity) {
    switch (parity) {
        case kParityOdd:
            return 0x40;
        case kParityEven:
            return 0xC0;
        default:
            return 0x00;
    }
}

// Levels 1..16 travel as 0..15.
std::uint8_t LevelCode(std::uint8_t level) {
    return Byte(level - 1u);
}

std::uint8_t AudioFlags(const CParameterSet& params) {
    std::uint8_t flags = 0;
    if (params.m_bCompander != 0) {
        flags |= AudioFlag::kCompander;
    }
    if (params.m_bPreEmphasis != 0) {
        flags |= AudioFlag::kPreEmphasis;
    }
    if (params.m_nEccSetting == kEccNotUsed) {
        flags |= AudioFlag::kNoErrorCorrection;
    }
    if (params.m_bEncryption != 0) {
        flags |= AudioFlag::kEncryption;
    }
    return flags;
}

}  // namespace

std::uint16_t TxFrequencyWord(std::uint32_t frequency) {
    return static_cast<std::uint16_t>(frequency / kChannelStep);
}

std::uint16_t RxFrequencyWord(std::uint32_t frequency) {
    return static_cast<std::uint16_t>((frequency - kRxFrequencyOffset) / kChannelStep);
}

std::uint8_t LineCode(int baudRate, int parity) {
    return static_cast<std::uint8_t>(BaudCode(baudRate) | ParityBits(parity));
}

RadioPayload ConnectPayload(const PcPortSettings& settings) {
    return MakePayload(Cmd::kConnect, LineCode(settings.m_nBaudRate, settings.m_nParity));
}

RadioPayload WorkModePayload(const CParameterSet& params) {
    return MakePayload(params.m_bDataMode != 0 ? Cmd::kDataMode : Cmd::kVoiceMode);
}

RadioPayload QueryPayload() {
    return MakePayload(Cmd::kQuery);
}

RadioPayload AniPayload(const CParameterSet& params) {
    const auto ani = static_cast<std::uint32_t>(params.m_nAni);
    return MakePayload(Cmd::kAni, Byte(ani), Byte(ani >> 8u), Byte(ani >> 16u));
}

RadioPayload ChannelTotalPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kChannelTotal, params.m_nChannelTotal);
}

RadioPayload RxFrequencyPayload(const CParameterSet& params) {
    return ChannelRxFrequencyPayload(params.m_nCurrentChannel, params.m_nRxFrequency);
}

RadioPayload TxFrequencyPayload(const CParameterSet& params) {
    return ChannelTxFrequencyPayload(params.m_nCurrentChannel, params.m_nTxFrequency);
}

RadioPayload CurrentChannelPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kCurrentChannel, ChannelByte(params.m_nCurrentChannel));
}

RadioPayload TxTimeLimitPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kTxTimeLimit, params.m_nTxTimeLimit);
}

RadioPayload AddressingPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kAddressing, params.m_bAddressing != 0 ? kOptionOn : kOptionOff);
}

RadioPayload TransparentPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kTransparent, params.m_bTransparent != 0 ? kOptionOn : kOptionOff);
}

RadioPayload RelayPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kRelayOrLine, Flag(params.m_bRelayOn), Flag(params.m_bRxEndRelay));
}

RadioPayload ErrorCorrectionPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kErrorCorrection, params.m_nEccSetting == kEccNotUsed ? 0x00 : 0x01);
}

RadioPayload EncryptionPayload(const CParameterSet& params) {
    return MakePayload(Cmd::kEncryption, Flag(params.m_bEncryption));
}

RadioPayload AudioPayload(const CParameterSet& params) {
    const std::uint8_t rxVoice = LevelCode(params.m_nRxVoiceGain);
    const std::uint8_t txChannel = LevelCode(params.m_nTxChannelGain);
    const std::uint8_t txVoice = LevelCode(params.m_nTxVoiceGain);
    const std::uint8_t rxChannel = LevelCode(params.m_nRxChannelGain);
    return MakePayload(Cmd::kAudio, kAudioMarker, Byte(0xF0u | rxVoice),
                       Byte((txChannel << 4u) | (txVoice & kLevelCodeMask)),
                       Byte((rxChannel & kLevelCodeMask) | AudioFlags(params)));
}

RadioPayload ChannelRxFrequencyPayload(int channel, std::uint32_t frequency) {
    return FrequencyPayload(Cmd::kRxFrequency, channel, RxFrequencyWord(frequency));
}

RadioPayload ChannelTxFrequencyPayload(int channel, std::uint32_t frequency) {
    return FrequencyPayload(Cmd::kTxFrequency, channel, TxFrequencyWord(frequency));
}

RadioPayload ChannelQueryPayload(int startChannel) {
    return MakePayload(Cmd::kChannelQuery, ChannelByte(startChannel));
}

RadioPayload RadioLinePayload(int baudRate, int parity) {
    return MakePayload(Cmd::kRelayOrLine, LineCode(baudRate, parity));
}

}  // namespace radiosetup
