#include <QMessageBox>

#include "Dialog.h"
#include "MessageBoxSeam.h"

namespace radiosetup {

namespace {

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

}  // namespace

int ShowRealMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(QtIcon(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::Ok, request.owner);
    box.exec();
    return kIdOk;
}

}  // namespace radiosetup
