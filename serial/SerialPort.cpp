#include "SerialPort.h"

#include <algorithm>

#include "PortNaming.h"
#include "SerialDevice.h"

namespace radiosetup {

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(int portNumber, int baudRate, int parity) {
    return OpenDevice(PortDevicePath(portNumber), baudRate, parity);
}

bool CSerialPort::OpenDevice(const std::string& devicePath, int baudRate, int parity) {
    if (IsOpen()) {
        return true;  // callers that change settings close first
    }
    PortFailure failure;
    m_pDevice = CSerialDevice::Open(devicePath, baudRate, parity, failure);
    m_strDevicePath = devicePath;
    m_openFailure = IsOpen() ? std::nullopt : std::optional<PortFailure>(failure);
    return IsOpen();
}

void CSerialPort::ReleaseAllForExit() {
    CSerialDevice::ReleaseAllForExit();
}

bool CSerialPort::Close() {
    m_pDevice.reset();
    return true;
}

bool CSerialPort::WriteByte(std::uint8_t value) {
    // A lost byte is not reported: the missing reply is what the caller notices.
    if (IsOpen()) {
        m_pDevice->WriteByte(value);
    }
    return true;
}

int CSerialPort::Send(const std::uint8_t* bytes, int length) {
    if (!IsOpen() || length <= 0) {
        return 0;
    }
    for (int i = 0; i < length; ++i) {
        WriteByte(bytes[i]);
    }
    return length;
}

int CSerialPort::PendingInput() {
    return IsOpen() ? m_pDevice->QueuedInput() : 0;
}

int CSerialPort::Read(std::uint8_t* buffer, int limit) {
    const int count = std::min(PendingInput(), limit);
    if (count <= 0) {
        return 0;
    }
    return m_pDevice->ReadQueued(buffer, count);
}

std::optional<PortFailure> CSerialPort::Failure() const {
    if (IsOpen() && m_pDevice->HasVanished()) {
        return PortFailure{PortFailure::Kind::Vanished, m_strDevicePath, {}, {}};
    }
    return m_openFailure;
}

}  // namespace radiosetup
