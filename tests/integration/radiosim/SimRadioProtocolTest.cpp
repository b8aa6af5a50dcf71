#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "SimRadioLink.h"
#include "TestNamespaces.h"

namespace {

std::uint16_t LittleEndian16(const Bytes& block, std::size_t at) {
    return static_cast<std::uint16_t>(block[at] | block[at + 1] << 8);
}

std::uint16_t StoredChecksum(const Bytes& block) {
    return LittleEndian16(block, 0);
}

std::uint32_t TxFrequencyOf(std::uint16_t word) {
    return word * 125U;
}
std::uint32_t RxFrequencyOf(std::uint16_t word) {
    return word * 125U + 214000U;
}

}  // namespace

TEST_F(SimRadioLink, AcknowledgesConnectAndRecordsTheFrame) {
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);

    ASSERT_TRUE(m_radio.WaitForFrames(1, std::chrono::seconds(3)));
    const std::vector<SimFrameRecord> frames = m_radio.Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].frame, FrameOf(kConnect9600None));
    EXPECT_EQ(frames[0].reply, kAck);
}

TEST_F(SimRadioLink, AcknowledgesUnknownCommands) {
    EXPECT_EQ(m_pc.Exchange({0x42, 0x01, 0x02, 0x03, 0x04}, 3), kAck);
}

TEST_F(SimRadioLink, FactoryParameterBlockVerifiesAndDecodes) {
    const Bytes block = m_pc.Exchange(kQuery, kParameterBlockSize);
    ASSERT_EQ(block.size(), kParameterBlockSize);
    EXPECT_EQ(StoredChecksum(block), ParameterBlockChecksum(block));
    EXPECT_EQ(block[2] | block[3] << 8, 1);  // ANI
    EXPECT_EQ(block[6], 100);                // channel total
    EXPECT_EQ(block[7], 0);                  // current channel 1
    EXPECT_EQ(block[8], 0);                  // time limit
    EXPECT_NE(block[9], 0);                  // transparent
    EXPECT_EQ(block[10] & 0x08, 0);          // encryption off
    EXPECT_EQ(block[12] & 0x07, 3);          // receive voice gain 4
    EXPECT_EQ(block[14], 0x77);              // transmit gains 8 and 8
    EXPECT_EQ(block[16], 0x27);              // ecc not used, receive channel gain 8
    EXPECT_EQ(block[22], 0x0F);              // addressing off
    EXPECT_EQ(Bytes(block.begin() + 32, block.begin() + 36), (Bytes{0x90, 0x47, 0xE0, 0x40}));
    EXPECT_EQ(TxFrequencyOf(LittleEndian16(block, 36)), 2300000u);
    EXPECT_EQ(RxFrequencyOf(LittleEndian16(block, 38)), 2300000u);
    EXPECT_EQ(Bytes(block.begin() + 128, block.end()), (Bytes{0, 0, 0}));
}

TEST_F(SimRadioLink, ParameterBlockFollowsTheState) {
    SimRadioState state;
    state.ani = 0x123456;
    state.channelTotal = 50;
    state.currentChannel = 7;
    state.txTimeLimit = 30;
    state.transparent = false;
    state.encryption = true;
    state.eccUsed = true;
    state.compander = true;
    state.addressing = 0x00;
    state.rxChannelGain = 16;
    state.rxVoiceGain = 1;
    state.txChannelGain = 2;
    state.txVoiceGain = 15;
    state.txWord[6] = SimRadioState::TxWordOf(4600000);
    state.rxWord[6] = SimRadioState::RxWordOf(4500000);
    m_radio.SetState(state);

    const Bytes block = m_pc.Exchange(kQuery, kParameterBlockSize);
    ASSERT_EQ(block.size(), kParameterBlockSize);
    EXPECT_EQ(StoredChecksum(block), ParameterBlockChecksum(block));
    EXPECT_EQ(Bytes(block.begin() + 2, block.begin() + 5), (Bytes{0x56, 0x34, 0x12}));
    EXPECT_EQ(block[6], 50);
    EXPECT_EQ(block[7], 6);
    EXPECT_EQ(block[8], 30);
    EXPECT_EQ(block[9], 0);
    EXPECT_EQ(block[10] & 0x08, 0x08);
    EXPECT_EQ(block[12] & 0x07, 0);
    EXPECT_EQ(block[14], 0x1E);
    EXPECT_EQ(block[16], 0x9F);  // compander, ecc used, encryption, receive channel gain 16
    EXPECT_EQ(block[22], 0x00);
    const std::size_t entry = 32 + 4 * 6;
    EXPECT_EQ(TxFrequencyOf(LittleEndian16(block, entry)), 4600000u);
    EXPECT_EQ(RxFrequencyOf(LittleEndian16(block, entry + 2)), 4500000u);
}

