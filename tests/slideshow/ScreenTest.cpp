// The show seen from outside: a real drag with the X pointer (xdotool) and
// fullscreen presentation checked on a screenshot of the X display.

#include <gtest/gtest.h>

#include <string>

#include "FakeAlbum.h"
#include "ShowTest.h"
#include "tests/support/BmpFile.h"
#include "tests/headers/ExifBuilder.h"
#include "slideshow/Placement.h"
#include "slideshow/SlideWnd.h"

namespace {

// A phone's portrait photo as the camera stores it: 400 x 300 with the sky
// (blue) on the left and the ground (dark green) on the right, EXIF
// orientation 6. Made by ImageMagick, the EXIF block put in here.
bool WriteSidewaysPortrait(const std::wstring& path)
{
    const TempFolder work(L"Z:\\tmp\\", L"lumora_portrait_");
    const std::wstring made = unixside::UnixPath(work.Path()) + L"/sideways";
    unixside::Start(L"/bin/sh", L"-c \"convert -size 200x300 xc:#2040E0 -size 200x300 xc:#106010 +append -quality 95 " +
            made + L".tmp.jpg && mv " + made + L".tmp.jpg " + made + L".jpg\"");
    std::string jpeg;
    const bool madeOk = WaitUntil("the sideways portrait from ImageMagick", [&] {
        HANDLE f = CreateFileW((work.Path() + L"\\sideways.jpg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE)
            return false;
        jpeg.resize(GetFileSize(f, nullptr));
        DWORD got = 0;
        ReadFile(f, &jpeg[0], static_cast<DWORD>(jpeg.size()), &got, nullptr);
        CloseHandle(f);
        return got > 0 && got == jpeg.size();
    }, 20000);
    if (!madeOk)
        return false;
    const std::string photo = exifmake::WithExif(jpeg, {false, 6, ""});
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, photo.data(), static_cast<DWORD>(photo.size()), &written, nullptr);
    CloseHandle(f);
    return written == photo.size();
}

class ScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }
    void SetUp() override
    {
        photos = {folder.Path() + L"\\red.bmp", folder.Path() + L"\\blue.bmp"};
        WriteBmp(photos[0], 400, 300, RGB(230, 20, 20));
        WriteBmp(photos[1], 300, 200, RGB(20, 20, 230));
        album.paths = {photos[0].c_str(), photos[1].c_str()};
        album.settings.sizeX = 320;
        album.settings.sizeY = 240;
        show.SetAlbum(&album);
        area = WorkArea();
        MovePointer(area.right - 1, area.top);
        // A green desktop to see through the frame.
        backdrop = MakePlainWindow(0, WS_POPUP | WS_VISIBLE, area.left, area.top, area.right - area.left,
                                   area.bottom - area.top, RGB(0, 160, 0));
        PumpPending();
    }
    void TearDown() override
    {
        show.Stop();
        DestroyWindow(backdrop);
    }

    TempFolder folder;
    std::vector<std::wstring> photos;
    CFakeAlbum album;
    CSlideWnd show;
    SlideRect area{};
    HWND backdrop = nullptr;
};

}  // namespace

