#pragma once
// Finding the picture files of a folder, and the platform's folder picker.

#include <windows.h>

#include <vector>

#include "settings/Tstr.h"

// A picture is a name whose text after the last "." is JPG, JPEG, GIF or BMP,
// in any letter case, or a type an installed image decoder lists.
bool IsPictureFileName(const wchar_t* name);

// The folder with exactly one trailing backslash added when it has none.
tstr WithBackslash(const tstr& folder);

// Full paths of the picture files directly in the folder, in the order the
// platform lists them; sub-folders are not entered. Paths of any length.
std::vector<tstr> ListPictureFiles(const tstr& folder);

// The folder picker: `path` preselects a folder when it is not empty and
// receives the chosen one; false when the user cancels (path unchanged).
bool ChooseFolder(HWND owner, const wchar_t* title, tstr& path);