TEST_F(SimRadioLink, FrequencySetsShowInBothBlocks) {
    // 4500000 receive is word 0x85F0, 4600000 transmit is word 0x8FC0.
    const std::uint8_t channelIndices[] = {0x00, 0x02, 0x5A};
    for (const std::uint8_t index : channelIndices) {
        EXPECT_EQ(m_pc.Exchange({0x04, index, 0x85, 0xF0, 0x00}, 3), kAck);
        EXPECT_EQ(m_pc.Exchange({0x05, index, 0x8F, 0xC0, 0x00}, 3), kAck);
    }
    const Bytes newWords = {0xC0, 0x8F, 0xF0, 0x85};
    const Bytes factoryWords = {0xE0, 0x47, 0x30, 0x41};  // 2300000 both ways

    const Bytes block = m_pc.Exchange(kQuery, kParameterBlockSize);
    ASSERT_EQ(block.size(), kParameterBlockSize);
    EXPECT_EQ(StoredChecksum(block), ParameterBlockChecksum(block));
    EXPECT_EQ(Bytes(block.begin() + 32, block.begin() + 36), newWords);
    EXPECT_EQ(Bytes(block.begin() + 36, block.begin() + 40), factoryWords);
    EXPECT_EQ(Bytes(block.begin() + 40, block.begin() + 44), newWords);

    const Bytes first = m_pc.Exchange({0x1D, 0x00, 0x00, 0x00, 0x00}, kChannelBlockSize);
    ASSERT_EQ(first.size(), kChannelBlockSize);
    EXPECT_EQ(Bytes(first.begin(), first.begin() + 4), newWords);
    EXPECT_EQ(Bytes(first.begin() + 4, first.begin() + 8), factoryWords);
    EXPECT_EQ(Bytes(first.begin() + 8, first.begin() + 12), newWords);

    const Bytes last = m_pc.Exchange({0x1D, 0x5A, 0x00, 0x00, 0x00}, kChannelBlockSize);
    ASSERT_EQ(last.size(), kChannelBlockSize);
    EXPECT_EQ(Bytes(last.begin(), last.begin() + 4), newWords);     // channel 91
    EXPECT_EQ(Bytes(last.begin() + 36, last.end()), factoryWords);  // channel 100

    const SimRadioState state = m_radio.State();
    EXPECT_EQ(state.rxWord[90], SimRadioState::RxWordOf(4500000));
    EXPECT_EQ(state.txWord[90], SimRadioState::TxWordOf(4600000));
}

TEST_F(SimRadioLink, ChannelBlockPastTheLastChannelIsZero) {
    const Bytes block = m_pc.Exchange({0x1D, 0x5F, 0x00, 0x00, 0x00}, kChannelBlockSize);
    ASSERT_EQ(block.size(), kChannelBlockSize);
    EXPECT_NE(Bytes(block.begin(), block.begin() + 20), Bytes(20, 0));  // channels 96 to 100
    EXPECT_EQ(Bytes(block.begin() + 20, block.end()), Bytes(20, 0));
}

TEST_F(SimRadioLink, RefusesChannelIndexPastTheLast) {
    EXPECT_EQ(m_pc.Exchange({0x04, 0x64, 0x85, 0xF0, 0x00}, 3), (Bytes{0x55, 0xAA, 0xFF}));
    EXPECT_EQ(m_pc.Exchange({0x03, 0x00, 0x00, 0x00, 0x00}, 3), (Bytes{0x55, 0xAA, 0xFF}));
    EXPECT_EQ(m_radio.State().channelTotal, 100);
}

