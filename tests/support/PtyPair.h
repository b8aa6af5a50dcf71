#pragma once

#include <termios.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "TestNamespaces.h"

// A raw pseudo-terminal pair for byte-level tests: the code under test opens the slave,
// the test plays the far end on the master. The pair keeps its own fd on the slave, so
// the pty never hangs up when the port under test closes, and through it the test sees
// the line settings that port applied.
class CPtyPair {
public:
    // Throws std::runtime_error when no pseudo-terminal can be had.
    CPtyPair();
    ~CPtyPair();
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    const std::string& SlavePath() const { return m_strSlavePath; }

    // Collects bytes sent by the slave side until expectedCount have arrived or the
    // timeout has passed; returns what arrived (never more than expectedCount).
    std::vector<std::uint8_t> ReadFromMaster(std::size_t expectedCount,
                                             std::chrono::milliseconds timeout);
    // Sends bytes towards the slave and returns once the slave side has them queued.
    void WriteToMaster(const std::vector<std::uint8_t>& bytes);
    // The device vanishes: the slave side is hung up.
    void CloseMaster();
    // Stops the slave's output as a peer that never drains does; ResumeSlaveOutput undoes it.
    void StopSlaveOutput();
    void ResumeSlaveOutput();

    struct LineSettings {
        speed_t speed;
        bool parityChecked;  // INPCK
        bool oddParity;      // PARODD
    };
    LineSettings SlaveLineSettings() const;
    // Whether the tty refuses further opens (TIOCEXCL).
    bool SlaveIsExclusive() const;
    // Bytes waiting to be read on the slave side.
    int SlaveQueuedInput() const;

private:
    int m_nMasterFd = -1;
    int m_nSlaveFd = -1;
    std::string m_strSlavePath;
};
