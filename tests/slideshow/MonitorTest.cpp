// The frame on a desktop of two monitors (tools/dual-display-run: a
// 1920x1080 primary with a 40-pixel bar at the bottom, a 1280x1024 monitor to
// its right with 30-pixel bars above and below): dragged there with the real
// pointer, stored, started again, fullscreen there, and placed again when the
// display changes.

#include <gtest/gtest.h>

#include <memory>

#include "ShowTest.h"
#include "picture/Bmp.h"
#include "slideshow/AlbumSlides.h"
#include "slideshow/Placement.h"
#include "slideshow/SlideWnd.h"
#include "tests/album/AlbumTest.h"

namespace {

const wchar_t kSecond[] = L"\\\\.\\DISPLAY2";
const std::wstring kAlbumSlides = AlbumPath(L"Trips", L"Slides");

bool operator!=(const SlideRect& a, const SlideRect& b) { return !(a == b); }

class MonitorTest : public AlbumTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }

    void SetUp() override
    {
        AlbumTest::SetUp();
        primary = MonitorNamed(L"\\\\.\\DISPLAY1");
        second = MonitorNamed(kSecond);
        ASSERT_TRUE((second.bounds == SlideRect{1920, 0, 3200, 1024}))
            << "the second monitor of tools/dual-display-run is missing";
        ASSERT_TRUE((second.work == SlideRect{1920, 30, 3200, 994}));
        ASSERT_TRUE((primary.work == SlideRect{0, 0, 1920, 1040}));

        const std::wstring folder = photos.Path() + L"\\";
        WriteBmp(folder + L"red.bmp", 400, 300, RGB(230, 20, 20));
        WriteBmp(folder + L"blue.bmp", 300, 200, RGB(20, 20, 230));
        StorePhoto(L"Trips", L"0000", folder + L"red.bmp");
        StorePhoto(L"Trips", L"0001", folder + L"blue.bmp");
        StoreText(kAlbumSlides, L"SizeX", L"320");
        StoreText(kAlbumSlides, L"SizeY", L"240");

        MovePointer(10, 1070);
        // A green desktop over both monitors to see the frame against.
        backdrop = MakePlainWindow(0, WS_POPUP | WS_VISIBLE, 0, 0, 3200, 1080, RGB(0, 160, 0));
        PumpPending();
    }
    void TearDown() override
    {
        show.Stop();
        DestroyWindow(backdrop);
        AlbumTest::TearDown();
    }

    // As the program does at start: the stored album, shown.
    void StartShow()
    {
        show.Stop();
        album = OpenAlbum(L"Trips");
        slides = std::make_unique<CAlbumSlides>(*album, nullptr);
        show.SetAlbum(slides.get());
        ASSERT_TRUE(show.Start());
        ASSERT_TRUE(Settled(show));
    }
    SlideRect Frame() const { return WindowRectOf(show.Hwnd()); }
    // The album placed in the right and bottom corner of `monitor`, shown.
    SlideRect StartInCorner(const wchar_t* monitor)
    {
        StoreText(kAlbumSlides, L"Monitor", monitor);
        StoreText(kAlbumSlides, L"PlacementX", L"2");
        StoreText(kAlbumSlides, L"PlacementY", L"2");
        StartShow();
        return Frame();
    }

    TempFolder photos;
    SlideMonitor primary, second;
    std::unique_ptr<CWppProfile> album;
    std::unique_ptr<CAlbumSlides> slides;
    CSlideWnd show;
    HWND backdrop = nullptr;
};