TEST_F(SimRadioLink, SettingCommandsChangeTheState) {
    const std::vector<Payload> settings = {
        {0x02, 0x56, 0x34, 0x12, 0x00},  // ANI 0x123456
        {0x03, 0x20, 0x00, 0x00, 0x00},  // 32 channels
        {0x07, 0x04, 0x00, 0x00, 0x00},  // current channel 5
        {0x06, 0xFF, 0x00, 0x00, 0x00},  // time limit 255 s
        {0x08, 0x00, 0x00, 0x00, 0x00},  // voice mode
        {0x0A, 0x01, 0x00, 0x00, 0x00},  // ecc used
        {0x13, 0x01, 0x00, 0x00, 0x00},  // encryption on
        {0x15, 0x0F, 0x00, 0x00, 0x00},  // non-transparent
        {0x18, 0x00, 0x00, 0x00, 0x00},  // addressing on
    };
    for (const Payload& payload : settings) {
        EXPECT_EQ(m_pc.Exchange(payload, 3), kAck) << HexText(payload.data(), payload.size());
    }
    const SimRadioState state = m_radio.State();
    EXPECT_EQ(state.ani, 0x123456u);
    EXPECT_EQ(state.channelTotal, 32);
    EXPECT_EQ(state.currentChannel, 5);
    EXPECT_EQ(state.txTimeLimit, 255);
    EXPECT_FALSE(state.dataMode);
    EXPECT_TRUE(state.eccUsed);
    EXPECT_TRUE(state.encryption);
    EXPECT_FALSE(state.transparent);
    EXPECT_EQ(state.addressing, 0x00);

    EXPECT_EQ(m_pc.Exchange({0x0E, 0x00, 0x00, 0x00, 0x00}, 3), kAck);
    EXPECT_EQ(m_pc.Exchange({0x15, 0x00, 0x00, 0x00, 0x00}, 3), kAck);
    EXPECT_TRUE(m_radio.State().dataMode);
    EXPECT_TRUE(m_radio.State().transparent);
}

TEST_F(SimRadioLink, RelayCommandSetsBothSwitches) {
    EXPECT_EQ(m_pc.Exchange({0x1C, 0x01, 0x01, 0x00, 0x00}, 3), kAck);
    EXPECT_TRUE(m_radio.State().relayOn);
    EXPECT_TRUE(m_radio.State().rxEndRelay);

    EXPECT_EQ(m_pc.Exchange({0x1C, 0x00, 0x00, 0x00, 0x00}, 3), kAck);
    EXPECT_FALSE(m_radio.State().relayOn);
    EXPECT_FALSE(m_radio.State().rxEndRelay);
    EXPECT_EQ(m_radio.State().baudRate, 9600);
}

TEST_F(SimRadioLink, AudioCommandIsUnpacked) {
    EXPECT_EQ(m_pc.Exchange({0x11, 0x0F, 0xF7, 0xFF, 0xFF}, 3), kAck);
    SimRadioState state = m_radio.State();
    EXPECT_EQ(state.rxVoiceGain, 8);
    EXPECT_EQ(state.txChannelGain, 16);
    EXPECT_EQ(state.txVoiceGain, 16);
    EXPECT_EQ(state.rxChannelGain, 16);
    EXPECT_TRUE(state.compander);
    EXPECT_TRUE(state.preEmphasis);
    EXPECT_FALSE(state.eccUsed);
    EXPECT_TRUE(state.encryption);

    EXPECT_EQ(m_pc.Exchange({0x11, 0x0F, 0xF0, 0x00, 0x00}, 3), kAck);
    state = m_radio.State();
    EXPECT_EQ(state.rxVoiceGain, 1);
    EXPECT_EQ(state.txChannelGain, 1);
    EXPECT_EQ(state.rxChannelGain, 1);
    EXPECT_FALSE(state.compander);
    EXPECT_TRUE(state.eccUsed);
    EXPECT_FALSE(state.encryption);
}

TEST_F(SimRadioLink, FindsFramesBehindGarbageAndIgnoresBadCheckBytes) {
    const std::array<std::uint8_t, 8> frame = FrameOf(kConnect9600None);
    // Garbage put in front of the frame: appending the frame to a five-byte vector
    // trips a false -Warray-bounds in GCC 12 at -O2.
    Bytes noisy(frame.begin(), frame.end());
    noisy.insert(noisy.begin(), {0x00, 0x55, 0xAA, 0x55, 0x13});
    m_pc.Write(noisy);
    EXPECT_EQ(m_pc.ReadUpTo(3, std::chrono::seconds(3)), kAck);

    Bytes spoiled(frame.begin(), frame.end());
    spoiled[7] ^= 0x01;
    m_pc.Write(spoiled);
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    EXPECT_EQ(m_radio.Frames().size(), 1u);
}

TEST_F(SimRadioLink, FrameArrivingInPiecesIsAnswered) {
    const std::array<std::uint8_t, 8> frame = FrameOf(kConnect9600None);
    m_pc.Write(Bytes(frame.begin(), frame.begin() + 3));
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());
    m_pc.Write(Bytes(frame.begin() + 3, frame.end()));
    EXPECT_EQ(m_pc.ReadUpTo(3, std::chrono::seconds(3)), kAck);
}

