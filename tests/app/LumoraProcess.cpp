#include "LumoraProcess.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "tests/support/RegistryKeys.h"
#include "tests/support/UnixSide.h"

namespace lumora_test {

const wchar_t kTitle[] = L"Lumora Photo Frame";

namespace {

const wchar_t kRoot[] = L"Software\\Arvendal\\Lumora\\";

std::wstring Full(const std::wstring& key) {
    return key.empty() ? std::wstring(L"Software\\Arvendal\\Lumora") : kRoot + key;
}

struct FindContext {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == context->pid) context->windows.push_back(hwnd);
    return TRUE;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

}  // namespace

void ResetRegistry() {
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvendal");
}

void MarkNotFirstRun() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Full(L"Options\\Windows\\Main").c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

bool ReadValue(const std::wstring& key, const std::wstring& name, std::wstring& out) {
    return hkcu::ReadText(Full(key), name, out);
}

void WriteValue(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    hkcu::WriteText(Full(key), name, value);
}

std::vector<std::wstring> ValueNames(const std::wstring& key) { return hkcu::ValueNames(Full(key)); }

bool KeyExists(const std::wstring& key) { return hkcu::KeyExists(Full(key)); }

std::wstring StartupShortcutPath() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder);
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path + kTitle + L".lnk";
}

const wchar_t kSlidesKey[] = L"Profiles\\Default\\Slides";

namespace {
std::wstring PhotoKey(size_t index) {
    wchar_t name[16];
    swprintf(name, 16, L"\\%04u", static_cast<unsigned>(index));
    return kSlidesKey + std::wstring(name);
}
}  // namespace

std::vector<std::wstring> StoredPhotos() {
    std::vector<std::wstring> paths;
    std::wstring path;
    while (ReadValue(PhotoKey(paths.size()), L"pic_path", path)) paths.push_back(path);
    return paths;
}

void StorePhotos(const std::vector<std::wstring>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) WriteValue(PhotoKey(i), L"pic_path", paths[i]);
}

std::wstring LumoraExePath() {
    // The build passes the path as the Unix path of the cross build.
    return unixside::DosPath(L"" LUMORA_EXE);
}

CLumoraProcess::~CLumoraProcess() {
    if (!m_info.hProcess) return;
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool CLumoraProcess::Start() {
    return Start(LumoraExePath());
}

bool CLumoraProcess::Start(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_info) != FALSE;
}

std::vector<HWND> CLumoraProcess::Windows() const {
    FindContext context{m_info.dwProcessId, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&context));
    return context.windows;
}

HWND CLumoraProcess::FindShownWindow(const std::wstring& className) const {
    for (HWND hwnd : Windows())
        if (ClassOf(hwnd) == className && IsWindowVisible(hwnd)) return hwnd;
    return nullptr;
}

HWND CLumoraProcess::FindMainWindow() const {
    // The question box carries the title too; the main window has the status bar.
    for (HWND hwnd : Windows())
        if (WindowText(hwnd) == kTitle && ClassOf(hwnd) == L"#32770" && GetDlgItem(hwnd, 1033))
            return hwnd;
    return nullptr;
}

HWND CLumoraProcess::WaitMainWindow() {
    HWND found = nullptr;
    EXPECT_TRUE(WaitUntil("the main window", [&] { return (found = FindMainWindow()) != nullptr; }));
    return found;
}

HWND CLumoraProcess::FindDialog(const std::wstring& caption) const {
    HWND main = FindMainWindow();
    for (HWND hwnd : Windows())
        if (hwnd != main && IsWindowVisible(hwnd) && ClassOf(hwnd) == L"#32770" && WindowText(hwnd) == caption)
            return hwnd;
    return nullptr;
}

HWND CLumoraProcess::WaitDialog(const std::wstring& caption) {
    HWND found = nullptr;
    EXPECT_TRUE(WaitUntil("a box titled \"" + Utf8(caption) + "\"",
                          [&] { return (found = FindDialog(caption)) != nullptr; }));
    return found;
}

bool CLumoraProcess::WaitExit(DWORD& code, DWORD milliseconds) {
    if (WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(m_info.hProcess, &code) != FALSE;
}

bool CLumoraProcess::Running() const {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &ignored);
    return text;
}

std::wstring MessageBoxText(HWND box) {
    // The text is the one static control with text (its id differs between
    // Windows and Wine).
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Static") != 0) continue;
        std::wstring text = WindowText(child);
        if (!text.empty()) return text;
    }
    return std::wstring();
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace lumora_test
