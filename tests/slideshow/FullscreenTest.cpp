// The frame under another program's fullscreen window, on the desktop of two
// monitors (tools/dual-display-run), whose work areas are smaller than the
// monitors: the primary 1920x1080 with a 40-pixel bar at the bottom.

#include <gtest/gtest.h>

#include <string>

#include "WatchedShow.h"
#include "picture/Bmp.h"
#include "slideshow/Placement.h"

namespace {

// test_cover_window, next to this program: another process's window.
class CCover {
public:
    ~CCover()
    {
        if (!m_process.hProcess)
            return;
        TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    ::testing::AssertionResult Open(int x, int y, int w, int h)
    {
        wchar_t exe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring line = exe;
        line = L"\"" + line.substr(0, line.find_last_of(L'\\') + 1) + L"test_cover_window.exe\" " +
               std::to_wstring(x) + L" " + std::to_wstring(y) + L" " + std::to_wstring(w) + L" " + std::to_wstring(h);
        STARTUPINFOW start = {};
        start.cb = sizeof(start);
        if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &m_process))
            return ::testing::AssertionFailure() << "test_cover_window did not start";
        return WaitUntil("the cover window", [&] {
            m_hwnd = FindWindowW(L"LumoraTestCover", nullptr);
            return m_hwnd && IsWindowVisible(m_hwnd);
        });
    }
    ::testing::AssertionResult Close()
    {
        PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        return WaitUntil("the end of the cover window's program",
                         [&] { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; });
    }
    HWND Hwnd() const { return m_hwnd; }

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_hwnd = nullptr;
};

class FullscreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE((MonitorNamed(L"\\\\.\\DISPLAY1").work == SlideRect{0, 0, 1920, 1040}))
            << "the work area of tools/dual-display-run is missing";
        MovePointer(10, 10);
        backdrop = MakePlainWindow(0, WS_POPUP | WS_VISIBLE, 0, 0, 3200, 1080, RGB(0, 120, 0));
        ASSERT_TRUE(frame.Start());
    }
    void TearDown() override { DestroyWindow(backdrop); }
    bool FrameShown() const { return frame.Shown(); }
    // Pixel of the screen in the middle of where the frame stands.
    Rgb FrameCentre(const wchar_t* shotName)
    {
        const SlideRect r = WindowRectOf(show.Hwnd());
        CBmp shot;
        if (!Screenshot(show, shotName, shot))
            return {-1, -1, -1};
        return At(shot, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    CWatchedShow frame;
    CSlideWnd& show = frame.show;
    CDesktopWatch& watch = frame.watch;
    CFakeAlbum& album = frame.album;
    HWND backdrop = nullptr;
    CCover cover;
};

}  // namespace

TEST_F(FullscreenTest, AWindowOverTheWholeMonitorHidesTheFrameUntilItEnds)
{
    ASSERT_TRUE(FrameShown());
    const tstr photo = show.CurrentPath();
    ASSERT_TRUE(cover.Open(0, 0, 1920, 1080));
    ASSERT_TRUE(WaitUntil("the frame hidden under the fullscreen window", [&] { return !FrameShown(); }, 1000));
    EXPECT_FALSE(TimerRuns(show.Hwnd(), CSlideWnd::kSwitchTimer, 60000));
    const Rgb covered = FrameCentre(L"fullscreen-over-frame");
    EXPECT_EQ(40, covered.g) << "the cover window is not over the frame's place";

    // Its photo gone meanwhile, the frame cannot fit it again and shows what it holds,
    // at its opacity (80 %), not as the pause's fade left it.
    ASSERT_TRUE(DeleteFileW(frame.red.c_str()));
    ASSERT_TRUE(cover.Close());
    BYTE alpha = 0;
    ASSERT_TRUE(WaitUntil("the frame back after the fullscreen window", [&] {
        return FrameShown() && GetLayeredWindowAttributes(show.Hwnd(), nullptr, &alpha, nullptr);
    }));
    EXPECT_EQ(204, alpha);
    EXPECT_EQ(photo.Str(), show.CurrentPath().Str());
    EXPECT_EQ(0, album.index);
    EXPECT_TRUE(TimerRuns(show.Hwnd(), CSlideWnd::kSwitchTimer, 60000));
    // The screen is not looked at again: Wine puts a layered window shown
    // again on the X display only now and then.
}

TEST_F(FullscreenTest, AMaximisedWindowOrOneOnTheOtherMonitorLeavesTheFrame)
{
    const struct {
        int x, y, w, h;
    } covers[] = {{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
    for (const auto& c : covers) {
        CCover other;
        ASSERT_TRUE(other.Open(c.x, c.y, c.w, c.h));
        ASSERT_TRUE(WaitUntil("the cover window in the foreground", [&] { return GetForegroundWindow() == other.Hwnd(); }));
        ASSERT_TRUE(WaitForTick(watch.Hwnd(), CDesktopWatch::kSettleTimer, "the watch's look at the cover window"));
        EXPECT_TRUE(FrameShown()) << "covering " << c.x << "," << c.y << " " << c.w << "x" << c.h;
        EXPECT_FALSE(show.IsPaused());
        EXPECT_TRUE(other.Close());
    }
}
