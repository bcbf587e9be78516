#pragma once
// Drives the real lumora.exe from a test: starts it, finds its windows and
// message boxes, sends commands, waits for its end. Registry helpers work on
// the program's tree under HKEY_CURRENT_USER\Software\Arvendal\Lumora.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Deadline.h"
#include "tests/support/ExitCode.h"

namespace lumora_test {

extern const wchar_t kTitle[];   // "Lumora Photo Frame"

// Deletes Software\Arvendal: a clean account.
void ResetRegistry();
// Marks the next start as not the first one.
void MarkNotFirstRun();
bool ReadValue(const std::wstring& key, const std::wstring& name, std::wstring& out);
void WriteValue(const std::wstring& key, const std::wstring& name, const std::wstring& value);
std::vector<std::wstring> ValueNames(const std::wstring& key);
bool KeyExists(const std::wstring& key);
// The default album's photo list as stored, in order; and stored anew.
extern const wchar_t kSlidesKey[];  // Profiles\Default\Slides
std::vector<std::wstring> StoredPhotos();
void StorePhotos(const std::vector<std::wstring>& paths);

std::wstring StartupShortcutPath();
// The program of this build.
std::wstring LumoraExePath();

class CLumoraProcess {
public:
    CLumoraProcess() = default;
    CLumoraProcess(const CLumoraProcess&) = delete;
    CLumoraProcess& operator=(const CLumoraProcess&) = delete;
    // Kills the process if a test left it running.
    ~CLumoraProcess();

    bool Start();   // the program of this build
    bool Start(const std::wstring& exe);
    DWORD Id() const { return m_info.dwProcessId; }
    // The process's top-level window titled "Lumora Photo Frame", or null.
    HWND FindMainWindow() const;
    // Waits for the main window to exist (visible or not).
    HWND WaitMainWindow();
    // A message box (or other dialog) of this process with that caption, or null.
    HWND FindDialog(const std::wstring& caption) const;
    HWND WaitDialog(const std::wstring& caption);
    // True and the exit code once the process ended within the wait.
    bool WaitExit(DWORD& code, DWORD milliseconds = 20000);
    ::testing::AssertionResult ExitedZero(DWORD milliseconds = 20000) const {
        return ::ExitedZero(m_info.hProcess, milliseconds);
    }
    bool Running() const;
    // Every top-level window of the process.
    std::vector<HWND> Windows() const;
    // Its visible top-level window of that class, or null.
    HWND FindShownWindow(const std::wstring& className) const;

private:
    PROCESS_INFORMATION m_info = {};
};

// Text of a window of another process (WM_GETTEXT is carried across).
std::wstring WindowText(HWND hwnd);
// The static text of a message box.
std::wstring MessageBoxText(HWND box);
// Presses a button of a dialog by its id (IDOK, IDCANCEL).
void PressButton(HWND dialog, int id);

}  // namespace lumora_test
