// Fades on real layered windows, tick by tick through the message loop.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "ShowTest.h"
#include "slideshow/Fader.h"
#include "slideshow/LayeredWindow.h"

namespace {

class FadeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = MakePlainWindow(WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 20, 20, 80, 80, RGB(200, 0, 0));
        b = MakePlainWindow(WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 120, 20, 80, 80, RGB(0, 200, 0));
        ASSERT_TRUE(a && b);
        SetWindowAlpha(a, 100);
        SetWindowAlpha(b, 100);
    }
    void TearDown() override
    {
        StopFade(a);
        StopFade(b);
        DestroyWindow(a);
        DestroyWindow(b);
    }

    // Dispatches fade ticks (thread timers: no window) until `ticks` of them
    // passed or no fade is left, and records the alpha of each window that was
    // fading: after every tick, or only when it changed while two fade at once.
    void RunTicks(int ticks, bool changesOnly = false)
    {
        for (int n = 0; n < ticks && (IsFading(a) || IsFading(b));) {
            MSG msg;
            ASSERT_TRUE(NextMessage(msg, WM_TIMER, WM_TIMER, "the next fade tick"));
            const bool fadingA = IsFading(a);
            const bool fadingB = IsFading(b);
            DispatchMessageW(&msg);
            if (msg.hwnd)
                continue;
            ++n;
            Record(a, fadingA, changesOnly);
            Record(b, fadingB, changesOnly);
        }
    }
    void Record(HWND w, bool wasFading, bool changesOnly)
    {
        const int alpha = GetWindowAlpha(w);
        std::vector<int>& list = seen[w];
        if (wasFading && (!changesOnly || alpha != (list.empty() ? before[w] : list.back())))
            list.push_back(alpha);
    }

    HWND a = nullptr;
    HWND b = nullptr;
    std::map<HWND, int> before;
    std::map<HWND, std::vector<int>> seen;
};

}  // namespace

TEST_F(FadeTest, AppliesEveryStepAndEndsOnTheTarget)
{
    FadeWindow(a, 0, 255, 25, 30);
    EXPECT_TRUE(IsFading(a));
    RunTicks(100);
    EXPECT_FALSE(IsFading(a));
    EXPECT_EQ((std::vector<int>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}), seen[a]);
    // 255 leaves constant-alpha mode altogether.
    EXPECT_EQ(0, GetWindowLongPtrW(a, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(FadeTest, StartMinusOneBeginsAtThePresentAlpha)
{
    FadeWindow(a, -1, 60, 20, 30);
    RunTicks(100);
    EXPECT_EQ((std::vector<int>{100, 80, 60}), seen[a]);
    EXPECT_EQ(60, GetWindowAlpha(a));
    EXPECT_NE(0, GetWindowLongPtrW(a, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(FadeTest, RetargetingContinuesFromTheReachedAlpha)
{
    FadeWindow(a, 0, 255, 25, 30);
    RunTicks(4);   // applied 0, 25, 50, 75
    ASSERT_EQ((std::vector<int>{0, 25, 50, 75}), seen[a]);
    FadeWindow(a, 255, 0, 25, 30);   // the given start is ignored
    RunTicks(100);
    EXPECT_EQ((std::vector<int>{0, 25, 50, 75, 100, 75, 50, 25, 0}), seen[a]);
}

TEST_F(FadeTest, TwoWindowsFadeAtOnce)
{
    before[a] = before[b] = GetWindowAlpha(a);
    FadeWindow(a, 0, 100, 25, 30);
    FadeWindow(b, 200, 100, 50, 30);
    RunTicks(100, true);
    EXPECT_EQ((std::vector<int>{0, 25, 50, 75, 100}), seen[a]);
    EXPECT_EQ((std::vector<int>{200, 150, 100}), seen[b]);
}

TEST_F(FadeTest, StoppedOrDestroyedWindowsLeaveTheList)
{
    FadeWindow(a, 0, 255, 25, 30);
    StopFade(a);
    EXPECT_FALSE(IsFading(a));
    FadeWindow(b, 0, 255, 25, 30);
    DestroyWindow(b);
    RunTicks(3);
    EXPECT_FALSE(IsFading(b));
}

TEST(WindowAlpha, ReadsBackAndOpaqueMeansNotLayered)
{
    HWND w = MakePlainWindow(WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, 20, 20, 50, 50, RGB(0, 0, 200));
    EXPECT_EQ(255, GetWindowAlpha(w));   // never layered
    EXPECT_TRUE(SetWindowAlpha(w, 204));
    EXPECT_NE(0, GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(204, GetWindowAlpha(w));
    SetWindowAlpha(w, 255);
    EXPECT_EQ(0, GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(255, GetWindowAlpha(w));
    DestroyWindow(w);
    // A dead handle answers opaque and does not spoil later reads.
    EXPECT_EQ(255, GetWindowAlpha(w));
    HWND v = MakePlainWindow(WS_EX_LAYERED, WS_POPUP | WS_VISIBLE, 20, 20, 50, 50, RGB(0, 0, 200));
    SetWindowAlpha(v, 127);
    EXPECT_EQ(127, GetWindowAlpha(v));
    DestroyWindow(v);
}
