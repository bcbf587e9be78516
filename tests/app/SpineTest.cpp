// Start-up, single instance, saving and the ways out of the real program.

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "LumoraProcess.h"
#include "tests/support/BmpFile.h"

using namespace lumora_test;

namespace {

std::wstring HandleText(HWND hwnd) {
    return std::to_wstring(static_cast<int>(reinterpret_cast<LONG_PTR>(hwnd)));
}

bool Has(const std::vector<std::wstring>& names, const wchar_t* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

class Spine : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        DeleteFileW(StartupShortcutPath().c_str());
    }

    // Command 999: exit without a question; the exit code must be 0.
    void CloseAndExpectCleanExit(CLumoraProcess& lumora, HWND main) {
        PostMessageW(main, WM_COMMAND, 999, 0);
        ASSERT_TRUE(lumora.ExitedZero());
    }
};

TEST_F(Spine, FirstRunShowsMainWindowAndStoresItsHandle) {
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(WaitUntil("the main window of the first run", [&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_FALSE(IsIconic(main));
    std::wstring handle;
    ASSERT_TRUE(ReadValue(L"Options\\Windows\\Main", L"Handle", handle));
    EXPECT_EQ(HandleText(main), handle);
    CloseAndExpectCleanExit(lumora, main);
}

TEST_F(Spine, ExitSavesTheAlbumLayoutAndRemovesTheHandle) {
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    CloseAndExpectCleanExit(lumora, main);

    std::wstring value;
    EXPECT_FALSE(ReadValue(L"Options\\Windows\\Main", L"Handle", value));
    EXPECT_TRUE(KeyExists(L"Options\\Windows\\Main"));
    ASSERT_TRUE(ReadValue(L"Profiles", L"Profile", value));
    EXPECT_EQ(L"Default", value);
    const auto names = ValueNames(L"Profiles\\Default\\Slides");
    for (const wchar_t* name : {L"ThumbSize", L"PlacementX", L"PlacementY", L"SizeX", L"SizeY", L"SliderVis",
                                L"SliderVisIn", L"timeout"})
        EXPECT_TRUE(Has(names, name)) << "missing " << std::string(name, name + wcslen(name));
    for (const wchar_t* name : {L"MarginX", L"MarginY", L"Maximized", L"idx"})
        EXPECT_FALSE(Has(names, name)) << "unexpected " << std::string(name, name + wcslen(name));
}

TEST_F(Spine, FirstRunCreatesTheAutostartShortcut) {
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    const std::wstring link = StartupShortcutPath();
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(link.c_str()));

    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkW* shell = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&shell))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    EXPECT_TRUE(SUCCEEDED(file->Load(link.c_str(), STGM_READ)));
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {};
    shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    shell->GetWorkingDirectory(folder, MAX_PATH);
    file->Release();
    shell->Release();
    CoUninitialize();

    const std::wstring exe = LumoraExePath();
    EXPECT_EQ(0, lstrcmpiW(exe.c_str(), target));
    EXPECT_EQ(0, lstrcmpiW(exe.substr(0, exe.rfind(L'\\')).c_str(), folder));
    CloseAndExpectCleanExit(lumora, main);
}

TEST_F(Spine, LaterStartIsNotAFirstRunAndGoesToTheTray) {
    MarkNotFirstRun();
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(WaitUntil("the main window minimised into the tray",
                          [&] { return IsIconic(main) && !IsWindowVisible(main); }));
    // Not a first run: no shortcut is made.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(StartupShortcutPath().c_str()));
    CloseAndExpectCleanExit(lumora, main);
}

TEST_F(Spine, SecondProcessActivatesTheFirstAndEndsWithCodeZero) {
    MarkNotFirstRun();
    CLumoraProcess first;
    ASSERT_TRUE(first.Start());
    HWND main = first.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    // Start-up is over once the window sits minimised in the tray and its
    // thread, busy with the rest of start-up for a second or two, answers
    // again: under Wine an activation that comes meanwhile is undone (not so
    // on Windows).
    ASSERT_TRUE(WaitUntil("the main window minimised into the tray",
                          [&] { return IsIconic(main) && !IsWindowVisible(main); }));
    DWORD_PTR answer = 0;
    ASSERT_NE(0, SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &answer))
        << "the main window did not answer after start-up";
    std::wstring handleBefore;
    ASSERT_TRUE(ReadValue(L"Options\\Windows\\Main", L"Handle", handleBefore));

    CLumoraProcess second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.ExitedZero());
    EXPECT_TRUE(WaitUntil("the main window in front", [&] { return IsWindowVisible(main) && !IsIconic(main); }));
    std::wstring handleAfter;
    ASSERT_TRUE(ReadValue(L"Options\\Windows\\Main", L"Handle", handleAfter));
    EXPECT_EQ(handleBefore, handleAfter);
    EXPECT_TRUE(first.Running());
    CloseAndExpectCleanExit(first, main);
}

