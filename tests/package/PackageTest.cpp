// The 64-bit installer that tools/package.sh wrote, run silently the way an
// administrator deploys it: what it leaves on the account, the program it
// installs, an update over a running Lumora, and the silent uninstall.

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/app/LumoraProcess.h"
#include "tests/support/RegistryKeys.h"
#include "tests/support/UnixSide.h"

using namespace lumora_test;

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora";
const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const wchar_t kProfilesKey[] = L"Software\\Arvendal\\Lumora\\Profiles";

std::wstring Folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring DefaultInstallFolder() {
    return Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Lumora";
}

std::wstring MenuShortcut() {
    return Folder(CSIDL_PROGRAMS) + L"\\Lumora Photo Frame.lnk";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring Text(const std::wstring& key, const std::wstring& name) {
    std::wstring value = L"<missing>";
    hkcu::ReadText(key, name, value);
    return value;
}

DWORD Number(const std::wstring& key, const std::wstring& name) {
    DWORD value = 0xDEADBEEF;
    DWORD bytes = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &bytes);
    return value;
}

std::wstring ShortcutTarget(const std::wstring& link) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
                SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return target;
}

// Runs a command line to its end; its exit code, or -1.
long RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<long>(code);
}

// The uninstaller runs on as a copy of itself in the temporary folder, named
// by the NSIS version: Un.exe, Un_A.exe or Au_.exe.
bool UninstallerRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szExeFile, L"Un.exe") == 0 || _wcsnicmp(entry.szExeFile, L"Un_", 3) == 0 ||
                _wcsnicmp(entry.szExeFile, L"Au_", 3) == 0;
    CloseHandle(snapshot);
    return found;
}

HWND VisibleSlideWindow(const CLumoraProcess& lumora) {
    for (HWND hwnd : lumora.Windows()) {
        wchar_t name[32] = {};
        GetClassNameW(hwnd, name, 32);
        RECT rect = {};
        if (wcscmp(name, L"SlideWnd") == 0 && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &rect) &&
            rect.right > rect.left && rect.bottom > rect.top)
            return hwnd;
    }
    return nullptr;
}

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Exists(SetupExe())) << "tools/package.sh has not written the installer";
        Uninstall();
        ResetRegistry();
        DeleteFileW(StartupShortcutPath().c_str());
        // A new account: nothing in the Pictures folder, so the first run has
        // only the samples to fill its album from.
        m_hadPictures = hkcu::ReadText(kShellFolders, L"My Pictures", m_pictures);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_emptyPictures = std::wstring(temp) + L"lumora-package-pictures";
        CreateDirectoryW(m_emptyPictures.c_str(), nullptr);
        SetPictures(m_emptyPictures);
    }

    void TearDown() override {
        Uninstall();
        ResetRegistry();
        if (m_hadPictures) SetPictures(m_pictures);
        else SHDeleteValueW(HKEY_CURRENT_USER, kShellFolders, L"My Pictures");
        RemoveDirectoryW(m_emptyPictures.c_str());
    }

    static std::wstring SetupExe() { return unixside::DosPath(L"" LUMORA_SETUP); }

    static long Install(const std::wstring& folder = std::wstring()) {
        std::wstring commandLine = L"\"" + SetupExe() + L"\" /S";
        if (!folder.empty()) commandLine += L" /D=" + folder;
        return RunToEnd(commandLine);
    }

    // Runs the uninstall entry's silent command, as a deployment tool does,
    // and waits until the uninstaller has finished.
    static void Uninstall() {
        std::wstring command;
        if (!hkcu::ReadText(kUninstallKey, L"QuietUninstallString", command)) return;
        RunToEnd(command);
        EXPECT_TRUE(WaitUntil("the uninstaller to finish", [] { return !UninstallerRunning(); }, 60000));
    }

    // Starts the installed program the way the Start menu does and waits
    // for its show.
    static bool StartFromMenu(CLumoraProcess& lumora) {
        return lumora.Start(ShortcutTarget(MenuShortcut())) && lumora.WaitMainWindow() &&
               WaitUntil("the installed program's show", [&] { return VisibleSlideWindow(lumora) != nullptr; });
    }

    static void Exit(CLumoraProcess& lumora) {
        PostMessageW(lumora.FindMainWindow(), WM_COMMAND, 999, 0);
        DWORD code = 1;
        ASSERT_TRUE(lumora.WaitExit(code));
    }

    static std::vector<std::wstring> Files(const std::wstring& folder) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileW(find, &found));
        FindClose(find);
        return names;
    }

    static size_t Photos(const std::wstring& folder) {
        size_t count = 0;
        for (const auto& name : Files(folder))
            if (_wcsicmp(PathFindExtensionW(name.c_str()), L".jpg") == 0) ++count;
        return count;
    }

