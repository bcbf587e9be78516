#pragma once
// The message that tells which album the store refused, and why.

#include <windows.h>

#include "settings/Tstr.h"

enum class StoreAction { Save, Delete };

// "The album "<name>" could not be saved." (or deleted), then the system's
// text for `error`.
tstr SaveFailureText(const tstr& album, StoreAction action, unsigned long error);
// The text above in an error box owned by `owner`.
void ReportSaveFailure(HWND owner, const tstr& album, StoreAction action, unsigned long error);
