#include "ModalSeam.h"

#include <utility>

#include "Dialog.h"

namespace radiosetup {

namespace {

ModalHandler& InstalledHandler() {
    static ModalHandler handler;
    return handler;
}

}  // namespace

int RunModal(CDialog& dialog) {
    if (InstalledHandler()) {
        return InstalledHandler()(dialog);
    }
    return dialog.RunModalLoop();
}

ModalHandler SetModalHandler(ModalHandler handler) {
    return std::exchange(InstalledHandler(), std::move(handler));
}

}  // namespace radiosetup
