// Entry point and message loop of the program.

#include <windows.h>

#include "app/Wpp.h"

namespace {
// Constructed before the entry point runs and destroyed after it returns.
CWpp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    theApp.SetInstance(instance);
    if (!theApp.Init()) return 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, Enter and Escape of the main window; its handle may change or vanish.
        HWND main = theApp.GetMainWindow();
        if (main && IsDialogMessageW(main, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
