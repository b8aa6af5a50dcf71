#pragma once

#include <windows.h>

namespace radiosetup {

// How the settings key opens registry keys: created when absent (create) or opened
// only. The tests replace it to be refused what Windows refuses a standard user.
using RegistryKeyOpener = LONG (*)(HKEY root, const char* path, REGSAM access, bool create,
                                   HKEY* key);

LONG OpenRegistryKey(HKEY root, const char* path, REGSAM access, bool create, HKEY* key);

// Returns the opener it replaces.
RegistryKeyOpener SetRegistryKeyOpener(RegistryKeyOpener opener);

}  // namespace radiosetup
