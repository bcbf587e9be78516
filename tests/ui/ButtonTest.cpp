#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "tests/ui/DibSurface.h"
#include "tests/ui/TestWnd.h"
#include "ui/ButtonFaces.h"
#include "ui/ButtonWnd.h"

namespace {

constexpr int kId = 1000;
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kYellow = 0xFFFFFF00,
                   kMagenta = 0xFFFF00FF;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SetLeftButton(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Stands in for the system's keyboard cues, which Wine does not keep: the
// button asks WM_QUERYUISTATE, and gets this answer.
LRESULT g_uiState = 0;
LRESULT CALLBACK CuesProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_QUERYUISTATE) return g_uiState;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

class ButtonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(RegisterWindowClassOf<CTestWnd>());
        ASSERT_TRUE(CButtonWnd::Register());
    }
    void SetUp() override {
        // Far from the pointer, which Xvfb keeps at the screen's centre or corner.
        ASSERT_TRUE(parent.Create(0, WS_POPUP | WS_VISIBLE, 300, 500, 200, 150, nullptr, nullptr));
        // Made the way a dialog template makes it: through the class factory.
        const HWND hwnd = CreateWindowExW(0, L"DX_ButtonWnd", L"", WS_CHILD | WS_VISIBLE, 10, 10,
                                          100, 80, parent.Hwnd(),
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)),
                                          ProgramModule(), nullptr);
        button = dynamic_cast<CButtonWnd*>(CWnd::FromHandle(hwnd));
        ASSERT_NE(button, nullptr);
        button->Image().Create(20, 20);
        button->Image().Fill(kRed);
    }
    void TearDown() override { SetLeftButton(false); }

    void AddFaces(bool hot) {
        CBmp& image = button->Image();
        for (int k = 0; k < 3; ++k) image.AddLayer();
        image.AddCopyToLayer(0)->Fill(kGreen);
        if (hot) image.AddCopyToLayer(1)->Fill(kYellow);
        image.AddCopyToLayer(2)->Fill(kMagenta);
    }
    uint32_t DrawnAt(POINT pointer, POINT sample = POINT{5, 5}) {
        CTestDib dib(100, 80);
        dib.Fill(0x0000FF);
        const RECT client{0, 0, 100, 80};
        button->DrawState(dib.Dc(), client, pointer);
        return dib.Pixel(sample.x, sample.y);
    }

    CTestWnd parent;
    CButtonWnd* button = nullptr;
};

TEST_F(ButtonTest, ReleaseInsideClicksAndReleaseOutsideSendsNoCommand) {
    const HWND hwnd = button->Hwnd();
    EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(-5, 90));
    Pump();
    EXPECT_EQ(parent.lastCommand, 0u);
    EXPECT_NE(GetCapture(), hwnd);

    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(99, 79));
    Pump();
    EXPECT_EQ(parent.lastCommand, static_cast<WPARAM>(kId));
}

TEST_F(ButtonTest, DriftIsZeroAtTheCentreAndClampedToEightFrom32PixelsOff) {
    const HWND hwnd = button->Hwnd();
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 40));
    EXPECT_TRUE(button->Tracking());
    EXPECT_EQ(button->DriftX(), 0);
    EXPECT_EQ(button->DriftY(), 0);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(82, 8));
    EXPECT_EQ(button->DriftX(), 8);
    EXPECT_EQ(button->DriftY(), -8);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(81, 71));
    EXPECT_EQ(button->DriftX(), 7);
    EXPECT_EQ(button->DriftY(), 7);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(-300, 400));
    EXPECT_EQ(button->DriftX(), -8);
    EXPECT_EQ(button->DriftY(), 8);
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->Tracking());
}

TEST_F(ButtonTest, HoverTimerScrollsTheNormalFaceOnlyWhenOffCentre) {
    AddFaces(true);
    CBmp* piece = button->Image().GetLayer(0)[0].get();
    piece->SetPixel(0, 0, kMagenta);
    const HWND hwnd = button->Hwnd();
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 40));
    SendMessageW(hwnd, WM_TIMER, CButtonWnd::kHoverTimer, 0);
    EXPECT_EQ(piece->Pixel(0, 0), kMagenta) << "still at the centre";
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(90, 40));
    SendMessageW(hwnd, WM_TIMER, CButtonWnd::kHoverTimer, 0);
    EXPECT_NE(piece->Pixel(0, 0), kMagenta);
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
}

