#include <functional>

#include "SimRadioLink.h"
#include "TestNamespaces.h"

namespace {

const Payload kSetAni = {0x02, 0x56, 0x34, 0x12, 0x00};
const Payload kChannelQuery = {0x1D, 0x00, 0x00, 0x00, 0x00};

}  // namespace

class SimRadioFaults : public SimRadioLink {
protected:
    void Apply(const std::function<void(SimFaults&)>& change) {
        SimFaults faults = m_radio.Faults();
        change(faults);
        m_radio.SetFaults(faults);
    }
};

TEST_F(SimRadioFaults, RefusalLeavesTheStateAlone) {
    Apply([](SimFaults& faults) { faults.statusFor[0x02] = 0xFF; });
    EXPECT_EQ(m_pc.Exchange(kSetAni, 3), (Bytes{0x55, 0xAA, 0xFF}));
    EXPECT_EQ(m_radio.State().ani, 1u);
    EXPECT_EQ(m_pc.Exchange({0x03, 0x20, 0x00, 0x00, 0x00}, 3), kAck);  // others still taken
}

TEST_F(SimRadioFaults, OtherStatusStillAppliesTheSetting) {
    Apply([](SimFaults& faults) {
        faults.statusFor[0x02] = 0x22;
        faults.statusFor[0x0B] = 0x11;
    });
    EXPECT_EQ(m_pc.Exchange(kSetAni, 3), (Bytes{0x55, 0xAA, 0x22}));
    EXPECT_EQ(m_radio.State().ani, 0x123456u);
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), (Bytes{0x55, 0xAA, 0x11}));
}

TEST_F(SimRadioFaults, ScriptedReplyReplacesTheAnswer) {
    Apply([](SimFaults& faults) {
        faults.replyFor[0x0B] = {0x55, 0xAA, 0x00, 0x00};
        faults.replyFor[0x02] = {};
    });
    m_pc.SendFrame(kConnect9600None);
    EXPECT_EQ(m_pc.ReadUpTo(4, std::chrono::seconds(3)), (Bytes{0x55, 0xAA, 0x00, 0x00}));
    m_pc.SendFrame(kSetAni);
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    EXPECT_EQ(m_radio.State().ani, 1u);
}

TEST_F(SimRadioFaults, SilentRadioAnswersNothingButRecordsFrames) {
    Apply([](SimFaults& faults) { faults.silent = true; });
    m_pc.SendFrame(kConnect9600None);
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    ASSERT_TRUE(m_radio.WaitForFrames(1, std::chrono::seconds(3)));
    EXPECT_TRUE(m_radio.Frames()[0].reply.empty());
}

TEST_F(SimRadioFaults, SilentCommandsAreNotAnswered) {
    Apply([](SimFaults& faults) { faults.silentCommands = {0xCC}; });
    m_pc.SendFrame(kQuery);
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);
}

TEST_F(SimRadioFaults, SilentFromTheSecondFrame) {
    Apply([](SimFaults& faults) { faults.silentFromFrame = 2; });
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);
    for (int i = 0; i < 2; ++i) {
        m_pc.SendFrame(kConnect9600None);
        EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    }
    ASSERT_TRUE(m_radio.WaitForFrames(3, std::chrono::seconds(3)));
    const std::vector<SimFrameRecord> frames = m_radio.Frames();
    EXPECT_EQ(frames[0].reply, kAck);
    EXPECT_TRUE(frames[1].reply.empty());
    EXPECT_TRUE(frames[2].reply.empty());

    m_radio.ClearFrames();  // the count starts again
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);
}

TEST_F(SimRadioFaults, SplitReplyArrivesInTwoParts) {
    Apply([](SimFaults& faults) {
        faults.splitAt = 100;
        faults.splitPauseMs = 1000;
    });
    m_pc.SendFrame(kQuery);
    Bytes block = m_pc.ReadUpTo(kParameterBlockSize, std::chrono::milliseconds(600));
    EXPECT_EQ(block.size(), 100u);
    const Bytes rest = m_pc.ReadUpTo(kParameterBlockSize - block.size(), std::chrono::seconds(3));
    EXPECT_EQ(rest.size(), 31u);
    block.insert(block.end(), rest.begin(), rest.end());
    ASSERT_EQ(block.size(), kParameterBlockSize);
    EXPECT_EQ(block[0] | block[1] << 8, ParameterBlockChecksum(block));
}

TEST_F(SimRadioFaults, BadChecksumIsOffByOne) {
    Apply([](SimFaults& faults) { faults.badChecksum = true; });
    const Bytes block = m_pc.Exchange(kQuery, kParameterBlockSize);
    ASSERT_EQ(block.size(), kParameterBlockSize);
    EXPECT_EQ(block[0] | block[1] << 8, (ParameterBlockChecksum(block) + 1) & 0xFFFF);
}

TEST_F(SimRadioFaults, BlocksAreCutShort) {
    Apply([](SimFaults& faults) { faults.truncateBlockTo = 30; });
    for (const Payload& query : {kQuery, kChannelQuery}) {
        EXPECT_EQ(m_pc.Exchange(query, 30).size(), 30u);
        EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    }
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);
}

TEST_F(SimRadioFaults, GarbageComesBeforeEveryReply) {
    Apply([](SimFaults& faults) { faults.garbageBefore = {0x01, 0x02}; });
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 5), (Bytes{0x01, 0x02, 0x55, 0xAA, 0x00}));
    const Bytes block = m_pc.Exchange(kChannelQuery, 2 + kChannelBlockSize);
    ASSERT_EQ(block.size(), 2 + kChannelBlockSize);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 6), (Bytes{0x01, 0x02, 0x90, 0x47, 0xE0, 0x40}));
}

TEST_F(SimRadioFaults, DelayedReplyComesLater) {
    Apply([](SimFaults& faults) { faults.replyDelayMs = 1000; });
    m_pc.SendFrame(kConnect9600None);
    EXPECT_TRUE(m_pc.ReadFor(std::chrono::milliseconds(300)).empty());
    EXPECT_EQ(m_pc.ReadUpTo(3, std::chrono::seconds(3)), kAck);
}

TEST_F(SimRadioFaults, InjectedBytesArriveUnasked) {
    m_radio.Inject({0x55, 0xAA, 0x22});
    EXPECT_EQ(m_pc.ReadUpTo(3, std::chrono::seconds(3)), (Bytes{0x55, 0xAA, 0x22}));
}

TEST_F(SimRadioFaults, VanishingRadioHangsUpThePcSide) {
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);
    m_radio.Vanish();
    EXPECT_TRUE(m_pc.SeesHangUp(std::chrono::seconds(2)));
}
