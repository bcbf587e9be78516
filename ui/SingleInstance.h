#pragma once
// The running instance is found through the main window handle it stored as
// decimal text ("Handle" of "Options\Windows\Main"). A handle that now names
// nothing, or another program's window, is ignored.

#include <windows.h>

#include "settings/RegStore.h"
#include "settings/Tstr.h"

// Window handles are 32-bit values on every Windows, also in 64-bit processes.
void StoreMainHandle(CRegStore& store, HWND hwnd);

// True when "Handle" names a live window whose title is exactly `title`;
// that window is then shown normally and brought to the foreground.
bool ActivateRunningInstance(const CRegStore& store, const tstr& title);
