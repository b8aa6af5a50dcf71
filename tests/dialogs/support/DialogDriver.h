#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Dialog.h"
#include "TestNamespaces.h"

// Drives a dialog as a person would, on either dialog backend (Qt Widgets or Win32).
// Message boxes and nested modal dialogs are answered through the program's own seams.

// A mouse click on a button, radio button or check box.
void Click(CDialog& dialog, int id);
// Presses the mouse on a slider's handle, drags it to one end and releases it there.
void DragSliderToEnd(CDialog& dialog, int id, bool rightEnd);
// Replaces an edit's text as typing would, with its change notifications.
void Type(CDialog& dialog, int id, const std::string& text);
// The items of a drop-down list, in list order.
std::vector<std::string> ListItems(const CDialog& dialog, int id);
// Control id's pixels as the screen (Qt: the window's backing store) shows them now.
// Callable from another thread while the dialog's thread is blocked.
std::vector<std::uint32_t> ShownPixels(const CDialog& dialog, int id);
// A control's text as the window shows it, in pixels: the control's place in the window,
// the width its text has there, and the size of the text in the control's own font.
struct ShownText {
    std::size_t templateIndex = 0;
    std::string text;  // without the mnemonic's "&"
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int room = 0;
    int textWidth = 0;
    int textHeight = 0;
};
// The texts of the dialog's visible controls in template order, empty for a control
// without one (a picture, a frame); a drop-down list gives one per item.
std::vector<ShownText> ShownTexts(const CDialog& dialog);
// Chooses the entry of the window's system menu (Qt: its context menu) that sends command.
void ChooseSystemMenuEntry(CDialog& dialog, int command);
// Runs the thread's events (the dialog's timers among them) until done says so or the
// limit has passed; done's last answer.
bool RunUntil(const std::function<bool()>& done,
              std::chrono::milliseconds limit = std::chrono::seconds(6));
