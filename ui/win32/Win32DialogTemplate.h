#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "win32/WideText.h"

namespace radiosetup {

// A dialog template as Windows takes it from memory (DLGTEMPLATE with DS_SETFONT and its
// items, DWORD-aligned), for CreateDialogIndirectParamW and DialogBoxIndirectParamW.
// Drop-down list items and the size of labels placed by their corner only are left to
// FinishWin32Dialog, which runs when the dialog is initialised.
std::vector<WORD> BuildWin32DialogTemplate(const DialogTemplate& dialog);

// Fills the drop-down lists, sizes the labels to their texts in the dialog's font and
// draws the pictures at the size of their places.
void FinishWin32Dialog(HWND window, const DialogTemplate& dialog);

}  // namespace radiosetup