// The radio cannot decode bytes sent at another rate or parity, so it stays silent.
TEST_F(SimRadioLink, SilentAtWrongParityOrRate) {
    const struct {
        int baudRate;
        int parity;
        std::uint8_t lineCode;
    } wrongLines[] = {{9600, 1, 0x47}, {9600, 2, 0xC7}, {19200, 0, 0x08}, {4800, 0, 0x06}};
    for (const auto& line : wrongLines) {
        ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), line.baudRate, line.parity));
        m_pc.SendFrame({0x0B, line.lineCode, 0x00, 0x00, 0x00});
        EXPECT_TRUE(m_pc.ReadFor(kSilence).empty()) << line.baudRate << " " << line.parity;
    }
    EXPECT_TRUE(m_radio.Frames().empty());

    ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), 9600, 0));
    EXPECT_EQ(m_pc.Exchange(kConnect9600None, 3), kAck);
}

TEST_F(SimRadioLink, AnswersOnlyAtItsOwnOddParity) {
    SimRadioState state;
    state.baudRate = 2400;
    state.parity = 1;
    m_radio.SetState(state);
    m_pc.SendFrame({0x0B, 0x45, 0x00, 0x00, 0x00});
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());

    ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), 2400, 1));
    EXPECT_EQ(m_pc.Exchange({0x0B, 0x45, 0x00, 0x00, 0x00}, 3), kAck);
}

TEST_F(SimRadioLink, LineCodeIsAcknowledgedAtTheOldSettingsThenTakesEffect) {
    EXPECT_EQ(m_pc.Exchange({0x1C, 0xC8, 0x00, 0x00, 0x00}, 3), kAck);  // 19200, even
    ASSERT_TRUE(m_radio.WaitForFrames(1, std::chrono::seconds(3)));
    EXPECT_EQ(m_radio.State().baudRate, 19200);
    EXPECT_EQ(m_radio.State().parity, 2);

    m_pc.SendFrame(kConnect9600None);
    EXPECT_TRUE(m_pc.ReadFor(kSilence).empty());

    ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), 19200, 2));
    EXPECT_EQ(m_pc.Exchange({0x0B, 0xC8, 0x00, 0x00, 0x00}, 3), kAck);
}

TEST_F(SimRadioLink, RefusesAnUnknownLineCode) {
    EXPECT_EQ(m_pc.Exchange({0x1C, 0x04, 0x00, 0x00, 0x00}, 3), (Bytes{0x55, 0xAA, 0xFF}));
    EXPECT_EQ(m_pc.Exchange({0x1C, 0x87, 0x00, 0x00, 0x00}, 3), (Bytes{0x55, 0xAA, 0xFF}));
    EXPECT_EQ(m_radio.State().baudRate, 9600);
    EXPECT_EQ(m_radio.State().parity, 0);
}

// The radio holds the slave open: closing the PC end neither hangs the pty up nor
// loses the line settings, as on a real port.
TEST_F(SimRadioLink, LineSettingsSurviveCloseAndReopen) {
    SimRadioState state;
    state.baudRate = 4800;
    state.parity = 2;
    m_radio.SetState(state);
    ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), 4800, 2));
    m_pc.Close();

    const int fd = open(m_radio.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios tty{};
    ASSERT_EQ(tcgetattr(fd, &tty), 0);
    close(fd);
    EXPECT_EQ(cfgetospeed(&tty), B4800);
    EXPECT_NE(tty.c_iflag & INPCK, 0u);
    EXPECT_EQ(tty.c_cflag & PARODD, 0u);

    ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), 4800, 2));
    EXPECT_EQ(m_pc.Exchange({0x0B, 0xC6, 0x00, 0x00, 0x00}, 3), kAck);
}

TEST(SimRadioStart, SlaveStartsRawAtTheRadiosSettings) {
    SimRadioState state;
    state.baudRate = 19200;
    state.parity = 1;
    CSimRadio radio(state);
    ASSERT_TRUE(radio.Start());
    const int fd = open(radio.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios tty{};
    ASSERT_EQ(tcgetattr(fd, &tty), 0);
    close(fd);
    EXPECT_EQ(cfgetospeed(&tty), B19200);
    EXPECT_NE(tty.c_iflag & INPCK, 0u);
    EXPECT_NE(tty.c_cflag & PARODD, 0u);
    EXPECT_EQ(tty.c_lflag & (ECHO | ICANON), 0u);
}

TEST(SimRadioStart, WaitForFramesTimesOutWithoutTraffic) {
    CSimRadio radio;
    ASSERT_TRUE(radio.Start());
    EXPECT_FALSE(radio.WaitForFrames(1, std::chrono::milliseconds(50)));
}
