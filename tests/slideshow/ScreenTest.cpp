// The show seen from outside: a real drag with the X pointer (xdotool) and
// fullscreen presentation checked on a screenshot of the X display.

#include <gtest/gtest.h>

#include <string>

#include "FakeAlbum.h"
#include "ShowTest.h"
#include "picture/Picture.h"
#include "tests/headers/ExifBuilder.h"
#include "slideshow/Placement.h"
#include "slideshow/SlideWnd.h"

namespace {

// Starts a Linux program of the test machine (Wine runs ELF binaries; it
// does not wait for them).
bool RunUnix(const std::wstring& commandLine)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// Screenshot of the whole X display: a PNG to look at, and a BMP to check.
// The windows keep being served while it is taken.
bool Screenshot(const std::wstring& name, CBmp& out)
{
    wchar_t display[64] = L"";
    GetEnvironmentVariableW(L"DISPLAY", display, 64);
    const std::wstring dir = TestFolder(L"lumora-shots");
    const std::wstring shot = L"/tmp/lumora-shots/" + name;
    DeleteFileW((dir + name + L".bmp").c_str());
    RunUnix(L"Z:\\bin\\sh -c \"import -window root -display " + std::wstring(display) + L" " + shot +
            L".png && convert " + shot + L".png BMP3:" + shot + L".tmp && mv " + shot + L".tmp " + shot + L".bmp\"");
    return PumpUntil([&] { return LoadPhotoFile((dir + name + L".bmp").c_str(), out); }, 20000);
}

// A phone's portrait photo as the camera stores it: 400 x 300 with the sky
// (blue) on the left and the ground (dark green) on the right, EXIF
// orientation 6. Made by ImageMagick, the EXIF block put in here.
bool WriteSidewaysPortrait(const std::wstring& path)
{
    const std::wstring made = L"/tmp/lumora-shots/sideways";
    const std::wstring dir = TestFolder(L"lumora-shots");
    DeleteFileW((dir + L"sideways.jpg").c_str());
    RunUnix(L"Z:\\bin\\sh -c \"convert -size 200x300 xc:#2040E0 -size 200x300 xc:#106010 +append -quality 95 " +
            made + L".tmp.jpg && mv " + made + L".tmp.jpg " + made + L".jpg\"");
    std::string jpeg;
    PumpUntil(
        [&] {
            HANDLE f = CreateFileW((dir + L"sideways.jpg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            if (f == INVALID_HANDLE_VALUE)
                return false;
            jpeg.resize(GetFileSize(f, nullptr));
            DWORD got = 0;
            ReadFile(f, &jpeg[0], static_cast<DWORD>(jpeg.size()), &got, nullptr);
            CloseHandle(f);
            return got > 0 && got == jpeg.size();
        },
        20000);
    if (jpeg.empty())
        return false;
    const std::string photo = exifmake::WithExif(jpeg, {false, 6, ""});
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, photo.data(), static_cast<DWORD>(photo.size()), &written, nullptr);
    CloseHandle(f);
    return written == photo.size();
}

struct Rgb {
    int r, g, b;
};
Rgb At(const CBmp& shot, int x, int y)
{
    const uint32_t p = shot.Pixel(x, y);
    return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF)};
}

class ScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }
    void SetUp() override
    {
        // The shots go where the Linux side can find them too.
        SetEnvironmentVariableW(L"TMP", L"Z:\\tmp");
        SetEnvironmentVariableW(L"TEMP", L"Z:\\tmp");
        const std::wstring folder = TestFolder(L"lumora-show-screen");
        photos = {folder + L"red.bmp", folder + L"blue.bmp"};
        WriteSolidBmp(photos[0], 400, 300, RGB(230, 20, 20));
        WriteSolidBmp(photos[1], 300, 200, RGB(20, 20, 230));
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
    void Settle() { PumpUntil([] { return false; }, 600); }

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
    Settle();
    CBmp shot;
    ASSERT_TRUE(Screenshot(L"show-normal", shot));
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
    ASSERT_TRUE(PumpUntil([&] { return show.PointerInside(); }));
    Settle();
    ASSERT_TRUE(Screenshot(L"show-strip", shot));
    EXPECT_TRUE(IsWindowVisible(show.Strip().Hwnd()));
}

