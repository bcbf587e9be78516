#pragma once
// The notification-area icon: add (with the first-run balloon), remove, and
// the tooltip built from the program title and the file version.

#include <windows.h>

#include "settings/Tstr.h"

// `tip` null: "<title>\n<FileVersion> ver."; longer than 60 characters: cut
// to 60 followed by "...".
tstr BuildTrayTip(const wchar_t* tip, const tstr& title);

// Nothing happens without an owner window. With `balloon` the tooltip is also
// shown as a balloon for 15 seconds.
bool AddTrayIcon(HWND owner, UINT message, UINT iconResource, const wchar_t* tip, UINT id,
                 const tstr& title, bool balloon);
bool RemoveTrayIcon(HWND owner, UINT id);
