#pragma once
// Keeping a window out of screen sharing and screenshots.

#include <windows.h>

// On: WDA_EXCLUDEFROMCAPTURE. Systems before Windows 10 version 2004 refuse
// that value; the window then stays capturable rather than turn into the
// black rectangle of WDA_MONITOR. Off: captured as any window. False when
// the system refused.
bool ExcludeFromCapture(HWND hwnd, bool on);
