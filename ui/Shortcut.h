#pragma once
// The Startup-folder shortcut through which the program starts with Windows.

#include <windows.h>

#include "settings/Tstr.h"

// "<Startup folder>\<title>.lnk"; empty when the folder is unknown or the
// title is empty.
tstr StartupShortcutPath(const tstr& title);
// Full path of the module's file.
tstr ModulePath(HINSTANCE module);
bool PathExists(const tstr& path);

// Writes a shell link to `target` with the target's folder as working folder.
// iconIndex 0 and empty `arguments` mean "not set". An existing file is
// overwritten. Returns the last COM result.
HRESULT CreateShortcut(const tstr& target, const tstr& linkPath, const tstr& description,
                       int iconIndex, const tstr& arguments);
