#include "MessageBoxSeam.h"

#include <utility>

#include "Dialog.h"

namespace radiosetup {

namespace {

MessageBoxHandler& InstalledHandler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

std::string ApplicationTitle() {
    return "radiosetup";
}

int ShowMessageBox(CDialog* owner, const std::string& text, const std::string& caption,
                   MsgIcon icon) {
    const Language language = owner != nullptr ? owner->TextLanguage() : CurrentLanguage();
    const MessageBoxRequest request{owner, Translate(text, language), Translate(caption, language),
                                    icon};
    if (InstalledHandler()) {
        return InstalledHandler()(request);
    }
    return ShowRealMessageBox(request);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(InstalledHandler(), std::move(handler));
}

}  // namespace radiosetup
