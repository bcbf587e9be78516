// An album stored for a monitor that is not attached, on the ordinary
// one-monitor test display: it is shown on the primary and keeps its monitor.

#include <gtest/gtest.h>

#include <memory>

#include "ShowTest.h"
#include "slideshow/AlbumSlides.h"
#include "slideshow/Placement.h"
#include "slideshow/SlideWnd.h"
#include "tests/album/AlbumTest.h"

namespace {

class MissingMonitor : public AlbumTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }
    void TearDown() override
    {
        show.Stop();
        AlbumTest::TearDown();
    }

    TempFolder photos;
    CSlideWnd show;
};

TEST_F(MissingMonitor, StoredMonitorNotAttachedPlacesOnThePrimaryAndIsKept)
{
    const std::wstring slides = AlbumPath(L"Trips", L"Slides");
    const std::wstring red = photos.Path() + L"\\red.bmp";
    ASSERT_TRUE(WriteBmp(red, 400, 300, RGB(230, 20, 20)));
    StorePhoto(L"Trips", L"0000", red);
    StoreText(slides, L"SizeX", L"320");
    StoreText(slides, L"SizeY", L"240");
    StoreText(slides, L"Monitor", L"\\\\.\\DISPLAY9");
    StoreText(slides, L"PlacementX", L"2");
    StoreText(slides, L"PlacementY", L"2");

    std::unique_ptr<CWppProfile> album = OpenAlbum(L"Trips");
    CAlbumSlides albumSlides(*album, nullptr);
    show.SetAlbum(&albumSlides);
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    // The lower right corner of the 1280 x 800 test display, 30 x 20 inside.
    const SlideRect frame = WindowRectOf(show.Hwnd());
    EXPECT_EQ(1280 - 30, frame.right);
    EXPECT_EQ(800 - 20, frame.bottom);
    show.Stop();
    ASSERT_TRUE(album->Save());
    EXPECT_EQ(L"\\\\.\\DISPLAY9", ReadText(slides, L"Monitor"));
}

}  // namespace
