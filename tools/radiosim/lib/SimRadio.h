#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "SimFrameFinder.h"

namespace radiosim {

// What the simulated radio remembers. Frequencies are kept as the radio's 16-bit
// channel words: transmit word = F / 125, receive word = (F - 214000) / 125.
struct SimRadioState {
    static constexpr int kChannels = 100;
    std::array<std::uint16_t, kChannels> txWord{};
    std::array<std::uint16_t, kChannels> rxWord{};
    std::uint32_t ani = 1;            // 24 bits
    std::uint8_t channelTotal = 100;  // 1 to 100
    std::uint8_t currentChannel = 1;  // 1-based
    std::uint8_t txTimeLimit = 0;     // seconds
    bool dataMode = true;
    std::uint8_t addressing = 0x0F;  // as last sent with 0x18: 0x00 on, 0x0F off
    bool transparent = true;
    bool relayOn = true;
    bool rxEndRelay = false;
    bool eccUsed = false;
    bool encryption = false;
    bool compander = false;
    bool preEmphasis = false;
    std::uint8_t rxChannelGain = 8;  // levels, 1-based
    std::uint8_t rxVoiceGain = 4;
    std::uint8_t txChannelGain = 8;
    std::uint8_t txVoiceGain = 8;
    int baudRate = 9600;  // the radio's own line settings
    int parity = 0;       // 0 none, 1 odd, 2 even

    SimRadioState();  // factory state: channel 1 at 2290000, the others at 2300000
    static std::uint16_t TxWordOf(std::uint32_t frequency);
    static std::uint16_t RxWordOf(std::uint32_t frequency);
};

// Misbehaviour on demand. Commands are keyed by their code (payload byte 0).
struct SimFaults {
    bool silent = false;                    // answer nothing at all
    std::set<std::uint8_t> silentCommands;  // answer nothing to these
    int silentFromFrame = 0;  // 1-based, counted like Frames(): this and later frames unanswered
    // Acknowledgement status per command, in place of the radio's own answer. FF refuses
    // and leaves the state alone; any other status still applies the request.
    std::map<std::uint8_t, std::uint8_t> statusFor;
    // Exact reply per command (empty: none); overrides everything else, changes nothing.
    std::map<std::uint8_t, std::vector<std::uint8_t>> replyFor;
    bool badChecksum = false;                 // 0xCC block with a wrong checksum
    int truncateBlockTo = 0;                  // >0: 0xCC/0x1D blocks cut to this length
    int splitAt = 0;                          // >0: replies sent in two parts ...
    int splitPauseMs = 0;                     // ... with this pause between them
    int replyDelayMs = 0;                     // wait before answering
    std::vector<std::uint8_t> garbageBefore;  // sent just before every reply
    int vanishAfter = 0;  // >0: the device vanishes once this many bytes of a reply are out
};

struct SimLineSettings {
    int baudRate = 9600;
    int parity = 0;  // 0 none, 1 odd, 2 even
};

struct SimFrameRecord {
    std::chrono::steady_clock::time_point when;
    SimRequestFrame frame{};
    std::vector<std::uint8_t> reply;  // what was answered (empty: nothing)
    std::string note;                 // why nothing, or what changed
};

// A radio on a pseudo-terminal. The PC side opens SlavePath(). The radio answers
// only when the slave's line settings match its own, as a real radio could not
// decode bytes sent at another rate or parity.
class CSimRadio {
public:
    explicit CSimRadio(SimRadioState initial = SimRadioState());
    ~CSimRadio();
    CSimRadio(const CSimRadio&) = delete;
    CSimRadio& operator=(const CSimRadio&) = delete;

    // Opens the pseudo-terminal and starts answering. False when no pty could be had.
    bool Start();
    void Stop();
    // The device disappears: the master side closes, the PC side sees a hang-up.
    void Vanish();
    const std::string& SlavePath() const { return m_strSlavePath; }

    SimRadioState State() const;
    void SetState(const SimRadioState& state);
    SimFaults Faults() const;
    void SetFaults(const SimFaults& faults);

    std::vector<SimFrameRecord> Frames() const;
    void ClearFrames();  // also restarts the count of silentFromFrame
    // Waits until at least count frames were received; false on time-out.
    bool WaitForFrames(std::size_t count, std::chrono::milliseconds timeout) const;

    // Called on the radio's thread after each frame (the executable logs with it).
    void SetFrameObserver(std::function<void(const SimFrameRecord&)> observer);
    // Called on the radio's thread for what is not a frame: bytes it could not decode
    // at its line settings, skipped garbage, frames with a bad check byte.
    void SetNoteObserver(std::function<void(const std::string&)> observer);

    // Sends bytes to the PC unasked, as line noise or a late reply would arrive.
    void Inject(const std::vector<std::uint8_t>& bytes);

private:
    void Run();
    void TakeBytes(const std::uint8_t* bytes, std::size_t count);
    bool LineMatches(std::string& mismatch) const;
    void HandleFrame(const SimRequestFrame& frame);
    void SendReply(const std::vector<std::uint8_t>& reply, const SimFaults& faults);
    bool SendPaced(const std::vector<std::uint8_t>& bytes);
    bool WriteAll(const std::uint8_t* bytes, std::size_t count);
    // Sleeps unless the radio is stopping; false when it is.
    bool PauseFor(std::chrono::microseconds duration);
    void Note(const std::string& text);
    void CloseDevice();

    // Lock order: m_writeMutex before m_mutex.
    mutable std::mutex m_mutex;  // state, faults, frames, observers, stopping
    mutable std::condition_variable m_framesChanged;
    std::condition_variable m_wakeUp;  // cuts pauses short when the radio stops
    SimRadioState m_state;
    SimFaults m_faults;
    std::vector<SimFrameRecord> m_frames;
    std::function<void(const SimFrameRecord&)> m_frameObserver;
    std::function<void(const std::string&)> m_noteObserver;
    std::atomic<bool> m_bStopping{false};

    std::mutex m_writeMutex;  // one writer on the master at a time: replies or Inject
    int m_nMasterFd = -1;
    int m_nSlaveFd = -1;  // the radio's own hold on the slave
    std::string m_strSlavePath;
    std::thread m_thread;
    CSimFrameFinder m_finder;  // used by the radio's thread only
};

// The 131-byte parameter block and the 40-byte channel block for a state.
std::vector<std::uint8_t> BuildParameterBlock(const SimRadioState& state);
std::vector<std::uint8_t> BuildChannelBlock(const SimRadioState& state, int firstChannelIndex);
std::uint16_t ParameterBlockChecksum(const std::vector<std::uint8_t>& block);

// "55 AA 00" style text of bytes, for logs and notes.
std::string HexText(const std::uint8_t* bytes, std::size_t count);
inline std::string HexText(const std::vector<std::uint8_t>& bytes) {
    return HexText(bytes.data(), bytes.size());
}

}  // namespace radiosim