TEST_F(ScreenTest, NormalShowAndStrip)
{
    album.settings.placementX = 2;
    album.settings.placementY = 2;
    album.thumbColours = {0xFFE61414u, 0xFF1414E6u};
    ASSERT_TRUE(show.Start());
    CBmp shot;
    ASSERT_TRUE(Screenshot(show, L"show-normal", shot));
    const SlideRect r = WindowRectOf(show.Hwnd());
    // The photo where it was placed (without a compositor the constant
    // alpha does not show on the X display).
    const Rgb inside = At(shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_GT(inside.r, 150);
    EXPECT_LT(inside.g, 100);
    EXPECT_GT(At(shot, r.left, r.bottom - 1).r, 150);
    EXPECT_EQ(160, At(shot, r.left - 1, r.bottom - 1).g);
    const Rgb outside = At(shot, r.left - 20, r.top + 20);
    EXPECT_EQ(160, outside.g);

    MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(WaitUntil("the pointer inside the show", [&] { return show.PointerInside(); }));
    ASSERT_TRUE(Screenshot(show, L"show-strip", shot));
    EXPECT_TRUE(IsWindowVisible(show.Strip().Hwnd()));
    // Over the photo's lower edge: the current (red) thumbnail in the middle,
    // the blue one a thumbnail further on either side, a dark band above.
    const SlideRect strip = WindowRectOf(show.Strip().Hwnd());
    const int midX = (strip.left + strip.right) / 2, midY = (strip.top + strip.bottom) / 2;
    const int pitch = strip.bottom - strip.top;
    const Rgb current = At(shot, midX, midY);
    EXPECT_TRUE(current.r > 150 && current.b < 100) << current.r << "," << current.g << "," << current.b;
    for (const int x : {midX - pitch, midX + pitch}) {
        const Rgb other = At(shot, x, midY);
        EXPECT_TRUE(other.b > 150 && other.r < 100) << x << ": " << other.r << "," << other.g << "," << other.b;
    }
    const Rgb band = At(shot, strip.left + 10, strip.top + 3);
    EXPECT_TRUE(band.r < 60 && band.g < 60 && band.b < 60) << band.r << "," << band.g << "," << band.b;
}

TEST_F(ScreenTest, DragIntoTheRightAndLowerThirds)
{
    album.settings.placementX = 0;
    album.settings.placementY = 0;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    const SlideRect r = WindowRectOf(show.Hwnd());
    const int grabX = r.left + 100;
    const int grabY = r.top + 4;   // in the top band
    const int toX = area.left + (area.right - area.left) * 3 / 4;
    const int toY = area.top + (area.bottom - area.top) * 5 / 6;
    ASSERT_TRUE(DragPointer(grabX, grabY, toX, toY));
    ASSERT_TRUE(WaitUntil("the drop in the right third", [&] { return album.settings.placementX == 2; }));
    const SlideRect dropped = WindowRectOf(show.Hwnd());
    EXPECT_GT(dropped.left, r.left + 300);
    EXPECT_EQ(2, album.settings.placementX);
    EXPECT_EQ(2, album.settings.placementY);
    EXPECT_EQ(area.right - dropped.right, album.settings.marginX);
    EXPECT_EQ(area.bottom - dropped.bottom, album.settings.marginY);

    // The next photo keeps the dropped window's right and bottom edges.
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    const SlideRect next = WindowRectOf(show.Hwnd());
    EXPECT_EQ(dropped.right, next.right);
    EXPECT_EQ(dropped.bottom, next.bottom);
    EXPECT_EQ(320 * 200 / 300, next.bottom - next.top);
}

TEST_F(ScreenTest, FullscreenCoversTheWorkAreaAndFadesDownTheMiddle)
{
    album.settings.maximized = true;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    EXPECT_TRUE(show.IsFullScreen());
    const SlideRect r = WindowRectOf(show.Hwnd());
    EXPECT_TRUE(r == area);
    EXPECT_NE(0, GetWindowLongPtrW(show.Hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(area.right - area.left, show.CurrentImage().Width());
    CBmp shot;
    ASSERT_TRUE(Screenshot(show, L"show-fullscreen", shot));
    const int midY = (area.top + area.bottom) / 2;
    const Rgb left = At(shot, area.left + 1, midY);
    const Rgb right = At(shot, area.right - 2, midY);
    const Rgb middle = At(shot, (area.left + area.right) / 2, midY);
    EXPECT_GT(left.r, 100) << left.r << "," << left.g << "," << left.b;
    EXPECT_GT(right.r, 100) << right.r << "," << right.g << "," << right.b;
    // The green window below shows through the middle. Xvfb has no
    // compositor: partly transparent pixels come out premultiplied (darker),
    // only the fully transparent band lets the window below through.
    EXPECT_EQ(0, middle.r) << middle.r << "," << middle.g << "," << middle.b;
    EXPECT_EQ(160, middle.g) << middle.r << "," << middle.g << "," << middle.b;
    const Rgb quarter = At(shot, area.left + (area.right - area.left) / 4, midY);
    EXPECT_GT(quarter.r, middle.r);
    EXPECT_LT(quarter.r, left.r);
}

TEST_F(ScreenTest, PortraitPhotoStoredSidewaysStandsUpright)
{
    const std::wstring portrait = folder.Path() + L"\\portrait.jpg";
    ASSERT_TRUE(WriteSidewaysPortrait(portrait));
    album.paths = {portrait.c_str(), photos[1].c_str()};
    album.thumbColours = {CFakeAlbum::kThumbFromFile, 0xFF1414E6u};
    album.settings.placementX = 1;
    album.settings.placementY = 1;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    const SlideRect r = WindowRectOf(show.Hwnd());
    EXPECT_EQ(180, r.right - r.left);  // 300 x 400 upright, fitted to 320 x 240
    EXPECT_EQ(240, r.bottom - r.top);
    CBmp shot;
    ASSERT_TRUE(Screenshot(show, L"show-portrait", shot));
    const Rgb sky = At(shot, (r.left + r.right) / 2, r.top + 40);
    const Rgb ground = At(shot, (r.left + r.right) / 2, r.bottom - 40);
    EXPECT_GT(sky.b, 150) << sky.r << "," << sky.g << "," << sky.b;
    EXPECT_LT(ground.b, 60) << ground.r << "," << ground.g << "," << ground.b;

    MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(WaitUntil("the pointer inside the frame", [&] { return show.PointerInside(); }));
    ASSERT_TRUE(Screenshot(show, L"show-portrait-strip", shot));
    const CBmp* thumb = album.Thumbnail(0);
    ASSERT_NE(nullptr, thumb);
    EXPECT_EQ(48, thumb->Width());
    EXPECT_EQ(64, thumb->Height());
    EXPECT_GT(thumb->Pixel(24, 4) & 0xFF, 150u);  // sky on top
}

// Two 12-MP photos: the switch shows the whole of the next one, nothing of
// the one before and no part left undrawn.
TEST_F(ScreenTest, SwitchBetweenTwoPhonePhotosShowsTheWholeNextOne)
{
    const std::wstring red = folder.Path() + L"\\red12.bmp", blue = folder.Path() + L"\\blue12.bmp";
    ASSERT_TRUE(WriteBmp(red, 4032, 3024, RGB(230, 20, 20)));
    ASSERT_TRUE(WriteBmp(blue, 4032, 3024, RGB(20, 20, 230)));
    album.paths = {red.c_str(), blue.c_str()};
    album.settings.sizeX = 640;
    album.settings.sizeY = 480;
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(Settled(show));
    ASSERT_TRUE(WaitUntil("the next photo decoded", [&] { return show.NextReady(); }));
    SendMessageW(show.Hwnd(), WM_TIMER, CSlideWnd::kSwitchTimer, 0);
    EXPECT_FALSE(show.Switching());
    CBmp shot;
    ASSERT_TRUE(Screenshot(show, L"show-switch-12mp", shot));
    const SlideRect r = WindowRectOf(show.Hwnd());
    EXPECT_EQ(640, r.right - r.left);
    EXPECT_EQ(480, r.bottom - r.top);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const int x = r.left + 2 + (r.right - r.left - 4) * i / 4, y = r.top + 2 + (r.bottom - r.top - 4) * j / 4;
            const Rgb p = At(shot, x, y);
            EXPECT_TRUE(p.b > 150 && p.r < 100) << x << "," << y << ": " << p.r << "," << p.g << "," << p.b;
        }
}
