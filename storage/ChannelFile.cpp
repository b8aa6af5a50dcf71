#include "ChannelFile.h"

#include <array>
#include <utility>

namespace radiosetup {

namespace {

using ValueBytes = std::array<std::uint8_t, 4>;

ValueBytes LittleEndian(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8u),
            static_cast<std::uint8_t>(bits >> 16u), static_cast<std::uint8_t>(bits >> 24u)};
}

std::int32_t FromLittleEndian(const ValueBytes& bytes) {
    const std::uint32_t bits =
        bytes[0] | bytes[1] << 8u | bytes[2] << 16u | static_cast<std::uint32_t>(bytes[3]) << 24u;
    return static_cast<std::int32_t>(bits);
}

}  // namespace

const char* const CChannelFile::kFileName = "ChanPara.txt";

std::string CChannelFile::Image(const Plan& plan) {
    std::string bytes;
    for (const ChannelFreqPair& channel : plan) {
        for (const std::int32_t value : {channel.rxFreq, channel.txFreq}) {
            const ValueBytes little = LittleEndian(value);
            bytes.append(little.begin(), little.end());
        }
    }
    return bytes;
}

CChannelFile::CChannelFile(ErrorReporter reportError, std::string path)
    : m_reportError(std::move(reportError)), m_strPath(std::move(path)) {}

bool CChannelFile::OpenForReading() {
    return m_file.Open(m_strPath, CLockedFile::Mode::ReadExisting);
}

bool CChannelFile::OpenForWriting() {
    return m_file.Open(m_strPath, CLockedFile::Mode::WriteExisting);
}

bool CChannelFile::Create() {
    return m_file.Open(m_strPath, CLockedFile::Mode::CreateEmpty);
}

bool CChannelFile::Close() {
    return m_file.Close() || ReportError();
}

bool CChannelFile::SeekToChannel(int channel) {
    return m_file.Seek(std::int64_t{channel - 1} * kRecordBytes) || ReportError();
}

bool CChannelFile::ReadRecord(ChannelFreqPair& entry) {
    return ReadValue(entry.rxFreq) && ReadValue(entry.txFreq);
}

bool CChannelFile::WriteRecord(const ChannelFreqPair& entry) {
    return WriteValue(entry.rxFreq) && WriteValue(entry.txFreq);
}

bool CChannelFile::ReadValue(std::int32_t& value) {
    ValueBytes bytes = LittleEndian(value);
    if (m_file.Read(bytes.data(), static_cast<int>(bytes.size())) < 0) {
        return ReportError();
    }
    value = FromLittleEndian(bytes);
    return true;
}

bool CChannelFile::WriteValue(std::int32_t value) {
    const ValueBytes bytes = LittleEndian(value);
    return m_file.Write(bytes.data(), static_cast<int>(bytes.size())) || ReportError();
}

bool CChannelFile::ReportError() {
    const FileError error = m_file.LastError();
    const std::string path = m_file.FullPath();
    m_file.Close();
    m_reportError(error, path);
    return false;
}

}  // namespace radiosetup
