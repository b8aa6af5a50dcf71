#pragma once

#include <cstdint>
#include <string>

namespace radiosetup {

// The main window's copy of the radio's parameters: each edit's text and, for most,
// a number. Texts and numbers are updated at different moments and may differ.
class CParameterSet {
public:
    CParameterSet();  // factory values

    void LoadFactoryDefaults();
    void LoadBlankParams();

    std::string m_strRxFrequency;
    std::string m_strTxFrequency;
    std::string m_strChannelTotal;
    std::string m_strCurrentChannel;
    std::string m_strTxTimeLimit;
    std::string m_strAni;
    std::uint32_t m_nRxFrequency;  // 100 Hz units
    std::uint32_t m_nTxFrequency;
    std::int32_t m_nAni;  // 0 to 16777215
    std::uint8_t m_nChannelTotal;
    std::uint8_t m_nCurrentChannel;  // 1-based
    std::uint8_t m_nTxTimeLimit;     // seconds
    std::uint8_t m_bDataMode;
    std::uint8_t m_bAddressing;
    std::uint8_t m_bTransparent;
    std::uint8_t m_bRelayOn;
    std::int32_t m_nEccSetting;  // 1200 not used, 2400 used
    std::uint8_t m_bEncryption;
    std::uint8_t m_bRxEndRelay;
    std::uint8_t m_bCompander;
    std::uint8_t m_bPreEmphasis;
    std::uint8_t m_nRxChannelGain;  // 1 to 16
    std::uint8_t m_nRxVoiceGain;    // 1 to 8
    std::uint8_t m_nTxChannelGain;  // 1 to 16
    std::uint8_t m_nTxVoiceGain;    // 1 to 16
};

constexpr std::int32_t kEccNotUsed = 1200;
constexpr std::int32_t kEccUsed = 2400;

}  // namespace radiosetup