TEST_F(Spine, StaleHandleOfAnotherWindowIsIgnored) {
    // A handle left by a crash that now names another program's window.
    HWND other = CreateWindowExW(0, L"STATIC", L"Some other program", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    MarkNotFirstRun();
    WriteValue(L"Options\\Windows\\Main", L"Handle", HandleText(other));
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    std::wstring handle;
    EXPECT_TRUE(WaitUntil("the stored handle of the main window", [&] {
        return ReadValue(L"Options\\Windows\\Main", L"Handle", handle) && handle == HandleText(main);
    }));
    EXPECT_TRUE(lumora.Running());
    CloseAndExpectCleanExit(lumora, main);
    DestroyWindow(other);
}

TEST_F(Spine, UnreadableHandleIsIgnored) {
    MarkNotFirstRun();
    WriteValue(L"Options\\Windows\\Main", L"Handle", L"not a number");
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    CloseAndExpectCleanExit(lumora, main);
}

class ExitPaths : public Spine {};

TEST_F(ExitPaths, CloseBoxWithoutConfirmationAsksNothing) {
    MarkNotFirstRun();
    WriteValue(L"Options\\Common", L"ConfirmExit", L"0");
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(lumora.ExitedZero());
    std::wstring value;
    EXPECT_FALSE(ReadValue(L"Options\\Windows\\Main", L"Handle", value));
    // Values changed by hand are not written back on exit.
    ASSERT_TRUE(ReadValue(L"Options\\Common", L"ConfirmExit", value));
    EXPECT_EQ(L"0", value);
}

TEST_F(ExitPaths, QuestionAnsweredCancelKeepsRunningThenOkExits) {
    MarkNotFirstRun();
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);

    PostMessageW(main, WM_COMMAND, 998, 0);
    HWND question = lumora.WaitDialog(kTitle);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(L"Quit program?", MessageBoxText(question));
    // A second request while the question is open is ignored.
    PostMessageW(main, WM_COMMAND, 998, 0);
    PressButton(question, IDCANCEL);
    ASSERT_TRUE(WaitUntil("the closing of the question box", [&] { return !IsWindow(question); }));
    EXPECT_EQ(nullptr, lumora.FindDialog(kTitle));

    // Asked again, after anything Cancel may have queued: the program went on.
    PostMessageW(main, WM_COMMAND, 998, 0);
    question = lumora.WaitDialog(kTitle);
    ASSERT_NE(nullptr, question);
    EXPECT_TRUE(lumora.Running());
    PressButton(question, IDOK);
    ASSERT_TRUE(lumora.ExitedZero());
}

TEST_F(ExitPaths, EndSessionQuitsWithoutAQuestion) {
    MarkNotFirstRun();
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    // Even with wParam FALSE.
    PostMessageW(main, WM_ENDSESSION, FALSE, 0);
    ASSERT_TRUE(lumora.ExitedZero());
    std::wstring value;
    EXPECT_FALSE(ReadValue(L"Options\\Windows\\Main", L"Handle", value));
    ASSERT_TRUE(ReadValue(L"Profiles", L"Profile", value));
    EXPECT_EQ(L"Default", value);
}

}  // namespace

// A large album fills the queue of thumbnails for minutes; exit must not
// wait for it (the workers are never joined) and must still save every photo.
TEST_F(Spine, ExitWithThousandsOfThumbnailsQueuedEndsPromptlyAndKeepsThePhotos) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lumora_big_album";
    CreateDirectoryW(folder.c_str(), nullptr);
    // A 2400 x 1800 BMP: slow enough to decode that the queue stays full.
    const int w = 2400, h = 1800;
    const std::wstring first = folder + L"\\photo0000.bmp";
    ASSERT_TRUE(WriteBmp(first, w, h, RGB(0x60, 0x60, 0x60)));
    const int count = 1200;
    for (int i = 1; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\photo%04d.bmp", i);
        CreateHardLinkW((folder + name).c_str(), first.c_str(), nullptr);
    }
    WriteValue(L"Options", L"InstallPath", folder);
    WriteValue(L"Options\\Common", L"ConfirmExit", L"0");

    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    // The workers are busy with the queue once the first thumbnail is made.
    const UINT decodes = RegisterWindowMessageW(L"LumoraDecodeCount");
    ASSERT_TRUE(WaitUntil("the first thumbnail decoded", [&] {
        DWORD_PTR made = 0;
        SendMessageTimeoutW(main, decodes, 1, 0, SMTO_NORMAL, 1000, &made);
        return made > 0;
    }, 20000));
    PostMessageW(main, WM_COMMAND, 999, 0);
    // Generous: a hang fails, a slow machine does not.
    ASSERT_TRUE(lumora.ExitedZero(10000));
    std::wstring last;
    EXPECT_TRUE(ReadValue(L"Profiles\\Default\\Slides\\1199", L"pic_path", last));

    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"\\photo%04d.bmp", i);
        DeleteFileW((folder + name).c_str());
    }
    RemoveDirectoryW(folder.c_str());
}
