#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace radiosetup {

enum class MsgIcon { None, Exclamation, Stop, Information };

struct MessageBoxRequest {
    QWidget* owner = nullptr;
    QString text;
    QString caption;
    MsgIcon icon = MsgIcon::None;
};

// The program's name: the caption of every message box that names none of its own.
QString ApplicationTitle();

// Every message box of the program goes through here: a real box with an OK button
// by default, or the installed handler (tests record and answer). Returns the
// pressed button's id (1 for OK).
int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption = ApplicationTitle(),
                   MsgIcon icon = MsgIcon::None);

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
// Installs handler; an empty handler restores the real boxes. Returns the old one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace radiosetup
