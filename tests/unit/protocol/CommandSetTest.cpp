#include "CommandSet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "TestNamespaces.h"

namespace {

// "05 00 47 90 00": failures read like the bytes on the wire.
std::string Hex(const RadioPayload& payload) {
    std::string text;
    for (std::uint8_t byte : payload) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += (text.empty() ? "" : " ") + std::string(digits);
    }
    return text;
}

CParameterSet OnChannel(int channel) {
    CParameterSet params;
    params.m_nCurrentChannel = static_cast<std::uint8_t>(channel);
    return params;
}

}  // namespace

TEST(CommandSet, FrequencyOfTheCurrentChannel) {
    CParameterSet params = OnChannel(1);
    params.m_nTxFrequency = 2290000;
    params.m_nRxFrequency = 2290000;
    EXPECT_EQ(Hex(TxFrequencyPayload(params)), "05 00 47 90 00");
    EXPECT_EQ(Hex(RxFrequencyPayload(params)), "04 00 40 E0 00");

    // Below a 125-unit step is dropped.
    params.m_nTxFrequency = 2290124;
    params.m_nRxFrequency = 2290124;
    EXPECT_EQ(Hex(TxFrequencyPayload(params)), "05 00 47 90 00");
    EXPECT_EQ(Hex(RxFrequencyPayload(params)), "04 00 40 E0 00");

    params.m_nCurrentChannel = 100;
    EXPECT_EQ(Hex(RxFrequencyPayload(params)), "04 63 40 E0 00");
}

TEST(CommandSet, FrequencyOfAnExplicitChannel) {
    EXPECT_EQ(Hex(ChannelRxFrequencyPayload(1, 2300000)), "04 00 41 30 00");
    EXPECT_EQ(Hex(ChannelTxFrequencyPayload(1, 2300000)), "05 00 47 E0 00");
    EXPECT_EQ(Hex(ChannelRxFrequencyPayload(1, 2300060)), "04 00 41 30 00");
    EXPECT_EQ(Hex(ChannelRxFrequencyPayload(91, 4500000)), "04 5A 85 F0 00");
    EXPECT_EQ(Hex(ChannelTxFrequencyPayload(91, 4600000)), "05 5A 8F C0 00");
    EXPECT_EQ(Hex(ChannelQueryPayload(91)), "1D 5A 00 00 00");
    EXPECT_EQ(Hex(ChannelQueryPayload(1)), "1D 00 00 00 00");
}

TEST(CommandSet, FrequencyWordsOverTheAcceptedRange) {
    EXPECT_EQ(RxFrequencyWord(1000000), 6288);
    EXPECT_EQ(RxFrequencyWord(6000000), 46288);
    EXPECT_EQ(TxFrequencyWord(1000000), 8000);
    EXPECT_EQ(TxFrequencyWord(6000000), 48000);
}

TEST(CommandSet, AniTravelsLittleEndian) {
    CParameterSet params;
    params.m_nAni = 1193046;  // 0x123456
    EXPECT_EQ(Hex(AniPayload(params)), "02 56 34 12 00");
    params.m_nAni = 16777215;
    EXPECT_EQ(Hex(AniPayload(params)), "02 FF FF FF 00");
}

TEST(CommandSet, ChannelCountsAndTimeLimit) {
    EXPECT_EQ(Hex(CurrentChannelPayload(OnChannel(1))), "07 00 00 00 00");
    EXPECT_EQ(Hex(CurrentChannelPayload(OnChannel(100))), "07 63 00 00 00");

    CParameterSet params;
    params.m_nChannelTotal = 100;
    params.m_nTxTimeLimit = 255;
    EXPECT_EQ(Hex(ChannelTotalPayload(params)), "03 64 00 00 00");
    EXPECT_EQ(Hex(TxTimeLimitPayload(params)), "06 FF 00 00 00");
    EXPECT_EQ(Hex(QueryPayload()), "CC 00 00 00 00");
}

