// The slide window and its strip on real windows: creation, placement,
// opacity, stepping, timers, pointer, drag and fullscreen.

#include <gtest/gtest.h>

#include "FakeAlbum.h"
#include "ShowTest.h"
#include "slideshow/Fader.h"
#include "slideshow/LayeredWindow.h"
#include "slideshow/Placement.h"
#include "slideshow/SlideWnd.h"

namespace {

// Fitted to 320 x 240: 320 x 240, 180 x 240 and 320 x 160.
struct Photos {
    TempFolder folder;
    std::wstring red = folder.Path() + L"\\red.bmp";
    std::wstring green = folder.Path() + L"\\grün фото.bmp";
    std::wstring blue = folder.Path() + L"\\blue.bmp";
    std::wstring broken = folder.Path() + L"\\broken.jpg";
    Photos()
    {
        WriteBmp(red, 400, 300, RGB(220, 30, 30));
        WriteBmp(green, 300, 400, RGB(30, 200, 30));
        WriteBmp(blue, 200, 100, RGB(30, 30, 220));
        HANDLE f = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n;
        WriteFile(f, "not a picture at all", 20, &n, nullptr);
        CloseHandle(f);
    }
};

const Photos& TestPhotos()
{
    static const Photos photos;
    return photos;
}

SlideRect RectOf(HWND hwnd) { return WindowRectOf(hwnd); }

bool HasExStyle(HWND hwnd, LONG_PTR bits)
{
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & bits) == bits;
}

class SlideWndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }

    void SetUp() override
    {
        const Photos& p = TestPhotos();
        album.paths = {p.red.c_str(), p.green.c_str(), p.blue.c_str()};
        album.settings.sizeX = 320;
        album.settings.sizeY = 240;
        album.settings.placementX = 2;
        album.settings.placementY = 2;
        album.settings.marginX = 30;
        album.settings.marginY = 20;
        show.SetAlbum(&album);
        area = WorkArea();
        MovePointer(area.right - 1, area.top);   // out of the way
        PumpPending();
    }
    void TearDown() override { show.Stop(); }

    // On the work area of the test display, 1280 x 800.
    void ExpectPlaced(int x, int y, int w, int h)
    {
        const SlideRect r = RectOf(show.Hwnd());
        EXPECT_EQ(x, r.left);
        EXPECT_EQ(y, r.top);
        EXPECT_EQ(w, r.right - r.left);
        EXPECT_EQ(h, r.bottom - r.top);
    }
    POINT CentreOf(HWND hwnd)
    {
        const SlideRect r = RectOf(hwnd);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    CFakeAlbum album;
    CSlideWnd show;
    SlideRect area{};
};

}  // namespace

TEST_F(SlideWndTest, StartMakesATopmostLayeredToolWindow)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND hwnd = show.Hwnd();
    wchar_t cls[64] = L"";
    GetClassNameW(hwnd, cls, 64);
    EXPECT_STREQ(L"SlideWnd", cls);
    EXPECT_TRUE(HasExStyle(hwnd, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    EXPECT_FALSE(HasExStyle(hwnd, WS_EX_TRANSPARENT));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | WS_VISIBLE),
              GetWindowLongPtrW(hwnd, GWL_STYLE) & (WS_POPUP | WS_VISIBLE | WS_CAPTION));
    ExpectPlaced(930, 540, 320, 240);
    EXPECT_EQ(204, GetWindowAlpha(hwnd));   // "SliderVis" 80
    EXPECT_EQ(0, album.index);
    EXPECT_EQ(320, show.CurrentImage().Width());
    EXPECT_TRUE(TimerRuns(hwnd, CSlideWnd::kSwitchTimer, 60000));
}

TEST_F(SlideWndTest, AlignmentCodesAndMarginsOnTheWorkArea)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    // Codes and margins, then where the 320 x 160 window goes.
    const int codes[][6] = {{0, 0, 30, 20, 30, 20}, {1, 1, 0, 0, 480, 320}, {2, 0, 12, 7, 948, 7},
                            {1, 2, -15, 40, 465, 600}};
    for (const auto& c : codes) {
        album.settings.placementX = c[0];
        album.settings.placementY = c[1];
        album.settings.marginX = c[2];
        album.settings.marginY = c[3];
        show.ShowPhoto(album.paths[2]);
        ASSERT_TRUE(Settled(show));
        ExpectPlaced(c[4], c[5], 320, 160);
    }
    album.settings.placementX = -1;   // never chosen: the screen origin
    show.ShowPhoto(album.paths[1]);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, RectOf(show.Hwnd()).left);
}

TEST_F(SlideWndTest, OpacityFromThePercentSettings)
{
    album.settings.sliderVis = 50;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(127, GetWindowAlpha(show.Hwnd()));
    album.settings.sliderVis = 100;
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_FALSE(HasExStyle(show.Hwnd(), WS_EX_LAYERED));
    EXPECT_EQ(255, GetWindowAlpha(show.Hwnd()));
}

