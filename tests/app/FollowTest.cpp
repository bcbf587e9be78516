// The real program with an album that follows a folder, and with a photo on
// a drive that is offline at start-up.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LumoraProcess.h"
#include "tests/support/BmpFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSide.h"

using namespace lumora_test;

namespace {

const std::wstring kSlides = kSlidesKey;

std::wstring Bmp(const std::wstring& path, int w = 8, int h = 6) {
    return TempFolder::File(path, BmpBytes(w, h));
}

class Follow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRegistry();
        MarkNotFirstRun();
    }
    void TearDown() override { ResetRegistry(); }

    // Starts the program and waits for its show.
    HWND StartShow(CLumoraProcess& lumora) {
        if (!lumora.Start() || !lumora.WaitMainWindow()) return nullptr;
        HWND slide = nullptr;
        EXPECT_TRUE(WaitUntil("the slide window", [&] { return (slide = lumora.FindShownWindow(L"SlideWnd")) != nullptr; }));
        return slide;
    }
    static void Exit(CLumoraProcess& lumora) {
        PostMessageW(lumora.FindMainWindow(), WM_COMMAND, 999, 0);
        ASSERT_TRUE(lumora.ExitedZero());
    }
};

TEST_F(Follow, StoredListMatchesTheFolderAfterItChangedDuringTheShow) {
    TempFolder temp;
    const std::wstring dir = temp.Path();
    const std::wstring a = Bmp(dir + L"\\a.bmp"), b = Bmp(dir + L"\\b10.bmp"), sub = Bmp(temp.Folder(L"sub") + L"\\s.bmp");
    WriteValue(kSlides, L"Folder", dir);
    WriteValue(kSlides, L"Subfolders", L"1");
    // The list as the last run left it: one photo has gone since.
    StorePhotos({a, dir + L"\\gone.bmp", b});

    CLumoraProcess lumora;
    HWND slide = StartShow(lumora);
    ASSERT_NE(nullptr, slide);
    // Only the last listing has four photos: none with c or d has a.
    DeleteFileW(a.c_str());
    const std::wstring c = Bmp(dir + L"\\b9.bmp"), d = Bmp(dir + L"\\b11.bmp");
    const UINT photoCount = RegisterWindowMessageW(L"LumoraPhotoCount");
    EXPECT_TRUE(WaitUntil("the folder's four photos in the album", [&] {
        DWORD_PTR count = 0;
        SendMessageTimeoutW(lumora.FindMainWindow(), photoCount, 0, 0, SMTO_NORMAL, 1000, &count);
        return count == 4;
    }));
    EXPECT_EQ(slide, lumora.FindShownWindow(L"SlideWnd"));
    Exit(lumora);

    EXPECT_EQ((std::vector<std::wstring>{c, b, d, sub}), StoredPhotos());
    std::wstring folder;
    ASSERT_TRUE(ReadValue(kSlides, L"Folder", folder));
    EXPECT_EQ(dir, folder);
}

// The first photo is wide, the second tall: the slide window's shape tells
// which one the show put up.
TEST_F(Follow, OfflinePhotoStaysInTheAlbumAndIsShownWhenItsDriveIsBack) {
    TempFolder temp;
    unixside::MappedDrive drive(L'Q');
    const std::wstring wide = Bmp(drive.Root() + L"wide.bmp", 160, 40);
    const std::wstring tall = Bmp(temp.Path() + L"\\tall.bmp", 40, 160);
    StorePhotos({wide, tall});
    const auto wideShown = [](HWND slide) {
        RECT rect = {};
        GetWindowRect(slide, &rect);
        return rect.right - rect.left > rect.bottom - rect.top;
    };

    drive.Unplug();
    {
        CLumoraProcess lumora;
        HWND slide = StartShow(lumora);
        ASSERT_NE(nullptr, slide);
        EXPECT_TRUE(WaitUntil("the tall photo shown", [&] { return !wideShown(slide); }));
        Exit(lumora);
    }
    EXPECT_EQ((std::vector<std::wstring>{wide, tall}), StoredPhotos());

    drive.PlugIn();
    CLumoraProcess lumora;
    HWND slide = StartShow(lumora);
    ASSERT_NE(nullptr, slide);
    EXPECT_TRUE(WaitUntil("the wide photo shown", [&] { return wideShown(slide); }));
    Exit(lumora);
    EXPECT_EQ((std::vector<std::wstring>{wide, tall}), StoredPhotos());
}

}  // namespace

namespace {

// Fault: the About box (or any settings dialog) closing ended the wait for
// the first picture.
TEST_F(Follow, EmptyFollowedFolderStartsTheShowWithItsFirstPicture) {
    TempFolder temp;
    WriteValue(kSlides, L"Folder", temp.Path());
    CLumoraProcess lumora;
    ASSERT_TRUE(lumora.Start());
    HWND main = lumora.WaitMainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageW(main, WM_COMMAND, 1003, 0);
    HWND about = lumora.WaitDialog(L"About Lumora Desktop Photo Frame...");
    ASSERT_NE(nullptr, about);
    PressButton(about, IDOK);
    ASSERT_TRUE(WaitUntil("the closing of the about box", [&] { return !IsWindow(about); }));
    // Start-up is over: no Pictures folder fill for a followed folder, and no show yet.
    EXPECT_EQ(nullptr, lumora.FindShownWindow(L"SlideWnd"));
    const std::wstring first = Bmp(temp.Path() + L"\\first.bmp");
    EXPECT_TRUE(WaitUntil("the show started by the first picture", [&] { return lumora.FindShownWindow(L"SlideWnd") != nullptr; }, 10000));
    Exit(lumora);
    EXPECT_EQ(std::vector<std::wstring>{first}, StoredPhotos());
}

}  // namespace