private:
    static void SetPictures(const std::wstring& folder) {
        SHSetValueW(HKEY_CURRENT_USER, kShellFolders, L"My Pictures", REG_EXPAND_SZ, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }

    bool m_hadPictures = false;
    std::wstring m_pictures;
    std::wstring m_emptyPictures;
};

TEST_F(Package, SilentInstallWritesProgramSamplesShortcutAndUninstallEntry) {
    ASSERT_EQ(0, Install());
    const std::wstring dir = DefaultInstallFolder();
    EXPECT_EQ(Bytes(LumoraExePath()), Bytes(dir + L"\\lumora.exe")) << "not the tested 64-bit program";
    for (const wchar_t* name : {L"\\uninstall.exe", L"\\License.txt", L"\\Samples\\copyright.txt",
                                L"\\Samples\\GPL-2.txt"})
        EXPECT_TRUE(Exists(dir + name)) << "missing " << std::string(name, name + wcslen(name));
    EXPECT_GE(Photos(dir + L"\\Samples"), 10u);
    EXPECT_FALSE(Exists(dir + L"\\lumora.exe.new"));
    EXPECT_FALSE(Exists(dir + L"\\uninstall.exe.new"));

    std::wstring installPath;
    ASSERT_TRUE(ReadValue(L"Options", L"InstallPath", installPath));
    EXPECT_EQ(dir + L"\\Samples", installPath);
    EXPECT_EQ(dir + L"\\lumora.exe", ShortcutTarget(MenuShortcut()));

    EXPECT_EQ(L"Lumora Photo Frame", Text(kUninstallKey, L"DisplayName"));
    EXPECT_EQ(LUMORA_VERSION_TEXT, Text(kUninstallKey, L"DisplayVersion"));
    EXPECT_EQ(L"Arvendal", Text(kUninstallKey, L"Publisher"));
    EXPECT_EQ(dir + L"\\lumora.exe,0", Text(kUninstallKey, L"DisplayIcon"));
    EXPECT_EQ(dir, Text(kUninstallKey, L"InstallLocation"));
    EXPECT_EQ(L"\"" + dir + L"\\uninstall.exe\"", Text(kUninstallKey, L"UninstallString"));
    EXPECT_EQ(L"\"" + dir + L"\\uninstall.exe\" /S", Text(kUninstallKey, L"QuietUninstallString"));
    // In KB: the program and the samples are several MB.
    EXPECT_GT(Number(kUninstallKey, L"EstimatedSize"), 2000u);
    EXPECT_LT(Number(kUninstallKey, L"EstimatedSize"), 100000u);
    EXPECT_EQ(1u, Number(kUninstallKey, L"NoModify"));
    EXPECT_EQ(1u, Number(kUninstallKey, L"NoRepair"));
}

TEST_F(Package, ProgramFromTheMenuShortcutFillsItsFirstAlbumFromTheSamples) {
    ASSERT_EQ(0, Install());
    const std::wstring samples = DefaultInstallFolder() + L"\\Samples\\";
    CLumoraProcess lumora;
    ASSERT_TRUE(StartFromMenu(lumora)) << "no photo shown";
    Exit(lumora);

    const auto albums = hkcu::Snapshot(kProfilesKey);
    size_t photos = 0;
    const std::wstring photo = L"=pic_path=" + std::to_wstring(REG_SZ) + L":";
    for (const std::wstring& line : albums) {
        const size_t at = line.find(photo);
        if (line.find(L"\\Default\\Slides\\") == std::wstring::npos || at == std::wstring::npos) continue;
        EXPECT_EQ(at + photo.size(), line.find(samples)) << "photo from elsewhere";
        ++photos;
    }
    EXPECT_EQ(Photos(samples), photos);
}

