#include "ReportedParameters.h"

#include <cstdlib>

namespace radiosetup {

RadioBackup ReportedParameters(const CParameterSet& queried) {
    RadioBackup reported;
    reported.rxFrequency = static_cast<std::int32_t>(queried.m_nRxFrequency);
    reported.txFrequency = static_cast<std::int32_t>(queried.m_nTxFrequency);
    reported.ani = static_cast<std::int32_t>(std::strtol(queried.m_strAni.c_str(), nullptr, 10));
    reported.channelTotal = queried.m_nChannelTotal;
    reported.currentChannel = queried.m_nCurrentChannel;
    reported.txTimeLimit = queried.m_nTxTimeLimit;
    reported.rxChannelGain = queried.m_nRxChannelGain;
    reported.rxVoiceGain = queried.m_nRxVoiceGain;
    reported.txChannelGain = queried.m_nTxChannelGain;
    reported.txVoiceGain = queried.m_nTxVoiceGain;
    reported.addressing = queried.m_bAddressing == 0;
    reported.transparent = queried.m_bTransparent != 0;
    reported.errorCorrection = queried.m_nEccSetting == kEccUsed;
    reported.encryption = queried.m_bEncryption != 0;
    reported.compander = queried.m_bCompander != 0;
    reported.preEmphasis = queried.m_bPreEmphasis != 0;
    return reported;
}

void ApplyParameters(const RadioBackup& backup, CParameterSet& params) {
    params.m_nRxFrequency = static_cast<std::uint32_t>(backup.rxFrequency);
    params.m_nTxFrequency = static_cast<std::uint32_t>(backup.txFrequency);
    params.m_nAni = backup.ani;
    params.m_nChannelTotal = static_cast<std::uint8_t>(backup.channelTotal);
    params.m_nCurrentChannel = static_cast<std::uint8_t>(backup.currentChannel);
    params.m_nTxTimeLimit = static_cast<std::uint8_t>(backup.txTimeLimit);
    params.m_nRxChannelGain = static_cast<std::uint8_t>(backup.rxChannelGain);
    params.m_nRxVoiceGain = static_cast<std::uint8_t>(backup.rxVoiceGain);
    params.m_nTxChannelGain = static_cast<std::uint8_t>(backup.txChannelGain);
    params.m_nTxVoiceGain = static_cast<std::uint8_t>(backup.txVoiceGain);
    params.m_bAddressing = backup.addressing ? 1 : 0;
    params.m_bTransparent = backup.transparent ? 1 : 0;
    params.m_nEccSetting = backup.errorCorrection ? kEccUsed : kEccNotUsed;
    params.m_bEncryption = backup.encryption ? 1 : 0;
    params.m_bCompander = backup.compander ? 1 : 0;
    params.m_bPreEmphasis = backup.preEmphasis ? 1 : 0;
}

}  // namespace radiosetup
