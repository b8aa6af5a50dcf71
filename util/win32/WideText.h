#pragma once

#include <string>

namespace radiosetup {

// The program's texts are UTF-8; Windows takes UTF-16 in its wide (W) functions, which
// show any text whatever the system's code page.
std::wstring Utf16(const std::string& utf8);
std::string Utf8(const std::wstring& utf16);

}  // namespace radiosetup