TEST_F(ScreenTest, DragIntoTheRightAndLowerThirds)
{
    album.settings.placementX = 0;
    album.settings.placementY = 0;
    ASSERT_TRUE(show.Start());
    const SlideRect r = WindowRectOf(show.Hwnd());
    const int grabX = r.left + 100;
    const int grabY = r.top + 4;   // in the top band
    const int toX = area.left + (area.right - area.left) * 3 / 4;
    const int toY = area.top + (area.bottom - area.top) * 5 / 6;
    ASSERT_TRUE(RunUnix(L"Z:\\usr\\bin\\xdotool mousemove " + std::to_wstring(grabX) + L" " +
                            std::to_wstring(grabY) + L" sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
                            std::to_wstring(grabX + 40) + L" " + std::to_wstring(grabY + 30) +
                            L" sleep 0.2 mousemove " + std::to_wstring(toX) + L" " + std::to_wstring(toY) +
                            L" sleep 0.3 mouseup 1"));
    ASSERT_TRUE(PumpUntil([&] { return album.settings.placementX == 2; }, 15000));
    const SlideRect dropped = WindowRectOf(show.Hwnd());
    EXPECT_GT(dropped.left, r.left + 300);
    EXPECT_EQ(2, album.settings.placementX);
    EXPECT_EQ(2, album.settings.placementY);
    EXPECT_EQ(area.right - dropped.right, album.settings.marginX);
    EXPECT_EQ(area.bottom - dropped.bottom, album.settings.marginY);

    // The next photo keeps the dropped window's right and bottom edges.
    show.Step(+1);
    const SlideRect next = WindowRectOf(show.Hwnd());
    EXPECT_EQ(dropped.right, next.right);
    EXPECT_EQ(dropped.bottom, next.bottom);
    EXPECT_EQ(320 * 200 / 300, next.bottom - next.top);
}

TEST_F(ScreenTest, FullscreenCoversTheWorkAreaAndFadesDownTheMiddle)
{
    album.settings.maximized = true;
    ASSERT_TRUE(show.Start());
    EXPECT_TRUE(show.IsFullScreen());
    const SlideRect r = WindowRectOf(show.Hwnd());
    EXPECT_TRUE(r == area);
    EXPECT_NE(0, GetWindowLongPtrW(show.Hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(area.right - area.left, show.CurrentImage().Width());
    Settle();
    CBmp shot;
    ASSERT_TRUE(Screenshot(L"show-fullscreen", shot));
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
    const std::wstring portrait = TestFolder(L"lumora-show-screen") + L"portrait.jpg";
    ASSERT_TRUE(WriteSidewaysPortrait(portrait));
    album.paths = {portrait.c_str(), photos[1].c_str()};
    album.thumbColours = {CFakeAlbum::kThumbFromFile, 0xFF1414E6u};
    album.settings.placementX = 1;
    album.settings.placementY = 1;
    ASSERT_TRUE(show.Start());
    const SlideRect r = WindowRectOf(show.Hwnd());
    EXPECT_EQ(180, r.right - r.left);  // 300 x 400 upright, fitted to 320 x 240
    EXPECT_EQ(240, r.bottom - r.top);
    Settle();
    CBmp shot;
    ASSERT_TRUE(Screenshot(L"show-portrait", shot));
    const Rgb sky = At(shot, (r.left + r.right) / 2, r.top + 40);
    const Rgb ground = At(shot, (r.left + r.right) / 2, r.bottom - 40);
    EXPECT_GT(sky.b, 150) << sky.r << "," << sky.g << "," << sky.b;
    EXPECT_LT(ground.b, 60) << ground.r << "," << ground.g << "," << ground.b;

    MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return show.PointerInside(); }));
    Settle();
    ASSERT_TRUE(Screenshot(L"show-portrait-strip", shot));
    const CBmp* thumb = album.Thumbnail(0);
    ASSERT_NE(nullptr, thumb);
    EXPECT_EQ(48, thumb->Width());
    EXPECT_EQ(64, thumb->Height());
    EXPECT_GT(thumb->Pixel(24, 4) & 0xFF, 150u);  // sky on top
}
