#pragma once

#include <functional>
#include <string>

namespace radiosetup {

class CDialog;

enum class MsgIcon { None, Exclamation, Stop, Information };

struct MessageBoxRequest {
    CDialog* owner = nullptr;
    std::string text;  // UTF-8, as every text of the dialogs
    std::string caption;
    MsgIcon icon = MsgIcon::None;
};

// The program's name: the caption of every message box that names none of its own.
std::string ApplicationTitle();

// Every message box of the program goes through here, its texts in the owner's language
// (without an owner, the current one): a real box with an OK button
// by default, or the installed handler (tests record and answer). Returns the
// pressed button's id (1 for OK).
int ShowMessageBox(CDialog* owner, const std::string& text,
                   const std::string& caption = ApplicationTitle(), MsgIcon icon = MsgIcon::None);

// The toolkit's own box with an OK button, owned by the request's dialog; one per backend.
int ShowRealMessageBox(const MessageBoxRequest& request);

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
// Installs handler; an empty handler restores the real boxes. Returns the old one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace radiosetup
