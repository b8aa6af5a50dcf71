#include "ParameterSet.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

// Everything except the two frequencies is the same in the factory and the blank set.
void ExpectFactoryValuesBesideFrequencies(const CParameterSet& params) {
    EXPECT_EQ(params.m_strChannelTotal, "100");
    EXPECT_EQ(params.m_strCurrentChannel, "1");
    EXPECT_EQ(params.m_strTxTimeLimit, "0");
    EXPECT_EQ(params.m_strAni, "1");
    EXPECT_EQ(params.m_nAni, 0);
    EXPECT_EQ(params.m_nChannelTotal, 100);
    EXPECT_EQ(params.m_nCurrentChannel, 1);
    EXPECT_EQ(params.m_nTxTimeLimit, 0);
    EXPECT_EQ(params.m_bDataMode, 1);
    EXPECT_EQ(params.m_bAddressing, 1);
    EXPECT_EQ(params.m_bTransparent, 1);
    EXPECT_EQ(params.m_bRelayOn, 1);
    EXPECT_EQ(params.m_nEccSetting, kEccNotUsed);
    EXPECT_EQ(params.m_bEncryption, 0);
    EXPECT_EQ(params.m_bRxEndRelay, 0);
    EXPECT_EQ(params.m_bCompander, 0);
    EXPECT_EQ(params.m_bPreEmphasis, 0);
    EXPECT_EQ(params.m_nRxChannelGain, 8);
    EXPECT_EQ(params.m_nRxVoiceGain, 4);
    EXPECT_EQ(params.m_nTxChannelGain, 8);
    EXPECT_EQ(params.m_nTxVoiceGain, 8);
}

void ExpectFactoryFrequencies(const CParameterSet& params) {
    EXPECT_EQ(params.m_strRxFrequency, "2290000");
    EXPECT_EQ(params.m_strTxFrequency, "2290000");
    EXPECT_EQ(params.m_nRxFrequency, 2290000u);
    EXPECT_EQ(params.m_nTxFrequency, 2290000u);
}

// A set that differs from the factory and the blank set in every member.
CParameterSet EditedParams() {
    CParameterSet params;
    params.m_strRxFrequency = "4500000";
    params.m_strTxFrequency = "4600000";
    params.m_strChannelTotal = "50";
    params.m_strCurrentChannel = "7";
    params.m_strTxTimeLimit = "30";
    params.m_strAni = "1193046";
    params.m_nRxFrequency = 4500000;
    params.m_nTxFrequency = 4600000;
    params.m_nAni = 1193046;
    params.m_nChannelTotal = 50;
    params.m_nCurrentChannel = 7;
    params.m_nTxTimeLimit = 30;
    params.m_bDataMode = 0;
    params.m_bAddressing = 0;
    params.m_bTransparent = 0;
    params.m_bRelayOn = 0;
    params.m_nEccSetting = kEccUsed;
    params.m_bEncryption = 1;
    params.m_bRxEndRelay = 1;
    params.m_bCompander = 1;
    params.m_bPreEmphasis = 1;
    params.m_nRxChannelGain = 16;
    params.m_nRxVoiceGain = 8;
    params.m_nTxChannelGain = 1;
    params.m_nTxVoiceGain = 16;
    return params;
}

template <typename Member>
long long StoreAndReadBack(Member& member, long long value) {
    member = static_cast<Member>(value);
    return member;
}

}  // namespace

TEST(ParameterSet, ConstructionAndFactoryLoaderGiveTheFactorySet) {
    const CParameterSet fresh;
    ExpectFactoryFrequencies(fresh);
    ExpectFactoryValuesBesideFrequencies(fresh);

    CParameterSet edited = EditedParams();
    edited.LoadFactoryDefaults();
    ExpectFactoryFrequencies(edited);
    ExpectFactoryValuesBesideFrequencies(edited);
}

TEST(ParameterSet, BlankSetClearsOnlyTheFrequencies) {
    CParameterSet params = EditedParams();
    params.LoadBlankParams();
    EXPECT_EQ(params.m_strRxFrequency, "0000000");
    EXPECT_EQ(params.m_strTxFrequency, "0000000");
    EXPECT_EQ(params.m_nRxFrequency, 0u);
    EXPECT_EQ(params.m_nTxFrequency, 0u);
    ExpectFactoryValuesBesideFrequencies(params);
}

// Reply bytes and slider positions are stored into these members as they are; a wider
// type would keep values the radio never sees.
TEST(ParameterSet, ByteMembersKeepOnlyTheLowEightBits) {
    CParameterSet params;
    for (auto* member :
         {&params.m_nChannelTotal, &params.m_nCurrentChannel, &params.m_nTxTimeLimit,
          &params.m_bDataMode, &params.m_bAddressing, &params.m_bTransparent, &params.m_bRelayOn,
          &params.m_bEncryption, &params.m_bRxEndRelay, &params.m_bCompander,
          &params.m_bPreEmphasis, &params.m_nRxChannelGain, &params.m_nRxVoiceGain,
          &params.m_nTxChannelGain, &params.m_nTxVoiceGain}) {
        EXPECT_EQ(StoreAndReadBack(*member, 257), 1);
        EXPECT_EQ(StoreAndReadBack(*member, 255), 255);
    }
    EXPECT_EQ(StoreAndReadBack(params.m_nRxFrequency, 6000000), 6000000);
    EXPECT_EQ(StoreAndReadBack(params.m_nTxFrequency, 6000000), 6000000);
    EXPECT_EQ(StoreAndReadBack(params.m_nAni, 16777215), 16777215);
    EXPECT_EQ(StoreAndReadBack(params.m_nEccSetting, kEccUsed), kEccUsed);
}
