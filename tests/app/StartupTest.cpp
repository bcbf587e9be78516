// Start-up of the application object with a large album: no thumbnail is
// made on the UI thread, the show starts at once, and the unusable photos
// leave the album in order as the workers find them.

#include <gtest/gtest.h>

#include "dialogs/Wpp.h"
#include "tests/album/AlbumTest.h"
#include "tests/support/BmpFile.h"
#include "tests/album/ThumbnailKit.h"
#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"

namespace {

class Startup : public AlbumTest {
protected:
    // Placed already: a start changes no setting of the album. The first
    // `files` photos are there.
    static void StorePhotos(const TempFolder& temp, int count, int files) {
        StoreText(kProfiles, L"Profile", L"Default");
        StoreText(kSlides, L"PlacementX", L"1");
        StoreText(kSlides, L"PlacementY", L"1");
        const std::string bmp = BmpBytes(40, 30);
        for (int i = 0; i < count; ++i) {
            wchar_t key[8];
            swprintf(key, 8, L"%04d", i);
            const std::wstring path = temp.Path() + L"\\" + key + L".bmp";
            if (i < files) TempFolder::File(path, bmp);
            StorePhoto(L"Default", key, path);
        }
        WriteRaw(L"Software\\Arvendal\\Lumora\\Options\\Windows\\Main", L"x", REG_SZ, L"", 2);
    }
};

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
    ASSERT_TRUE(WaitUntil("the stored list", [&] { return !app.PhotoListPending(); }));
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

// The window and the show come before the stored list; an exit before the
// list arrived leaves the stored album exactly as it was.
TEST_F(Startup, ExitWhileTheListIsReadLeavesTheAlbumAsStored) {
    TempFolder temp;
    StorePhotos(temp, 3000, 1);
    const std::vector<std::wstring> before = ProfilesSnapshot();
    {
        CWpp app;
        app.SetInstance(GetModuleHandleW(nullptr));
        ASSERT_TRUE(app.Init());
        // Nothing was pumped: the worker's list is not in the album yet.
        EXPECT_TRUE(app.PhotoListPending());
        EXPECT_EQ(1u, app.Photos().size());
        EXPECT_TRUE(app.IsShowRunning());
        app.Quit();
    }
    PumpPending();
    EXPECT_EQ(before, ProfilesSnapshot());
}

// A shuffled album begins with the photo its round left on screen, read
// ahead; the list arrives around that very entry.
TEST_F(Startup, ListArrivesAroundThePhotoReadAhead) {
    TempFolder temp;
    StorePhotos(temp, 300, 300);
    StoreText(kSlides, L"Shuffle", L"1");
    StoreText(kSlides, L"ShuffleSeed", L"77");
    StoreText(kSlides, L"ShufflePos", L"123");
    CWpp app;
    app.SetInstance(GetModuleHandleW(nullptr));
    ASSERT_TRUE(app.Init());
    ASSERT_EQ(1u, app.Photos().size());
    const CSlide* ahead = app.Photos()[0];
    EXPECT_EQ(L"0123.bmp", ahead->GetPath().Str().substr(ahead->GetPath().Length() - 8));
    ASSERT_TRUE(WaitUntil("the stored list", [&] { return !app.PhotoListPending(); }));
    ASSERT_EQ(300u, app.Photos().size());
    EXPECT_EQ(ahead, app.Photos()[123]);
    EXPECT_EQ(123, app.CurrentIndex());
    app.Quit();
}

}  // namespace
