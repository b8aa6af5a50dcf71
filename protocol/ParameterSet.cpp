#include "ParameterSet.h"

namespace radiosetup {

CParameterSet::CParameterSet() {
    LoadFactoryDefaults();
}

void CParameterSet::LoadFactoryDefaults() {
    m_strRxFrequency = "2290000";
    m_strTxFrequency = "2290000";
    m_strChannelTotal = "100";
    m_strCurrentChannel = "1";
    m_strTxTimeLimit = "0";
    // The ANI edit shows "1" although the number starts at 0; the radio's answer settles it.
    m_strAni = "1";
    m_nRxFrequency = 2290000;
    m_nTxFrequency = 2290000;
    m_nAni = 0;
    m_nChannelTotal = 100;
    m_nCurrentChannel = 1;
    m_nTxTimeLimit = 0;
    m_bDataMode = 1;
    m_bAddressing = 1;
    m_bTransparent = 1;
    m_bRelayOn = 1;
    m_nEccSetting = kEccNotUsed;
    m_bEncryption = 0;
    m_bRxEndRelay = 0;
    m_bCompander = 0;
    m_bPreEmphasis = 0;
    m_nRxChannelGain = 8;
    m_nRxVoiceGain = 4;
    m_nTxChannelGain = 8;
    m_nTxVoiceGain = 8;
}

// After a failed connect only the frequencies are unknown; the rest keeps its factory value.
void CParameterSet::LoadBlankParams() {
    LoadFactoryDefaults();
    m_strRxFrequency = "0000000";
    m_strTxFrequency = "0000000";
    m_nRxFrequency = 0;
    m_nTxFrequency = 0;
}

}  // namespace radiosetup
