#include "PortFailureText.h"

#include "TextFormat.h"

namespace radiosetup {

namespace {

std::string CauseText(const PortFailure& failure) {
    using Kind = PortFailure::Kind;
    switch (failure.kind) {
        case Kind::Absent:
            return "设备不存在（未连接或已拔出）";
        case Kind::NoPermission:
            return failure.group.empty()
                       ? "没有打开此设备的权限"
                       : FormatText("没有打开此设备的权限（需加入 %1 组）", {failure.group});
        case Kind::InUse:
            if (failure.holder.pid == 0) {
                return "已被其他程序占用";
            }
            return FormatText("已被 %1（进程 %2）占用",
                              {failure.holder.program.empty() ? "?" : failure.holder.program,
                               std::to_string(failure.holder.pid)});
        case Kind::NotSerial:
            return "不是串口设备";
        case Kind::SettingsRefused:
            return "设备不接受此波特率或校验方式";
        case Kind::Vanished:
            return "设备已断开";
    }
    return {};
}

}  // namespace

std::string WithPortFailure(const std::string& message, int portNumber, const IPcPort& port,
                            const std::string& separator) {
    const std::optional<PortFailure> failure = port.Failure();
    if (!failure) {
        return message;
    }
    return FormatText("%1%2Port%3 (%4)：%5", {message, separator, std::to_string(portNumber),
                                              failure->devicePath, CauseText(*failure)});
}

}  // namespace radiosetup
