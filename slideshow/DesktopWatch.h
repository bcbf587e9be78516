#pragma once
// Keeps the frame out of the way and idle while nobody needs it: hidden under
// another program's fullscreen window on its monitor, stopped while the
// session is locked or disconnected, the display off or the system
// suspended, slowed on battery saver, and paused by hand for a while. It
// drives the slide window it watches for, through Pause and Resume only.
//
// A hidden window of its own receives the session and power messages; the
// foreground window is followed by WinEvent hooks (location changes only of
// the foreground window's thread), and polled once a second only while a
// fullscreen window stands over the frame, to see it end. Wine sends no
// foreground or location events across processes, only window creation: a
// new top-level window is looked at a few times in its first second.

#include <windows.h>

#include "slideshow/ShowPause.h"
#include "ui/Wnd.h"

class CSlideWnd;

class CDesktopWatch : public CWnd {
public:
    static const UINT_PTR kPollTimer = 1;
    static const UINT kPollMs = 1000;
    static const UINT_PTR kHandTimer = 2;
    static const UINT kHourMs = 60 * 60 * 1000;
    static const UINT_PTR kSettleTimer = 3;
    static const UINT kSettleMs = 250;
    static const int kSettleChecks = 4;

    explicit CDesktopWatch(CSlideWnd& show) : m_show(show) {}
    ~CDesktopWatch() override;

    // With the show: registers for the notifications and looks at the
    // foreground window once. False when the window cannot be made.
    bool Start();
    // Before the show stops; a hand pause ends with it.
    void Stop();

    // "Pause for 1 hour" and "Resume".
    void PauseByHand(bool on);
    bool PausedByHand() const { return m_pause.Has(CShowPause::kByHand); }
    // Tests shorten the hour.
    void SetHandPauseMs(UINT ms) { m_handPauseMs = ms; }
    bool Paused() const { return m_pause.Paused(); }
    bool Has(CShowPause::Reason reason) const { return m_pause.Has(reason); }

    // Looks at the foreground window against the frame's monitor.
    void CheckForeground();

    bool* ClassRegisteredFlag() override;
    const wchar_t* ClassName() const override { return L"LumoraDesktopWatch"; }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

private:
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object, LONG child,
                                    DWORD thread, DWORD time);
    bool FullscreenNow() const;
    // Location changes of the foreground window's thread only: every other
    // thread's moves (the pointer's among them) never wake this one.
    void FollowLocationOf(HWND foreground);
    void LookAtNewWindow();
    void SetReason(CShowPause::Reason reason, bool on);
    void OnSessionChange(WPARAM code);
    void OnPowerBroadcast(WPARAM code, LPARAM data);
    void Unregister();

    CSlideWnd& m_show;
    CShowPause m_pause;
    UINT m_handPauseMs = kHourMs;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    HWINEVENTHOOK m_locationHook = nullptr;
    HWINEVENTHOOK m_createHook = nullptr;
    int m_settleChecks = 0;
    DWORD m_locationThread = 0;
    HPOWERNOTIFY m_displayNotify = nullptr;
    HPOWERNOTIFY m_savingNotify = nullptr;
    bool m_sessionNotify = false;
};
