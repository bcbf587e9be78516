// Start-up of the application object with a large album: no thumbnail is
// made on the UI thread, the show starts at once, and the unusable photos
// leave the album in order as the workers find them.

#include <gtest/gtest.h>

#include "app/Wpp.h"
#include "tests/album/AlbumTest.h"
#include "tests/support/BmpFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"
#include "tests/album/ThumbnailKit.h"

namespace {

using Startup = AlbumTest;

TEST_F(Startup, ManyPhotosStartWithoutThumbnailsOnTheUiThread) {
    TempFolder temp;
    const std::wstring a = TempFolder::File(temp.Path() + L"\\a.bmp", BmpBytes(40, 30));
    const std::wstring b = TempFolder::File(temp.Path() + L"\\b.bmp", BmpBytes(30, 40));
    const std::wstring corrupt = TempFolder::File(temp.Path() + L"\\corrupt.jpg", "no picture");
    const std::wstring missing = temp.Path() + L"\\missing.jpg";
    const std::wstring cycle[] = {missing, a, corrupt, b};
    for (int i = 0; i < 2000; ++i) {
        wchar_t key[8];
        swprintf(key, 8, L"%04d", i);
        StorePhoto(L"Default", key, cycle[i % 4]);
    }
    // Not a first run: no autostart shortcut.
    WriteRaw(L"Software\\Arvendal\\Lumora\\Options\\Windows\\Main", L"x", REG_SZ, L"", 2);

    CMakerCount count;
    auto thumbnails = CThumbnails::Shared(count.Maker());
    CWpp app;
    app.SetInstance(GetModuleHandleW(nullptr));
    ASSERT_TRUE(app.Init());
    EXPECT_EQ(0, count.onUi->load());
    EXPECT_TRUE(app.IsShowRunning());
    // The missing first photo is skipped for the next usable one.
    ASSERT_TRUE(WaitUntil("the first usable photo", [&] { return !app.SlideWnd().Switching(); }));
    EXPECT_EQ(a, app.SlideWnd().CurrentPath().Str());

    ASSERT_TRUE(PumpUntilDone(*thumbnails));
    EXPECT_EQ(0, count.onUi->load());
    // The missing photo is looked at by the workers too, unless the show's
    // verdict on it came first.
    EXPECT_LE(count.made->load(), 4);
    ASSERT_EQ(1000u, app.Photos().size());
    for (size_t i = 0; i < app.Photos().size(); ++i)
        ASSERT_EQ(i % 2 ? b : a, app.Photos()[i]->GetPath().Str()) << i;
    EXPECT_EQ(0, app.CurrentIndex());
    app.Quit();
}

}  // namespace