TEST_F(SlideWndTest, SteppingWrapsAroundTheAlbum)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    album.index = 2;
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, album.index);
    EXPECT_EQ(album.paths[0], show.CurrentPath());
    show.Step(-1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    EXPECT_EQ(album.paths[2], show.CurrentPath());
    album.index = 0;
    show.Step(-7);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    album.index = 1;
    show.Step(+5);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, album.index);
    ExpectPlaced(930, 540, 320, 240);
}

// A photo on a sleeping share stays in the album; the show passes over it.
TEST_F(SlideWndTest, PhotosOutOfReachAreSkippedBothWays)
{
    album.offline = {0, 1};
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    EXPECT_EQ(album.paths[2], show.CurrentPath());
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    album.offline = {1};
    show.Step(-1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, album.index);
    show.Step(-1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    // Nothing in reach: the photo on screen stays, the timer goes on.
    album.offline = {0, 1, 2};
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    EXPECT_EQ(album.paths[2], show.CurrentPath());
}

TEST_F(SlideWndTest, StaleIndexIsBroughtIntoRangeAtStart)
{
    album.index = 9;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, album.index);
    EXPECT_EQ(album.paths[0], show.CurrentPath());
}

TEST_F(SlideWndTest, SwitchTimerStepsUnlessTimeoutIsZero)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND hwnd = show.Hwnd();
    SendMessageW(hwnd, WM_TIMER, CSlideWnd::kSwitchTimer, 0);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(1, album.index);
    EXPECT_TRUE(TimerRuns(hwnd, CSlideWnd::kSwitchTimer, 60000));
    album.settings.timeout = 0;
    SendMessageW(hwnd, WM_TIMER, CSlideWnd::kSwitchTimer, 0);
    ASSERT_TRUE(Settled(show));
    SendMessageW(hwnd, WM_TIMER, CSlideWnd::kSwitchTimer, 0);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(1, album.index);
    // The strip still moves the show.
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    EXPECT_TRUE(TimerRuns(hwnd, CSlideWnd::kSwitchTimer, 60000));
}

TEST_F(SlideWndTest, AlbumThatBecameEmptyLeavesTheTimerStopped)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    album.paths.clear();
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_TRUE(show.IsRunning());
    EXPECT_FALSE(TimerRuns(show.Hwnd(), CSlideWnd::kSwitchTimer, 60000));
}

TEST_F(SlideWndTest, EmptyAlbumDoesNotStart)
{
    album.paths.clear();
    EXPECT_FALSE(show.Start());
    EXPECT_FALSE(show.IsRunning());
    EXPECT_EQ(nullptr, FindWindowW(L"SlideWnd", nullptr));
}

TEST_F(SlideWndTest, StopDestroysWindowAndStrip)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND hwnd = show.Hwnd();
    HWND strip = show.Strip().Hwnd();
    ASSERT_TRUE(IsWindow(strip));
    // Not from the keyboard.
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    show.Stop();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(strip));
    EXPECT_FALSE(show.IsRunning());
}

// The show never waits on a photo that cannot be decoded: it is skipped,
// and the window keeps its photo, place and size meanwhile.
TEST_F(SlideWndTest, PhotoFailingToDecodeIsSkippedForTheNextUsableOne)
{
    album.paths = {TestPhotos().red.c_str(), TestPhotos().broken.c_str(), TestPhotos().blue.c_str(),
                   L"C:\\no\\such\\photo.jpg"};
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    EXPECT_FALSE(show.CurrentImage().Empty());
    EXPECT_TRUE(TimerRuns(show.Hwnd(), CSlideWnd::kSwitchTimer, 60000));
    ExpectPlaced(930, 620, 320, 160);
    show.Step(+1);   // missing file, then round to the first
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, album.index);
    ExpectPlaced(930, 540, 320, 240);
}

