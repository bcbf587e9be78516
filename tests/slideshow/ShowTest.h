#pragma once
// Helpers of the window tests: message pumping, plain windows, test photos.

#include <windows.h>

#include <functional>
#include <string>

// Dispatches messages until done() holds or about `limitMs` passed (a
// safety net against hangs, not a timing check). Returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
// Dispatches what is queued right now.
void PumpPending();

// A plain top-level window of a registered test class.
HWND MakePlainWindow(DWORD exStyle, DWORD style, int x, int y, int w, int h, COLORREF fill);

// Writes a w x h 24-bit BMP of one colour (0x00RRGGBB); the path may hold
// any characters.
bool WriteSolidBmp(const std::wstring& path, int w, int h, COLORREF rgb);
// A fresh folder below the temp folder.
std::wstring TestFolder(const wchar_t* name);

// Moves the real (X) pointer.
void MovePointer(int x, int y);
