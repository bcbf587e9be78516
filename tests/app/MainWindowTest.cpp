// Commands and tray callbacks of the real program's main window.

#include <gtest/gtest.h>

#include <string>

#include "LumoraProcess.h"
#include "tests/support/BmpFile.h"
#include "tests/support/TempFolder.h"

using namespace lumora_test;

namespace {

constexpr UINT kTrayMessage = 40001;

BOOL CALLBACK CountTrayIcon(HWND icon, LPARAM counter) {
    wchar_t name[32] = {};
    GetClassNameW(icon, name, 32);
    if (std::wstring(name) == L"__winex11_tray_icon" && IsWindowVisible(icon)) ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK CountTrayIconsOf(HWND tray, LPARAM counter) {
    EnumChildWindows(tray, CountTrayIcon, counter);
    return TRUE;
}

// Wine's stand-alone notification area shows each icon as a window of its own.
int TrayIconCount() {
    int count = 0;
    EnumWindows(CountTrayIconsOf, reinterpret_cast<LPARAM>(&count));
    return count;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        MarkNotFirstRun();
    }
    void TearDown() override {
        if (m_main && m_lumora.Running()) {
            PostMessageW(m_main, WM_COMMAND, 999, 0);
            DWORD code = 1;
            EXPECT_TRUE(m_lumora.WaitExit(code));
        }
    }

    // Starts the program and waits until start-up has put it into the tray.
    void Start() {
        ASSERT_TRUE(m_lumora.Start());
        m_main = m_lumora.WaitMainWindow();
        ASSERT_NE(nullptr, m_main);
        ASSERT_TRUE(WaitUntil("the main window minimised into the tray",
                              [&] { return IsIconic(m_main) && !IsWindowVisible(m_main); }));
    }
    void Tray(UINT mouseMessage) { PostMessageW(m_main, kTrayMessage, 0, mouseMessage); }
    bool Shown() const { return IsWindowVisible(m_main) && !IsIconic(m_main); }
    // Presses the left button over the image button `id` and lets it go at (x, y).
    void Click(int id, int x = 10, int y = 10) {
        HWND button = GetDlgItem(m_main, id);
        ASSERT_NE(nullptr, button) << id;
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    bool InTray() const { return !IsWindowVisible(m_main); }
    // Opens the tray menu and picks the item that `key` moves to first.
    void ChooseFromTrayMenu(UINT key) {
        Tray(WM_RBUTTONUP);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil("the tray menu", [&] {
            for (HWND hwnd : m_lumora.Windows()) {
                wchar_t name[16] = {};
                GetClassNameW(hwnd, name, 16);
                if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd)) menu = hwnd;
            }
            return menu != nullptr;
        }));
        PostMessageW(menu, WM_KEYDOWN, key, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }

    CLumoraProcess m_lumora;
    HWND m_main = nullptr;
};

