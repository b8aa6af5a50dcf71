#include "ChannelFile.h"

#include <QFile>
#include <QString>
#include <array>

#include "MessageBoxSeam.h"

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

QString ErrorText(FileError error) {
    switch (error) {
        case FileError::DiskFull:
            return QString::fromUtf8("在存取 %1 时磁盘已满。");
        case FileError::HardwareIo:
            return QString::fromUtf8("在存取 %1 时一个硬件输入/输出错误被报告。");
        case FileError::None:
        case FileError::Other:
            break;
    }
    return QString::fromUtf8("在存取 %1 时发生一个意外错误。");
}

}  // namespace

const char* const CChannelFile::kFileName = "ChanPara.txt";

CChannelFile::CChannelFile(QWidget* errorOwner) : m_pErrorOwner(errorOwner) {}

bool CChannelFile::OpenForReading() {
    return m_file.Open(kFileName, CLockedFile::Mode::ReadExisting);
}

bool CChannelFile::OpenForWriting() {
    return m_file.Open(kFileName, CLockedFile::Mode::WriteExisting);
}

bool CChannelFile::Create() {
    return m_file.Open(kFileName, CLockedFile::Mode::CreateEmpty);
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
    const QString path = QFile::decodeName(QByteArray::fromStdString(m_file.FullPath()));
    const FileError error = m_file.LastError();
    m_file.Close();
    ShowMessageBox(m_pErrorOwner, ErrorText(error).arg(path), ApplicationTitle(), MsgIcon::Stop);
    return false;
}
