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
// Runs the thread's events (the dialog's timers among them) until done says so or the
// limit has passed; done's last answer.
bool RunUntil(const std::function<bool()>& done,
              std::chrono::milliseconds limit = std::chrono::seconds(6));
