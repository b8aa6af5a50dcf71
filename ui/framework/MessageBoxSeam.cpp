#include "MessageBoxSeam.h"

#include <QMessageBox>
#include <utility>

#include "Dialog.h"

namespace radiosetup {

namespace {

MessageBoxHandler& InstalledHandler() {
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Stop:
            return QMessageBox::Critical;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

int ShowRealBox(const MessageBoxRequest& request) {
    QMessageBox box(QtIcon(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::Ok, request.owner);
    box.exec();
    return 1;
}

}  // namespace

std::string ApplicationTitle() {
    return "radiosetup";
}

int ShowMessageBox(CDialog* owner, const std::string& text, const std::string& caption,
                   MsgIcon icon) {
    const MessageBoxRequest request{owner, text, caption, icon};
    if (InstalledHandler()) {
        return InstalledHandler()(request);
    }
    return ShowRealBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(InstalledHandler(), std::move(handler));
}

}  // namespace radiosetup
