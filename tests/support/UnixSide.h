#pragma once
// What Wine shows of the Linux side, made from a test: symbolic links, and a
// drive letter of the test's Wine prefix that points at a folder which can
// be taken away and brought back (a disk or share that goes offline).

#include <windows.h>

#include <string>

namespace unixside {

// Starts a Linux program (Wine runs ELF files, but gives no handle to wait on).
inline bool Start(const std::wstring& program, const std::wstring& arguments) {
    std::wstring command = program + L" " + arguments;
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process = {};
    std::wstring exe = L"Z:" + program;
    for (wchar_t& c : exe)
        if (c == L'/') c = L'\\';
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    return true;
}

// Polls until `path` exists (or no longer does), about five seconds at most.
inline bool AwaitPath(const std::wstring& path, bool exists) {
    for (int i = 0; i < 250; ++i) {
        if ((GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
        Sleep(20);
    }
    return false;
}

// "Z:\tmp\x" for "/tmp/x".
inline std::wstring DosPath(const std::wstring& unixPath) {
    std::wstring path = L"Z:" + unixPath;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// "/tmp/x" for "Z:\tmp\x".
inline std::wstring UnixPath(const std::wstring& dosPath) {
    std::wstring path = dosPath.substr(2);
    for (wchar_t& c : path)
        if (c == L'\\') c = L'/';
    return path;
}

// A Linux symbolic link at `link` to `target` (Linux paths).
inline bool Symlink(const std::wstring& target, const std::wstring& link) {
    return Start(L"/bin/ln", L"-sfn " + target + L" " + link) && AwaitPath(DosPath(link), true);
}

// Drive `letter` mapped to a fresh folder under /tmp while the object lives.
class MappedDrive {
public:
    explicit MappedDrive(wchar_t letter) : m_letter(letter) {
        wchar_t prefix[1024] = L"";
        GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024);
        m_device = std::wstring(prefix) + L"/dosdevices/" + std::wstring(1, static_cast<wchar_t>(towlower(letter))) + L":";
        m_target = L"/tmp/lumora_drive_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(DosPath(m_target).c_str(), nullptr);
        Symlink(m_target, m_device);
    }
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    ~MappedDrive() {
        PlugIn();
        Start(L"/bin/rm", L"-rf " + m_target + L" " + m_device);
        AwaitPath(Root(), false);
        AwaitPath(DosPath(m_target), false);
    }

    std::wstring Root() const { return std::wstring(1, m_letter) + L":\\"; }
    // The drive stays defined but answers nothing, as a sleeping share does.
    void Unplug() { MoveFileW(DosPath(m_target).c_str(), DosPath(m_target + L"_away").c_str()); }
    void PlugIn() { MoveFileW(DosPath(m_target + L"_away").c_str(), DosPath(m_target).c_str()); }

private:
    wchar_t m_letter;
    std::wstring m_device;
    std::wstring m_target;
};

}  // namespace unixside
