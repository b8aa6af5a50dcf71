#include "Dialog.h"
#include "MessageBoxSeam.h"
#include "Win32DialogTemplate.h"

namespace radiosetup {

namespace {

UINT IconFlags(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MsgIcon::Stop:
            return MB_ICONSTOP;
        case MsgIcon::Information:
            return MB_ICONINFORMATION;
        case MsgIcon::None:
            break;
    }
    return 0;
}

}  // namespace

int ShowRealMessageBox(const MessageBoxRequest& request) {
    const HWND owner = request.owner != nullptr ? request.owner->Handle() : nullptr;
    MessageBoxW(owner, Utf16(request.text).c_str(), Utf16(request.caption).c_str(),
                MB_OK | IconFlags(request.icon));
    return kIdOk;
}

}  // namespace radiosetup