TEST_F(Package, UpdateOverARunningLumoraEndsItReplacesTheProgramAndKeepsAlbums) {
    // Another folder, not ASCII and with a space; the update finds it again.
    // (Wine keeps shortcut targets in the ANSI code page: Latin letters only.)
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"Fotos Lumorä";
    ASSERT_EQ(0, Install(dir));
    const std::wstring exe = dir + L"\\lumora.exe";
    ASSERT_EQ(exe, ShortcutTarget(MenuShortcut()));
    {
        CLumoraProcess first;
        ASSERT_TRUE(StartFromMenu(first));
        Exit(first);
    }
    const auto albums = hkcu::Snapshot(kProfilesKey);
    ASSERT_FALSE(albums.empty());

    CLumoraProcess lumora;
    ASSERT_TRUE(StartFromMenu(lumora));
    // Marks the installed program, to see it replaced.
    HANDLE file = CreateFileW(exe.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SYSTEMTIME longAgo = {2001, 1, 1, 1, 0, 0, 0, 0};
    FILETIME old = {};
    SystemTimeToFileTime(&longAgo, &old);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &old));
    CloseHandle(file);

    ASSERT_EQ(0, Install());
    ASSERT_TRUE(lumora.ExitedZero(0));
    std::wstring handle;
    EXPECT_FALSE(ReadValue(L"Options\\Windows\\Main", L"Handle", handle)) << "ended without its own exit";
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &data));
    EXPECT_NE(old.dwHighDateTime, data.ftLastWriteTime.dwHighDateTime) << "program not replaced";
    EXPECT_EQ(Bytes(LumoraExePath()), Bytes(exe));
    EXPECT_FALSE(Exists(exe + L".new"));
    EXPECT_FALSE(Exists(DefaultInstallFolder()));
    EXPECT_EQ(dir, Text(kUninstallKey, L"InstallLocation"));
    EXPECT_EQ(albums, hkcu::Snapshot(kProfilesKey));
}

TEST_F(Package, SilentUninstallEndsLumoraRemovesEverythingAndKeepsAlbums) {
    ASSERT_EQ(0, Install());
    const std::wstring dir = DefaultInstallFolder();
    {
        CLumoraProcess first;   // its first run creates the Startup shortcut
        ASSERT_TRUE(StartFromMenu(first));
        Exit(first);
    }
    ASSERT_TRUE(Exists(StartupShortcutPath()));
    const std::wstring cache = Folder(CSIDL_LOCAL_APPDATA) + L"\\Arvendal\\Lumora\\Thumbnails";
    SHCreateDirectoryExW(nullptr, cache.c_str(), nullptr);  // the program may have made it already
    ASSERT_TRUE(Exists(cache));
    std::ofstream((cache + L"\\0001.thumb").c_str()) << "x";
    const auto albums = hkcu::Snapshot(kProfilesKey);
    ASSERT_FALSE(albums.empty());

    CLumoraProcess lumora;
    ASSERT_TRUE(StartFromMenu(lumora));
    Uninstall();
    ASSERT_TRUE(lumora.ExitedZero(0));

    EXPECT_FALSE(Exists(dir));
    EXPECT_FALSE(Exists(MenuShortcut()));
    EXPECT_FALSE(Exists(StartupShortcutPath()));
    EXPECT_FALSE(hkcu::KeyExists(kUninstallKey));
    std::wstring installPath;
    EXPECT_FALSE(ReadValue(L"Options", L"InstallPath", installPath));
    EXPECT_FALSE(Exists(Folder(CSIDL_LOCAL_APPDATA) + L"\\Arvendal"));
    EXPECT_EQ(albums, hkcu::Snapshot(kProfilesKey));
}

}  // namespace