TEST_F(MonitorTest, DroppedOnTheSecondMonitorTheFrameStaysThere)
{
    StoreText(kAlbumSlides, L"PlacementX", L"0");
    StoreText(kAlbumSlides, L"PlacementY", L"0");
    StartShow();
    const SlideRect start = Frame();
    EXPECT_EQ(30, start.left);
    EXPECT_EQ(20, start.top);

    // Into the right third and the lower third of the second monitor.
    ASSERT_TRUE(DragPointer(start.left + 100, start.top + 4, 2880, 700));
    ASSERT_TRUE(WaitUntil("the drop on the second monitor", [&] { return album->Monitor().GetValue().Str() == kSecond; }));
    const SlideRect dropped = Frame();
    EXPECT_GT(dropped.left, 1920);
    EXPECT_EQ(2ul, album->PlacementX().GetValue());
    EXPECT_EQ(2ul, album->PlacementY().GetValue());
    EXPECT_EQ(static_cast<unsigned long>(3200 - dropped.right), album->MarginX().GetValue());
    EXPECT_EQ(static_cast<unsigned long>(994 - dropped.bottom), album->MarginY().GetValue());

    show.Step(+1);   // 320 x 213: the right and bottom edges stay

    ASSERT_TRUE(Settled(show));
    const SlideRect next = Frame();
    EXPECT_EQ(dropped.right, next.right);
    EXPECT_EQ(dropped.bottom, next.bottom);
    EXPECT_EQ(213, next.bottom - next.top);

    ASSERT_TRUE(album->Save());
    EXPECT_EQ(kSecond, ReadText(kAlbumSlides, L"Monitor"));
    StartShow();
    EXPECT_TRUE(Frame() == dropped);

    CBmp shot;
    ASSERT_TRUE(Screenshot(show, L"dual-frame-on-second", shot));
    const Rgb photo = At(shot, (dropped.left + dropped.right) / 2, (dropped.top + dropped.bottom) / 2);
    EXPECT_GT(photo.r, 150);
    EXPECT_EQ(160, At(shot, 30 + 100, 20 + 100).g);   // gone from the primary
}

TEST_F(MonitorTest, FullscreenOnTheSecondMonitorCoversExactlyItsWorkArea)
{
    // Monitor names match in any letter case.
    EXPECT_TRUE(MonitorNamed(L"\\\\.\\display2").bounds == second.bounds);
    StoreText(kAlbumSlides, L"Monitor", kSecond);
    StoreText(kAlbumSlides, L"Maximized", L"1");
    StartShow();
    EXPECT_TRUE(Frame() == second.work);
    EXPECT_EQ(1280, show.CurrentImage().Width());
    EXPECT_EQ(964, show.CurrentImage().Height());

    CBmp shot;
    ASSERT_TRUE(Screenshot(show, L"dual-fullscreen-second", shot));
    EXPECT_GT(At(shot, 1921, 500).r, 100);                   // opaque left edge
    EXPECT_GT(At(shot, 3198, 500).r, 100);                   // and right edge
    EXPECT_EQ(160, At(shot, 2560, 500).g);                   // clear down the middle
    EXPECT_EQ(160, At(shot, 1921, 10).g);                    // not over the top bar
    EXPECT_EQ(160, At(shot, 1900, 500).g);                   // nor the primary
}

// The system moves windows about when the display changes; the frame goes
// back to its place at once, and a pointer over it stays over it.
TEST_F(MonitorTest, DisplayChangesPlaceTheFrameAgainAtOnce)
{
    const SlideRect placed = StartInCorner(kSecond);
    EXPECT_EQ(3200 - 30, placed.right);
    EXPECT_EQ(994 - 20, placed.bottom);
    MovePointer((placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2);
    ASSERT_TRUE(WaitUntil("the pointer inside the frame", [&] { return show.PointerInside(); }));

    RECT suggested{0, 0, 640, 480};
    const struct {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool broadcast;
    } changes[] = {{WM_DISPLAYCHANGE, 32, MAKELPARAM(3200, 1080), true},
                   {WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, true},
                   {WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested), false}};
    for (const auto& change : changes) {
        SetWindowPos(show.Hwnd(), nullptr, placed.left - 15, placed.top - 15, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(Frame() != placed);
        // As the system sends them: to every top-level window, waiting.
        DWORD_PTR answer = 0;
        if (change.broadcast)
            SendMessageTimeoutW(HWND_BROADCAST, change.msg, change.wParam, change.lParam, SMTO_ABORTIFHUNG, 2000,
                                &answer);
        else
            SendMessageW(show.Hwnd(), change.msg, change.wParam, change.lParam);
        EXPECT_TRUE(WaitUntil("the frame placed again", [&] { return Frame() == placed; }, 1000)) << change.msg;
        EXPECT_TRUE(show.PointerInside());
        EXPECT_NE(0, GetWindowLongPtrW(show.Hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    }
}

}  // namespace
