// The desktop watch on the slide window: session, display and power
// notifications (sent in-process: Wine never sends them), battery saver,
// the pause by hand, and the frame kept out of screen capture.

#include <gtest/gtest.h>

#include <vector>

#include "WatchedShow.h"
#include "slideshow/Fader.h"
#include "slideshow/LayeredWindow.h"
#include "slideshow/Placement.h"

namespace {

const GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID kPowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

class DesktopWatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const SlideRect area = WorkArea();
        MovePointer(area.left, area.top);   // out of the way
        ASSERT_TRUE(frame.Start());
        placed = WindowRectOf(show.Hwnd());
    }

    void SendPowerSetting(const GUID& setting, DWORD value)
    {
        std::vector<BYTE> data(sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD));
        auto* s = reinterpret_cast<POWERBROADCAST_SETTING*>(data.data());
        s->PowerSetting = setting;
        s->DataLength = sizeof(DWORD);
        CopyMemory(s->Data, &value, sizeof(value));
        SendMessageW(watch.Hwnd(), WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(s));
    }
    bool Shown() const { return frame.Shown(); }
    bool Switching() const { return TimerRuns(show.Hwnd(), CSlideWnd::kSwitchTimer, 60000); }
    // Away and back, as Windows tells it.
    void ExpectStoppedUntilBack(const char* what, const std::function<void()>& away,
                                const std::function<void()>& back)
    {
        away();
        EXPECT_FALSE(Shown()) << what;
        EXPECT_FALSE(Switching()) << what;
        EXPECT_FALSE(IsFading(show.Hwnd())) << what;
        back();
        EXPECT_TRUE(Shown()) << what;
        EXPECT_TRUE(Switching()) << what;
        EXPECT_TRUE(WindowRectOf(show.Hwnd()) == placed) << what;
    }

    CWatchedShow frame;
    CSlideWnd& show = frame.show;
    CDesktopWatch& watch = frame.watch;
    CFakeAlbum& album = frame.album;
    SlideRect placed{};
};

}  // namespace

TEST_F(DesktopWatchTest, LockDisplayOffAndSuspendStopEverythingUntilBack)
{
    const HWND w = watch.Hwnd();
    ExpectStoppedUntilBack(
        "lock", [&] { SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0); },
        [&] { SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0); });
    ExpectStoppedUntilBack(
        "remote disconnect", [&] { SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, 0); },
        [&] { SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, 0); });
    ExpectStoppedUntilBack(
        "display off", [&] { SendPowerSetting(kConsoleDisplayState, 0); },
        [&] { SendPowerSetting(kConsoleDisplayState, 1); });
    ExpectStoppedUntilBack(
        "suspend", [&] { SendMessageW(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0); },
        [&] { SendMessageW(w, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0); });

    // Unlocked with the display still off: nobody looks yet.
    SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    SendPowerSetting(kConsoleDisplayState, 0);
    SendMessageW(w, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_FALSE(Shown());
    SendPowerSetting(kConsoleDisplayState, 2);   // dimmed is seen
    EXPECT_TRUE(Shown());
}

TEST_F(DesktopWatchTest, ResumePlacesTheFrameAgainWithTheSamePhoto)
{
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    placed = WindowRectOf(show.Hwnd());
    SendMessageW(watch.Hwnd(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    // The monitors changed while the system slept: the frame stands elsewhere.
    SetWindowPos(show.Hwnd(), nullptr, 3, 4, 50, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(show.Hwnd(), WM_DISPLAYCHANGE, 32, 0);
    SendMessageW(watch.Hwnd(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    ASSERT_TRUE(Settled(show));
    EXPECT_TRUE(WindowRectOf(show.Hwnd()) == placed);
    EXPECT_EQ(frame.blue, show.CurrentPath().Str());
    EXPECT_EQ(1, album.index);
    EXPECT_FALSE(TimerRuns(show.Hwnd(), CSlideWnd::kReplaceTimer, 100)) << "placed again after the resume";
}

TEST_F(DesktopWatchTest, BatterySaverSkipsFadesUntilItEnds)
{
    SendPowerSetting(kPowerSavingStatus, 1);
    EXPECT_TRUE(Switching());
    SendMessageW(show.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 40));
    EXPECT_FALSE(IsFading(show.Hwnd()));
    EXPECT_EQ(127, GetWindowAlpha(show.Hwnd()));   // "SliderVisIn" 50 at once
    show.OnMouseLeave();
    EXPECT_EQ(204, GetWindowAlpha(show.Hwnd()));

    SendPowerSetting(kPowerSavingStatus, 0);
    SendMessageW(show.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 40));
    EXPECT_TRUE(IsFading(show.Hwnd()));
}

TEST_F(DesktopWatchTest, PauseByHandHidesAtOnceUntilItsTimeOrResume)
{
    watch.SetHandPauseMs(300);
    watch.PauseByHand(true);
    EXPECT_TRUE(watch.PausedByHand());
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(Switching());
    ASSERT_TRUE(WaitUntil("the frame back when the pause ended", [&] { return Shown(); }));
    EXPECT_FALSE(watch.PausedByHand());
    EXPECT_TRUE(Switching());

    watch.SetHandPauseMs(CDesktopWatch::kHourMs);
    watch.PauseByHand(true);
    SendMessageW(watch.Hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    SendMessageW(watch.Hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_FALSE(Shown()) << "the unlock ended the pause by hand";
    watch.PauseByHand(false);
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(TimerRuns(watch.Hwnd(), CDesktopWatch::kHandTimer, 1000));
}

// Wine refuses display affinity (as Windows before 10 version 2004 refuses
// the exclusion): then the windows keep none, never WDA_MONITOR's black box.
TEST_F(DesktopWatchTest, FrameAndStripAreKeptOutOfCaptureWhereOffered)
{
    HWND probe = MakePlainWindow(0, WS_POPUP, 0, 0, 10, 10, RGB(0, 0, 0));
    const bool offered = SetWindowDisplayAffinity(probe, WDA_EXCLUDEFROMCAPTURE) != FALSE;
    DestroyWindow(probe);
    const HWND windows[] = {show.Hwnd(), show.Strip().Hwnd()};
    for (HWND hwnd : windows) {
        DWORD affinity = 99;
        ASSERT_TRUE(GetWindowDisplayAffinity(hwnd, &affinity));
        EXPECT_EQ(offered ? static_cast<DWORD>(WDA_EXCLUDEFROMCAPTURE) : static_cast<DWORD>(WDA_NONE), affinity);
    }
    album.settings.hideFromCapture = false;
    show.Step(+1);
    ASSERT_TRUE(Settled(show));
    for (HWND hwnd : windows) {
        DWORD affinity = 99;
        ASSERT_TRUE(GetWindowDisplayAffinity(hwnd, &affinity));
        EXPECT_EQ(static_cast<DWORD>(WDA_NONE), affinity);
    }
}
