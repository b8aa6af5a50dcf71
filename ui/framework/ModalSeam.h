#pragma once

#include <functional>

namespace radiosetup {

class CDialog;

// Every modal run of a dialog goes through here: the dialog's own modal loop by
// default, or the installed handler, which tests use to drive a nested dialog and
// end it without a real modal loop.
int RunModal(CDialog& dialog);

using ModalHandler = std::function<int(CDialog&)>;
// Installs handler; an empty handler restores real modal runs. Returns the old one.
ModalHandler SetModalHandler(ModalHandler handler);

}  // namespace radiosetup
