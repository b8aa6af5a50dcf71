#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "ChannelFreqPair.h"
#include "LockedFile.h"

namespace radiosetup {

// The PC's frequency plan for the radio's 100 channels: "ChanPara.txt" in the working
// directory, binary despite its name. Record n (channel n) is 8 bytes at (n - 1) * 8:
// receive then transmit frequency, each a little-endian signed 32-bit integer.
// The file is opened exclusively for one operation and closed again. An error inside
// the open file closes it, goes to the error reporter with the file's full path, and
// makes the call return false.
class CChannelFile {
public:
    static constexpr int kChannels = 100;
    static constexpr int kRecordBytes = 8;
    static constexpr std::int32_t kDefaultFrequency = 2300000;
    static const char* const kFileName;

    using Plan = std::array<ChannelFreqPair, kChannels>;
    // The whole file's bytes for a plan, for writers that replace the file in one step.
    static std::string Image(const Plan& plan);

    using ErrorReporter = std::function<void(FileError error, const std::string& fullPath)>;

    // The dialog keeps its plan under kFileName; a converter names any other file.
    explicit CChannelFile(ErrorReporter reportError, std::string path = kFileName);

    bool OpenForReading();  // existing file only
    bool OpenForWriting();  // existing file only, content kept
    bool Create();          // a new empty file, replacing any of that name
    // False when closing failed, which may have lost written data: reported as above.
    bool Close();

    bool SeekToChannel(int channel);
    // What the file does not deliver at its end leaves the entry's bytes as they were.
    bool ReadRecord(ChannelFreqPair& entry);
    bool WriteRecord(const ChannelFreqPair& entry);

private:
    bool ReadValue(std::int32_t& value);
    bool WriteValue(std::int32_t value);
    bool ReportError();

    CLockedFile m_file;
    ErrorReporter m_reportError;
    std::string m_strPath;
};

}  // namespace radiosetup
