#pragma once
// What the shell does with one photo's file for the frame's photo commands:
// show it selected in its folder, open it with its default program, move it
// to the Recycle Bin, put it on the clipboard. UI thread; each returns false
// when the shell refused, having changed nothing.

#include <windows.h>

#include "settings/Tstr.h"

class CBmp;

bool OpenPhotoLocation(const tstr& path);
bool OpenPhoto(const tstr& path, HWND owner);

// A file that would be deleted for good rather than recycled (read-only, on
// a drive without a Recycle Bin) is refused before the shell sees it.
bool CanRecycle(const tstr& path);
// Moves the file to the Recycle Bin without the shell asking; true once the
// file is no longer at its path.
bool RecyclePhoto(const tstr& path, HWND owner);

// The file (CF_HDROP, "Preferred DropEffect" copy) and, when `picture` has
// pixels, the picture (CF_DIB) in place of what the clipboard held.
bool PutPhotoOnClipboard(HWND owner, const tstr& path, const CBmp& picture);