TEST_F(ButtonTest, ButtonWithoutLayersDrawsThePlainImage) {
    CTestDib dib(100, 80);
    dib.Fill(0x0000FF);
    SendMessageW(button->Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
    EXPECT_EQ(dib.Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(19, 19), 0xFF0000u);
    EXPECT_EQ(dib.Pixel(20, 20), 0x0000FFu) << "the parent's look stays around it";
    EXPECT_EQ(DrawnAt(POINT{5, 5}), 0xFF0000u) << "hovering changes nothing without faces";
}

TEST_F(ButtonTest, StatesDrawTheirFacesAndFallBackWhenAFaceIsMissing) {
    AddFaces(true);
    EXPECT_EQ(DrawnAt(POINT{-1, 5}), 0x00FF00u);
    EXPECT_EQ(DrawnAt(POINT{5, 5}), 0xFFFF00u);
    SetLeftButton(true);
    EXPECT_EQ(DrawnAt(POINT{5, 5}), 0xFF00FFu);
    EXPECT_EQ(DrawnAt(POINT{100, 5}), 0x00FF00u) << "held outside: normal";

    button->Reset();
    button->Image().Create(20, 20);
    AddFaces(false);
    EXPECT_EQ(DrawnAt(POINT{5, 5}), 0x00FF00u) << "no hot face: the normal look";
}

TEST_F(ButtonTest, FactoryButtonIsDeletedWithItsWindow) {
    const HWND hwnd = button->Hwnd();
    EXPECT_TRUE(button->MadeByFactory());
    DestroyWindow(hwnd);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
}

TEST(ButtonFaces, FacesGetTheirPiecesAndOffsetsEvenWhenResourcesAreMissing) {
    CBmp empty;
    EXPECT_FALSE(ComposeButtonFaces(empty, 31998, 31999));

    CBmp image;
    ASSERT_TRUE(image.Create(96, 96));
    image.Fill(0xC0808080);
    ASSERT_TRUE(ComposeButtonFaces(image, 31998, 31999));
    ASSERT_EQ(image.LayerCount(), 3);
    EXPECT_EQ(image.GetLayer(0).size(), 2u);
    EXPECT_EQ(image.GetLayer(1).size(), 4u);
    EXPECT_EQ(image.GetLayer(2).size(), 4u);

    const CBmp& hotShadow = *image.GetLayer(1)[0];
    EXPECT_EQ(hotShadow.Width(), 102);
    EXPECT_EQ(hotShadow.offsetX, 7);
    EXPECT_EQ(hotShadow.offsetY, 5);
    EXPECT_EQ(image.GetLayer(1)[1]->offsetY, 12);
    const CBmp& pressedShadow = *image.GetLayer(2)[0];
    EXPECT_EQ(pressedShadow.offsetX, -1);
    EXPECT_EQ(pressedShadow.offsetY, -2);
    EXPECT_EQ(pressedShadow.Pixel(40, 40) & 0xFFFFFF, 0u) << "flattened to black";
    EXPECT_EQ(image.GetLayer(2)[1]->Pixel(40, 40) & 0xFFFFFF, 0xFFFFFFu) << "flattened to white";
    EXPECT_EQ(image.Width(), 96) << "the base itself stays";
}

TEST_F(ButtonTest, ComposedFacesDrawInEveryState) {
    CBmp& image = button->Image();
    image.Create(96, 96);
    image.Fill(0xFF808080);
    ASSERT_TRUE(ComposeButtonFaces(image, 31998, 31999));
    const POINT inside{50, 40};
    const uint32_t hot = DrawnAt(inside, POINT{20, 20});
    EXPECT_NE(hot, 0x0000FFu) << "hot: the shadow darkens the background";
    SetLeftButton(true);
    const uint32_t pressed = DrawnAt(inside, POINT{20, 20});
    EXPECT_NE(pressed, 0x0000FFu);
    EXPECT_NE(pressed, hot) << "pressed has a face of its own";
}

TEST_F(ButtonTest, SpaceClicksAndTheFocusRectangleFollowsTheKeyboardCues) {
    const HWND hwnd = button->Hwnd();
    SetFocus(hwnd);
    ASSERT_EQ(GetFocus(), hwnd);
    SendMessageW(hwnd, WM_KEYUP, VK_SPACE, 0);
    Pump();
    EXPECT_EQ(parent.lastCommand, 0u) << "a release without its press";
    SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(hwnd, WM_KEYUP, VK_SPACE, 0);
    Pump();
    EXPECT_EQ(parent.lastCommand, static_cast<WPARAM>(kId));

    auto focusDrawn = [&] {
        CTestDib dib(100, 80);
        dib.Fill(0x0000FF);
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.Dc()), PRF_CLIENT);
        for (int x = 30; x < 40; ++x)
            if (dib.Pixel(x, 2) != 0x0000FFu) return true;
        return false;
    };
    ASSERT_TRUE(SetWindowSubclass(hwnd, CuesProc, 1, 0));
    g_uiState = UISF_HIDEFOCUS;
    EXPECT_FALSE(focusDrawn()) << "keyboard cues off";
    g_uiState = 0;
    EXPECT_TRUE(focusDrawn()) << "keyboard cues on";
    SetFocus(parent.Hwnd());
    EXPECT_FALSE(focusDrawn()) << "without the focus";
    RemoveWindowSubclass(hwnd, CuesProc, 1);
}

}  // namespace
