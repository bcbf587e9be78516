// The about box: the version reader it shows, its texts, and the modal
// record the main window relies on.

#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/AboutDlg.h"
#include "res/dialogs.h"
#include "tests/dialogs/DialogTest.h"
#include "ui/Shortcut.h"
#include "ui/VersionInfo.h"

namespace {

std::wstring Text(HWND dialog, int id) {
    wchar_t buffer[256] = L"";
    GetDlgItemTextW(dialog, id, buffer, 256);
    return buffer;
}

class AboutTest : public DialogTest {};

TEST_F(AboutTest, ReadsTheProgramVersion) {
    // This test program carries the program's resources, version included.
    const tstr self = ModulePath(nullptr);
    EXPECT_EQ(L"1.2.3.0", ReadVersionString(self, kVersionFileVersion).Str());
    EXPECT_EQ(L"1.2.3.0", ReadVersionString(self, kVersionProductVersion).Str());
    EXPECT_EQ(L"Lumora Photo Frame", ReadVersionString(self, kVersionProductName).Str());
}

TEST_F(AboutTest, FileWithoutVersionGivesEmptyText) {
    const std::wstring plain = TempFolder::File(Folder() + L"\\plain.dat", "no version here");
    EXPECT_TRUE(ReadVersionString(plain.c_str(), kVersionProductVersion).IsEmpty());
    EXPECT_TRUE(ReadVersionString((Folder() + L"\\missing.exe").c_str(), kVersionFileVersion).IsEmpty());
    EXPECT_TRUE(ReadVersionString(ModulePath(nullptr), 8).IsEmpty());
    EXPECT_TRUE(ReadVersionString(ModulePath(nullptr), -1).IsEmpty());
}

TEST_F(AboutTest, ShowsTitleVersionAndRights) {
    CWppProfile app;
    CAboutDlg about(app);
    HWND box = about.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ABOUT), nullptr);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"Lumora Photo Frame", Text(box, IDC_ABOUT_TITLE));
    EXPECT_EQ(L"Version 1.2.3.0", Text(box, IDC_ABOUT_VERSION));
    EXPECT_EQ(CAboutDlg::kRightsNotice, Text(box, IDC_ABOUT_RIGHTS));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendDlgItemMessageW(box, IDC_ABOUT_PICTURE, STM_GETICON, 0, 0)));
    EXPECT_FALSE(Shown(GetDlgItem(box, IDC_ABOUT_PICTURE)));
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(AboutTest, RecordsItselfAsTheOpenModalDialogWhileVisible) {
    CWppProfile app;
    CAboutDlg about(app);
    HWND box = about.ShowModeless(nullptr, MAKEINTRESOURCEW(IDD_ABOUT), nullptr);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(nullptr, app.GetModalDialog());
    ShowWindow(box, SW_SHOW);
    PumpPending();
    EXPECT_EQ(box, app.GetModalDialog());
    ShowWindow(box, SW_HIDE);
    EXPECT_EQ(nullptr, app.GetModalDialog());
    ShowWindow(box, SW_SHOW);
    DestroyWindow(box);
    EXPECT_EQ(nullptr, app.GetModalDialog());
}

TEST_F(AboutTest, RunsModallyUntilOk) {
    CWppProfile app;
    CAboutDlg about(app);
    OnNextBox("the about box", [](HWND box) {
        if (GetDlgItem(box, IDC_ABOUT_VERSION) == nullptr) return false;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    EXPECT_EQ(IDOK, about.Run(nullptr));
    EXPECT_EQ(nullptr, app.GetModalDialog());
}

}  // namespace
