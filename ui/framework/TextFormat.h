#pragma once

#include <initializer_list>
#include <string>

namespace radiosetup {

// UTF-8 texts of the dialogs.

// text with every %1, %2, ... replaced by the value at that place, the text and each value
// in the current language: a sentence is translated whole, not in pieces.
std::string FormatText(const std::string& text, std::initializer_list<std::string> values);
// text filled on the right with fill up to width characters (not bytes).
std::string PadRight(const std::string& text, int width, char fill);
// The first count characters (not bytes) of text.
std::string LeftCharacters(const std::string& text, int count);

}  // namespace radiosetup