TEST_F(MainWindow, TrayLeftClickShowsTheHiddenWindowAndKeepsTheIcon) {
    const int before = TrayIconCount();
    Start();
    EXPECT_TRUE(WaitUntil("the tray icon", [&] { return TrayIconCount() == before + 1; }));
    Tray(WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    EXPECT_EQ(before + 1, TrayIconCount());
}

TEST_F(MainWindow, WithoutKeepInTrayRestoringRemovesTheIcon) {
    WriteValue(L"Options\\Common", L"KeepInTray", L"0");
    const int before = TrayIconCount();
    Start();
    EXPECT_TRUE(WaitUntil("the tray icon", [&] { return TrayIconCount() == before + 1; }));
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    EXPECT_TRUE(WaitUntil("the removal of the tray icon", [&] { return TrayIconCount() == before; }));
    PostMessageW(m_main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil("the main window in the tray with its icon",
                          [&] { return InTray() && TrayIconCount() == before + 1; }));
}

TEST_F(MainWindow, TwoTrayClicksWhileInFrontHideThenShow) {
    Start();
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    // The pointer reaches the icon while the window is in front.
    Tray(WM_MOUSEMOVE);
    Tray(WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil("the hiding of the main window", [&] { return !IsWindowVisible(m_main); }));
    Tray(WM_LBUTTONUP);
    EXPECT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
}

TEST_F(MainWindow, TrayMenuShowsAWindowHiddenByAClickAndExitsLikeEscape) {
    Start();
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    Tray(WM_MOUSEMOVE);
    Tray(WM_LBUTTONUP);   // hidden, but its placement stays normal
    ASSERT_TRUE(WaitUntil("the main window in the tray", [&] { return InTray(); }));
    ChooseFromTrayMenu(VK_DOWN);   // "Show"
    EXPECT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    ChooseFromTrayMenu(VK_UP);     // "Exit"
    HWND question = m_lumora.WaitDialog(kTitle);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(L"Quit program?", MessageBoxText(question));
    PressButton(question, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(m_lumora.WaitExit(code));
}

TEST_F(MainWindow, TrayClickFromAnotherIconIdIsIgnored) {
    Start();
    PostMessageW(m_main, kTrayMessage, 1, WM_LBUTTONUP);
    PostMessageW(m_main, kTrayMessage, 0, WM_MOUSEMOVE);   // a message after it, to wait on
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    DWORD code = 1;
    EXPECT_FALSE(m_lumora.WaitExit(code, 500));
    EXPECT_TRUE(InTray());
}

TEST_F(MainWindow, MinimisingHidesIntoTheTray) {
    Start();
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    PostMessageW(m_main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil("the main window in the tray", [&] { return InTray(); }));
}

TEST_F(MainWindow, WithoutMinimizeToTrayTheWindowStaysOnTheTaskbar) {
    WriteValue(L"Options\\Common", L"MinimizeToTray", L"0");
    ASSERT_TRUE(m_lumora.Start());
    m_main = m_lumora.WaitMainWindow();
    ASSERT_NE(nullptr, m_main);
    EXPECT_TRUE(WaitUntil("the main window minimised on the taskbar",
                          [&] { return IsIconic(m_main) && IsWindowVisible(m_main); }));
}

TEST_F(MainWindow, EscapeWithEscMinMinimisesInsteadOfExiting) {
    WriteValue(L"Options\\Common", L"EscMin", L"1");
    Start();
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    PostMessageW(m_main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil("the main window in the tray", [&] { return InTray(); }));
    EXPECT_TRUE(m_lumora.Running());
    EXPECT_EQ(nullptr, m_lumora.FindDialog(kTitle));
}

TEST_F(MainWindow, StatusBarShowsTheHintOfTheButtonUnderThePointer) {
    Start();
    HWND status = GetDlgItem(m_main, 1033);
    ASSERT_NE(nullptr, status);
    const struct {
        int id;
        const wchar_t* hint;
    } cases[] = {{1001, L"Start to show photos on desktop"},
                 {1000, L"Albums and program settings"},
                 {1002, L"Welcome to our internet site!"},
                 {1003, L"Short information about this program"}};
    for (const auto& c : cases) {
        HWND button = GetDlgItem(m_main, c.id);
        ASSERT_NE(nullptr, button) << c.id;
        SendMessageW(m_main, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(std::wstring(c.hint), WindowText(status)) << c.id;
    }
    // Another window leaves the text as it was.
    SendMessageW(m_main, WM_SETCURSOR, reinterpret_cast<WPARAM>(status), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(std::wstring(L"Short information about this program"), WindowText(status));
}

TEST_F(MainWindow, ButtonsAreImageButtonsThatClickOnlyWhenReleasedInside) {
    Start();
    for (int id : {1001, 1000, 1002, 1003}) {
        wchar_t name[32] = {};
        GetClassNameW(GetDlgItem(m_main, id), name, 32);
        EXPECT_EQ(std::wstring(L"DX_ButtonWnd"), name) << id;
    }
    // Released outside: no start (its error box would block the about box).
    Click(1001, 10, -20);
    Click(1001, 500, 10);
    Click(1003);
    HWND about = m_lumora.WaitDialog(L"About Lumora Desktop Photo Frame...");
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(nullptr, m_lumora.FindDialog(L"Error"));
    PressButton(about, IDOK);
    EXPECT_TRUE(WaitUntil("the closing of the about box", [&] { return !IsWindow(about); }));
}

TEST_F(MainWindow, EnterOpensTheSettingsDialogOnlyOnce) {
    Start();
    PostMessageW(m_main, WM_COMMAND, IDOK, 0);
    HWND settings = m_lumora.WaitDialog(L"Lumora options");
    ASSERT_NE(nullptr, settings);
    // A second request while it is open only brings it forward.
    PostMessageW(m_main, WM_COMMAND, 1000, 0);
    Tray(WM_RBUTTONUP);   // nor does the tray menu open over it
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    int count = 0;
    for (HWND hwnd : m_lumora.Windows()) {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, 16);
        if (IsWindowVisible(hwnd) && WindowText(hwnd) == L"Lumora options") ++count;
        EXPECT_NE(std::wstring(L"#32768"), name) << "a popup menu is open";
    }
    EXPECT_EQ(1, count);
    PressButton(settings, IDCANCEL);
    EXPECT_TRUE(WaitUntil("the closing of the settings dialog", [&] { return !IsWindow(settings); }));
}

TEST_F(MainWindow, StartingAnEmptyAlbumReportsAndAsksForPhotos) {
    Start();
    Click(1001);
    HWND error = m_lumora.WaitDialog(L"Error");
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(L"No photos in album.\nAdd some photos before start slide-show.", MessageBoxText(error));
    PressButton(error, IDOK);
    EXPECT_TRUE(WaitUntil("the main window in front", [&] { return Shown(); }));
    // The start button keeps its id: no show runs.
    EXPECT_NE(nullptr, GetDlgItem(m_main, 1001));
    EXPECT_EQ(nullptr, GetDlgItem(m_main, 1042));
    // The settings dialog opens so that photos can be added.
    HWND settings = m_lumora.WaitDialog(L"Lumora options");
    ASSERT_NE(nullptr, settings);
    PressButton(settings, IDCANCEL);
    EXPECT_TRUE(WaitUntil("the closing of the settings dialog", [&] { return !IsWindow(settings); }));
}

class Show : public MainWindow {
protected:
    // A 2 x 2 picture in the test's temporary folder.
    std::wstring WritePicture() {
        const std::wstring path = m_folder.Path() + L"\\photo.bmp";
        EXPECT_TRUE(WriteBmp(path, 2, 2));
        return path;
    }
    bool SlideWindowShown() const {
        for (HWND hwnd : m_lumora.Windows()) {
            wchar_t name[32] = {};
            GetClassNameW(hwnd, name, 32);
            if (std::wstring(name) == L"SlideWnd" && IsWindowVisible(hwnd)) return true;
        }
        return false;
    }

    TempFolder m_folder;
};

TEST_F(Show, AlbumWithAPhotoStartsTheShowAtStartUp) {
    WriteValue(L"Profiles\\Default\\Slides\\0000", L"pic_path", WritePicture());
    Start();
    EXPECT_TRUE(WaitUntil("the stop button", [&] { return GetDlgItem(m_main, 1042) != nullptr; }));
    EXPECT_TRUE(WaitUntil("the slide window", [&] { return SlideWindowShown(); }));
    HWND status = GetDlgItem(m_main, 1033);
    SendMessageW(m_main, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(m_main, 1042)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(std::wstring(L"Stop show photos on desktop"), WindowText(status));
    Click(1042);
    EXPECT_TRUE(WaitUntil("the start button", [&] { return GetDlgItem(m_main, 1001) != nullptr; }));
    EXPECT_EQ(nullptr, GetDlgItem(m_main, 1042));
    EXPECT_TRUE(WaitUntil("the end of the slide window", [&] { return !SlideWindowShown(); }));
    // The tray menu's "Run slide show" is the same command.
    PostMessageW(m_main, WM_COMMAND, 1001, 0);
    EXPECT_TRUE(WaitUntil("the stop button", [&] { return GetDlgItem(m_main, 1042) != nullptr; }));
    EXPECT_TRUE(WaitUntil("the slide window", [&] { return SlideWindowShown(); }));
}

TEST_F(Show, MissingPhotosAreDroppedAndNoShowStarts) {
    WriteValue(L"Profiles\\Default\\Slides\\0000", L"pic_path", L"C:\\no\\such\\photo.jpg");
    Start();
    const UINT checks = RegisterWindowMessageW(L"LumoraPhotoChecks");
    ASSERT_TRUE(WaitUntil("the photo checks done", [&] {
        DWORD_PTR underway = 1;
        return SendMessageTimeoutW(m_main, checks, 0, 0, SMTO_NORMAL, 1000, &underway) && underway == 0;
    }));
    EXPECT_NE(nullptr, GetDlgItem(m_main, 1001));
    EXPECT_FALSE(SlideWindowShown());
    PostMessageW(m_main, WM_COMMAND, 999, 0);
    DWORD code = 1;
    ASSERT_TRUE(m_lumora.WaitExit(code));
    EXPECT_FALSE(KeyExists(L"Profiles\\Default\\Slides\\0000"));
}

}  // namespace
