// Fullscreen verdicts, the pause reasons together and the battery saver's
// switching period.

#include <gtest/gtest.h>

#include "slideshow/ShowPause.h"

namespace {
const SlideRect kMonitor = {1920, 0, 3200, 1024};
const int kShellFree = 5, kShellBusy = 2, kShellDirect3D = 3, kShellPresenting = 4, kShellQuiet = 6;
}  // namespace

TEST(ShowPause, OnlyAWindowOverTheWholeMonitorIsFullscreen)
{
    EXPECT_TRUE(CoversMonitor({1920, 0, 3200, 1024}, kMonitor));
    EXPECT_TRUE(CoversMonitor({1912, -8, 3208, 1032}, kMonitor));   // a maximised window's hidden frame past the edges
    EXPECT_FALSE(CoversMonitor({1920, 30, 3200, 994}, kMonitor));   // the work area
    EXPECT_FALSE(CoversMonitor({1920, 0, 3199, 1024}, kMonitor));
    EXPECT_FALSE(CoversMonitor({0, 0, 1920, 1080}, kMonitor));      // the other monitor
    EXPECT_FALSE(CoversMonitor({0, 0, 0, 0}, {0, 0, 0, 0}));
}

TEST(ShowPause, ShellStateCountsOnTheFramesMonitorPresentationEverywhere)
{
    EXPECT_TRUE(FullscreenOverFrame(kShellFree, true, true));   // the shell was not told
    EXPECT_FALSE(FullscreenOverFrame(kShellFree, true, false));
    EXPECT_TRUE(FullscreenOverFrame(kShellBusy, true, false));
    EXPECT_TRUE(FullscreenOverFrame(kShellDirect3D, true, false));
    EXPECT_FALSE(FullscreenOverFrame(kShellBusy, false, false));   // fullscreen on the other monitor
    EXPECT_FALSE(FullscreenOverFrame(kShellDirect3D, false, false));
    EXPECT_TRUE(FullscreenOverFrame(kShellPresenting, false, false));
    EXPECT_FALSE(FullscreenOverFrame(kShellQuiet, true, false));
    EXPECT_FALSE(FullscreenOverFrame(0, false, false));   // no answer
}

TEST(ShowPause, PausedWhileAnyReasonHoldsAndReportsOnlyChanges)
{
    CShowPause pause;
    EXPECT_FALSE(pause.Paused());
    EXPECT_TRUE(pause.Set(CShowPause::kLocked, true));
    EXPECT_FALSE(pause.Set(CShowPause::kLocked, true));
    EXPECT_FALSE(pause.Set(CShowPause::kFullscreen, true));
    EXPECT_FALSE(pause.Set(CShowPause::kLocked, false));   // the fullscreen window is still up
    EXPECT_TRUE(pause.Paused());
    EXPECT_FALSE(pause.Has(CShowPause::kLocked));
    EXPECT_FALSE(pause.Set(CShowPause::kDisplayOff, false));
    EXPECT_TRUE(pause.Set(CShowPause::kFullscreen, false));
    EXPECT_FALSE(pause.Paused());
    pause.Set(CShowPause::kByHand, true);
    pause.Set(CShowPause::kSuspended, true);
    pause.Clear();
    EXPECT_FALSE(pause.Paused());
}

TEST(ShowPause, BatterySaverSwitchesAtMostEveryTenMinutes)
{
    EXPECT_EQ(600000u, SavingPeriodMs(60000));
    EXPECT_EQ(600000u, SavingPeriodMs(600000));
    EXPECT_EQ(900000u, SavingPeriodMs(900000));
}
