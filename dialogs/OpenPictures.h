#pragma once
// Picking picture files with the platform's open-file dialog.

#include <windows.h>

#include <vector>

#include "settings/Tstr.h"

// The paths in the result of a multiple-selection open-file dialog: a
// directory followed by file names, each ended by a zero and the list by an
// empty name; or a single full path. `capacity` bounds the reading even when
// the text is not terminated. Paths are built in dynamic strings, so a long
// directory plus name is kept whole.
std::vector<tstr> ParseOpenFileResult(const wchar_t* buffer, size_t capacity);

// Runs the dialog owned by `owner`; empty when cancelled or when no result
// buffer could be allocated.
std::vector<tstr> ChoosePictureFiles(HWND owner);