TEST_F(SlideWndTest, WhenNoPhotoDecodesTheWindowKeepsItsPhotoPlaceAndSize)
{
    album.paths = {TestPhotos().red.c_str(), TestPhotos().broken.c_str()};
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    RECT before;
    GetWindowRect(show.Hwnd(), &before);
    album.paths[0] = L"C:\\no\\such\\photo.jpg";   // deleted while on show
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    EXPECT_TRUE(show.IsRunning());
    EXPECT_FALSE(show.CurrentImage().Empty());
    RECT after;
    GetWindowRect(show.Hwnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(SlideWndTest, StripLiesOverTheLowerEdge)
{
    album.settings.thumbSize = 48;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND strip = show.Strip().Hwnd();
    wchar_t cls[64] = L"";
    GetClassNameW(strip, cls, 64);
    EXPECT_STREQ(L"DX_BandWnd", cls);
    EXPECT_TRUE(HasExStyle(strip, WS_EX_COMPOSITED | WS_EX_LAYERED | WS_EX_TOOLWINDOW));
    EXPECT_EQ(show.Hwnd(), GetWindow(strip, GW_OWNER));
    const SlideRect w = RectOf(show.Hwnd());
    const SlideRect s = RectOf(strip);
    EXPECT_EQ(320, s.right - s.left);
    EXPECT_EQ(48, s.bottom - s.top);
    EXPECT_EQ(w.bottom, s.bottom);
    EXPECT_EQ(w.right - 320, s.left);   // right aligned
    EXPECT_FALSE(IsWindowVisible(strip));   // pointer elsewhere

    album.settings.placementX = 1;
    show.Step(+1);   // 180 wide: the strip is centred and sticks out
    ASSERT_TRUE(Settled(show));
    const SlideRect w2 = RectOf(show.Hwnd());
    EXPECT_EQ(w2.left - 70, RectOf(strip).left);   // (320 - 180) / 2 each side
}

TEST_F(SlideWndTest, StripClickStepsByCellsWithAnimation)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND strip = show.Strip().Hwnd();
    album.index = 1;
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 30));   // centre cell
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(1, album.index);
    EXPECT_EQ(0, show.Strip().Slide().offset);

    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 30));   // one cell left
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(0, album.index);
    EXPECT_EQ(album.paths[0], show.CurrentPath());
    // The thumbnails slide after the photo, a cell to the right of where they come to rest.
    const int offset = show.Strip().Slide().offset;
    EXPECT_TRUE(offset < 0 && offset >= -64) << offset;
    EXPECT_TRUE(WaitUntil("the end of the strip's slide", [&] { return show.Strip().Slide().offset == 0; }));

    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 30));   // two right
    ASSERT_TRUE(Settled(show));
    EXPECT_EQ(2, album.index);
    EXPECT_GT(show.Strip().Slide().offset, 0);
}

TEST_F(SlideWndTest, CaptionBandDragsAndKeepsClicks)
{
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND hwnd = show.Hwnd();
    const SlideRect r = RectOf(hwnd);
    const LRESULT band = SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 50, r.top + 2));
    EXPECT_EQ(HTCAPTION, band);
    EXPECT_FALSE(show.PointerInside());
    EXPECT_FALSE(HasExStyle(hwnd, WS_EX_TRANSPARENT));
    const LRESULT body = SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 50, r.top + 120));
    EXPECT_EQ(HTCLIENT, body);
}

// Real pointer: SetCursorPos under Wine warps the X pointer; the motion
// reaches the window like any user's.
TEST_F(SlideWndTest, PointerEntersAndLeavesBothWindows)
{
    album.settings.placementX = 1;
    album.index = 1;   // 180 wide: the centred strip sticks out on both sides
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    HWND hwnd = show.Hwnd();
    HWND strip = show.Strip().Hwnd();
    const POINT c = CentreOf(hwnd);
    MovePointer(c.x, c.y);
    ASSERT_TRUE(WaitUntil("the pointer inside the show", [&] { return show.PointerInside(); }));
    EXPECT_TRUE(HasExStyle(hwnd, WS_EX_TRANSPARENT));
    EXPECT_TRUE(IsWindowVisible(strip));
    EXPECT_TRUE(WaitUntil("the end of both fades", [&] { return !IsFading(hwnd) && !IsFading(strip); }));
    EXPECT_EQ(127, GetWindowAlpha(hwnd));   // "SliderVisIn" 50
    EXPECT_EQ(255, GetWindowAlpha(strip));

    // Onto the strip beside the photo: still inside.
    const SlideRect w = RectOf(hwnd);
    const SlideRect s = RectOf(strip);
    ASSERT_LT(s.left, w.left);
    MovePointer(s.left + 5, s.bottom - 5);
    ASSERT_TRUE(WaitForTick(hwnd, CSlideWnd::kLeaveTimer, "the leave test with the pointer on the strip"));
    EXPECT_TRUE(show.PointerInside());

    MovePointer(area.right - 1, area.top);
    ASSERT_TRUE(WaitUntil("the pointer outside the show", [&] { return !show.PointerInside(); }));
    EXPECT_FALSE(HasExStyle(hwnd, WS_EX_TRANSPARENT));
    EXPECT_TRUE(WaitUntil("the end of both fades", [&] { return !IsFading(hwnd) && !IsFading(strip); }));
    EXPECT_EQ(204, GetWindowAlpha(hwnd));
    EXPECT_EQ(0, GetWindowAlpha(strip));
    EXPECT_TRUE(IsWindowVisible(strip));   // shown, fully transparent
}

// Faded out, the strip stays visible at alpha 0: redrawn then, it asks for
// no thumbnails; once it shows again it is drawn with them.
TEST_F(SlideWndTest, FadedOutStripAsksForNoThumbnails)
{
    ASSERT_TRUE(show.Start());
    HWND strip = show.Strip().Hwnd();
    ShowWindow(strip, SW_SHOWNA);
    SetWindowAlpha(strip, 0);
    PumpPending();
    album.thumbRequests = 0;
    RedrawWindow(strip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpPending();
    EXPECT_EQ(0, album.thumbRequests);
    SetWindowAlpha(strip, 25);
    EXPECT_TRUE(WaitUntil("thumbnails asked for by the strip fading in", [&] { return album.thumbRequests > 0; }));
}
