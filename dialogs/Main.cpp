// Entry point and message loop of the program.

#include <windows.h>

#include "dialogs/Wpp.h"
#include "picture/DecodeHelper.h"
#include "picture/DecodeHelperServer.h"

namespace {
// Constructed before the entry point runs and destroyed after it returns.
CWpp theApp;
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // Started by Lumora itself to decode photos: the one command-line switch,
    // never shown to users. It touches nothing of the program's.
    HANDLE pipe = nullptr;
    if (IsDecodeHelperCommand(commandLine, pipe)) return ServeDecodeRequests(pipe, nullptr);
    wchar_t self[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    if (length > 0 && length < MAX_PATH * 4) {
        DecodeHelperSetup helper;
        helper.exe = self;
        UseDecodeHelper(helper);
    }
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
