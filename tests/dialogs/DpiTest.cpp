// The program's own chrome at the DPI of the Wine prefix it runs in (96 in
// the ordinary run; tools/dpi-run starts it at 192 with LUMORA_TEST_DPI set),
// the photo kept in physical pixels, and the DPI-change handlers.

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>

#include "dialogs/ItemPicture.h"
#include "res/artwork.h"
#include "res/dialogs.h"
#include "slideshow/SlideWnd.h"
#include "tests/dialogs/MainWindowTest.h"
#include "tests/slideshow/FakeAlbum.h"
#include "tests/slideshow/ShowTest.h"
#include "ui/ButtonWnd.h"
#include "ui/Dpi.h"

namespace {

const int kButtonIds[] = {IDC_MAIN_START, IDC_MAIN_SETTINGS, IDC_MAIN_WEB_SITE, IDC_MAIN_ABOUT};

SIZE ClientSize(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return {rc.right, rc.bottom};
}

// The prefixes run at 96 and 192 DPI, and a DPI change doubles it: sizes
// designed for 96 are multiplied by a whole factor.
int Factor(int dpi) {
    EXPECT_EQ(0, dpi % 96) << dpi;
    return dpi / 96;
}

SIZE WindowSize(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

class MainWindowDpi : public MainWindowTest {
protected:
    CButtonWnd* Button(int id) const {
        return dynamic_cast<CButtonWnd*>(CWnd::FromHandle(GetDlgItem(m_main, id)));
    }
};

}  // namespace

TEST(Dpi, PrefixRunsAtTheDpiItWasMadeFor) {
    wchar_t wanted[16] = L"";
    const int dpi = GetEnvironmentVariableW(L"LUMORA_TEST_DPI", wanted, 16) ? _wtoi(wanted) : kDesignDpi;
    EXPECT_EQ(dpi, SystemDpi());
}

// The 96-pixel artwork is drawn at the size the DPI needs, inside its
// button, and the button window grows with the dialog's font.
TEST_F(MainWindowDpi, ButtonFacesAndWindowsScaleWithTheDpi) {
    const int dpi = SystemDpi();
    const int k = Factor(dpi);
    for (int id : kButtonIds) {
        SCOPED_TRACE(id);
        CButtonWnd* button = Button(id);
        ASSERT_NE(nullptr, button);
        const CBmp& face = button->Image();
        EXPECT_EQ(96 * k, face.Width());
        EXPECT_EQ(96 * k, face.Height());
        const CBmp& hot = *face.GetLayer(1).back();
        EXPECT_EQ(104 * k, hot.Width());
        const SIZE client = ClientSize(button->Hwnd());
        EXPECT_GE(client.cx, face.Width());
        EXPECT_GE(client.cy, face.Height());
    }
    const HICON small = reinterpret_cast<HICON>(SendMessageW(m_main, WM_GETICON, ICON_SMALL, 0));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(small, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(SystemMetricForDpi(SM_CXSMICON, dpi), bitmap.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// Wine sends no WM_DPICHANGED when a window crosses monitors: the message is
// sent as Windows would, with the rectangle it suggests.
TEST_F(MainWindowDpi, DpiChangeTakesTheSuggestedRectangleAndRedrawsTheFaces) {
    const int dpi = 2 * SystemDpi();
    RECT suggested{};
    GetWindowRect(m_main, &suggested);
    OffsetRect(&suggested, 20, 10);
    suggested.right += suggested.right - suggested.left;
    suggested.bottom += suggested.bottom - suggested.top;
    SendMessageW(m_main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(m_main, &now);
    EXPECT_TRUE(EqualRect(&suggested, &now));
    EXPECT_EQ(96 * Factor(dpi), Button(IDC_MAIN_START)->Image().Width());
    // The status bar still spans the new width along the bottom.
    RECT bar{};
    GetWindowRect(m_app->MainDlg().StatusBar(), &bar);
    EXPECT_EQ(ClientSize(m_main).cx, bar.right - bar.left);
}

namespace {

class SlideDpi : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CSlideWnd::RegisterClasses()); }
    void SetUp() override {
        photo = folder.Path() + L"\\photo.bmp";
        ASSERT_TRUE(WriteBmp(photo, 400, 300, RGB(200, 120, 40)));
        album.paths = {photo.c_str(), photo.c_str()};
        // Photos are fitted to this box, enlarged too: the photo's own size.
        album.settings.sizeX = 400;
        album.settings.sizeY = 300;
        album.settings.placementX = 1;
        album.settings.placementY = 1;
        show.SetAlbum(&album);
        MovePointer(0, 0);
        PumpPending();
    }
    void TearDown() override { show.Stop(); }

    TempFolder folder;
    std::wstring photo;
    CFakeAlbum album;
    CSlideWnd show;
};

}  // namespace

// The photo is shown pixel for pixel at any DPI; the strip's cells follow it.
TEST_F(SlideDpi, PhotoInPhysicalPixelsStripCellsScaled) {
    const int dpi = SystemDpi();
    const int k = Factor(dpi);
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(WaitUntil("the first photo", [&] { return !show.Switching(); }));
    EXPECT_EQ(400, WindowSize(show.Hwnd()).cx);
    EXPECT_EQ(300, WindowSize(show.Hwnd()).cy);
    EXPECT_EQ(400, show.CurrentImage().Width());
    HWND strip = show.Strip().Hwnd();
    EXPECT_EQ(64 * k, show.Strip().CellSize());
    EXPECT_EQ(320 * k, WindowSize(strip).cx);
    EXPECT_EQ(64 * k, WindowSize(strip).cy);

    // Moved to a monitor of twice the DPI: the photo keeps its pixels, the
    // strip doubles and still lies over the photo's lower edge.
    const int twice = 2 * dpi;
    RECT doubled{0, 0, 800, 600};
    SendMessageW(show.Hwnd(), WM_DPICHANGED, MAKEWPARAM(twice, twice), reinterpret_cast<LPARAM>(&doubled));
    RECT stripRect{};
    GetWindowRect(strip, &stripRect);
    SendMessageW(strip, WM_DPICHANGED, MAKEWPARAM(twice, twice), reinterpret_cast<LPARAM>(&stripRect));
    ASSERT_TRUE(WaitForTick(show.Hwnd(), CSlideWnd::kReplaceTimer, "the placement after the DPI change"));
    ASSERT_TRUE(WaitUntil("the photo fitted again", [&] { return !show.Switching(); }));
    EXPECT_EQ(400, WindowSize(show.Hwnd()).cx);
    EXPECT_EQ(300, WindowSize(show.Hwnd()).cy);
    EXPECT_EQ(128 * k, WindowSize(strip).cy);
    EXPECT_EQ(640 * k, WindowSize(strip).cx);
    RECT slide{};
    GetWindowRect(show.Hwnd(), &slide);
    GetWindowRect(strip, &stripRect);
    EXPECT_EQ(slide.bottom, stripRect.bottom);

    // A new show opens its strip at the DPI of where it opens.
    show.Stop();
    ASSERT_TRUE(show.Start());
    ASSERT_TRUE(WaitUntil("the first photo", [&] { return !show.Switching(); }));
    EXPECT_EQ(64 * k, WindowSize(show.Strip().Hwnd()).cy);
}

// A page picture's badge grows with the DPI like the picture it sits on.
TEST(ItemPictureDpi, BadgeCoversTheCornerItsDpiNeeds) {
    const CBmp plain = MakeItemPicture(IDB_ART_122, 64);
    auto changedInside = [&](const CBmp& badged, int from, int to) {
        int changed = 0;
        for (int y = from; y < to; ++y)
            for (int x = from; x < to; ++x) changed += badged.Pixel(x, y) != plain.Pixel(x, y);
        return changed;
    };
    const CBmp at96 = MakeItemPicture(IDB_ART_122, 64, IDB_ART_123);
    const CBmp at192 = MakeItemPicture(IDB_ART_122, 64, IDB_ART_123, 192);
    EXPECT_GT(changedInside(at96, 48, 64), 0);
    EXPECT_EQ(0, changedInside(at96, 32, 48));
    EXPECT_GT(changedInside(at192, 32, 48), 0);
}