TEST(CommandSet, LineCodeCarriesRateAndParity) {
    struct Case {
        int baudRate;
        int parity;
        std::uint8_t code;
    };
    for (const Case& c : {Case{9600, kParityNone, 0x07}, Case{9600, kParityOdd, 0x47},
                          Case{9600, kParityEven, 0xC7}, Case{19200, kParityEven, 0xC8},
                          Case{19200, kParityNone, 0x08}, Case{2400, kParityOdd, 0x45},
                          Case{4800, kParityNone, 0x06}, Case{1200, kParityEven, 0xC0},
                          Case{115200, kParityNone, 0x00}}) {
        SCOPED_TRACE(std::to_string(c.baudRate) + " parity " + std::to_string(c.parity));
        EXPECT_EQ(LineCode(c.baudRate, c.parity), c.code);
    }

    PcPortSettings settings;
    settings.m_nBaudRate = 9600;
    settings.m_nParity = kParityOdd;
    EXPECT_EQ(Hex(ConnectPayload(settings)), "0B 47 00 00 00");
    EXPECT_EQ(Hex(RadioLinePayload(9600, kParityEven)), "1C C7 00 00 00");
}

TEST(CommandSet, WorkModeFollowsTheDataModeFlag) {
    CParameterSet params;
    params.m_bDataMode = 1;
    EXPECT_EQ(Hex(WorkModePayload(params)), "0E 00 00 00 00");
    params.m_bDataMode = 0;
    EXPECT_EQ(Hex(WorkModePayload(params)), "08 00 00 00 00");
}

// Addressing and transparent mode send 00 for the chosen option and 0F for its opposite.
TEST(CommandSet, OptionSwitches) {
    CParameterSet params;
    params.m_bAddressing = 1;
    params.m_bTransparent = 1;
    EXPECT_EQ(Hex(AddressingPayload(params)), "18 00 00 00 00");
    EXPECT_EQ(Hex(TransparentPayload(params)), "15 00 00 00 00");
    params.m_bAddressing = 0;
    params.m_bTransparent = 0;
    EXPECT_EQ(Hex(AddressingPayload(params)), "18 0F 00 00 00");
    EXPECT_EQ(Hex(TransparentPayload(params)), "15 0F 00 00 00");

    params.m_nEccSetting = kEccNotUsed;
    EXPECT_EQ(Hex(ErrorCorrectionPayload(params)), "0A 00 00 00 00");
    params.m_nEccSetting = kEccUsed;
    EXPECT_EQ(Hex(ErrorCorrectionPayload(params)), "0A 01 00 00 00");

    params.m_bEncryption = 0;
    EXPECT_EQ(Hex(EncryptionPayload(params)), "13 00 00 00 00");
    params.m_bEncryption = 1;
    EXPECT_EQ(Hex(EncryptionPayload(params)), "13 01 00 00 00");
}

TEST(CommandSet, RelayCarriesBothFlagsAsZeroOrOne) {
    CParameterSet params;
    params.m_bRelayOn = 1;
    params.m_bRxEndRelay = 0;
    EXPECT_EQ(Hex(RelayPayload(params)), "1C 01 00 00 00");
    params.m_bRelayOn = 0;
    params.m_bRxEndRelay = 1;
    EXPECT_EQ(Hex(RelayPayload(params)), "1C 00 01 00 00");
    params.m_bRelayOn = 2;
    params.m_bRxEndRelay = 0xFF;
    EXPECT_EQ(Hex(RelayPayload(params)), "1C 01 01 00 00");
}

TEST(CommandSet, AudioPacksLevelsAndFlags) {
    CParameterSet params;
    EXPECT_EQ(Hex(AudioPayload(params)), "11 0F F3 77 27");  // factory set

    params.m_nEccSetting = kEccUsed;
    EXPECT_EQ(Hex(AudioPayload(params)), "11 0F F3 77 07");

    params.m_nRxChannelGain = 1;
    params.m_nRxVoiceGain = 1;
    params.m_nTxChannelGain = 1;
    params.m_nTxVoiceGain = 1;
    EXPECT_EQ(Hex(AudioPayload(params)), "11 0F F0 00 00");

    params.m_nRxChannelGain = 16;
    params.m_nRxVoiceGain = 8;
    params.m_nTxChannelGain = 16;
    params.m_nTxVoiceGain = 16;
    params.m_bCompander = 1;
    params.m_bPreEmphasis = 1;
    params.m_nEccSetting = kEccNotUsed;
    params.m_bEncryption = 1;
    EXPECT_EQ(Hex(AudioPayload(params)), "11 0F F7 FF FF");

    // A transmit channel level past 16 shifts out of the byte.
    params.m_nTxChannelGain = 17;
    EXPECT_EQ(Hex(AudioPayload(params)), "11 0F F7 0F FF");
}
