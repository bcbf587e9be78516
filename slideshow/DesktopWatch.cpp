#include "slideshow/DesktopWatch.h"

#include <shellapi.h>
#include <wtsapi32.h>

#include "slideshow/SlideWnd.h"

namespace {
bool s_registered = false;
// The hooks carry no context; one watch runs at a time.
CDesktopWatch* s_watching = nullptr;

// Windows 8 and later; GUID_MONITOR_POWER_ON on Windows 7. Both: 0 is off.
const GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
// Battery saver, Windows 10 and later: 1 is on.
const GUID kPowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

bool IsShellWindow(HWND hwnd)
{
    if (hwnd == GetDesktopWindow() || hwnd == GetShellWindow())
        return true;
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpW(name, L"Progman") == 0 || lstrcmpW(name, L"WorkerW") == 0;
}

// A shown window of another program, not the desktop's.
bool IsOtherProgram(HWND hwnd)
{
    DWORD process = 0;
    return hwnd && IsWindowVisible(hwnd) && !IsIconic(hwnd) && !IsShellWindow(hwnd) &&
           GetWindowThreadProcessId(hwnd, &process) && process != GetCurrentProcessId();
}

SlideRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
}  // namespace

CDesktopWatch::~CDesktopWatch()
{
    Stop();
}

bool* CDesktopWatch::ClassRegisteredFlag() { return &s_registered; }

bool CDesktopWatch::Start()
{
    // Top-level, not message-only: suspend and resume are broadcast.
    if (!Exists() && !Create(WS_EX_TOOLWINDOW, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
        return false;
    s_watching = this;
    m_sessionNotify = WTSRegisterSessionNotification(m_hwnd, NOTIFY_FOR_THIS_SESSION) != FALSE;
    m_displayNotify = RegisterPowerSettingNotification(m_hwnd, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!m_displayNotify)
        m_displayNotify = RegisterPowerSettingNotification(m_hwnd, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
    m_savingNotify = RegisterPowerSettingNotification(m_hwnd, &kPowerSavingStatus, DEVICE_NOTIFY_WINDOW_HANDLE);
    m_foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnWinEvent, 0, 0,
                                       WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    m_createHook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &OnWinEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    CheckForeground();
    return true;
}

void CDesktopWatch::Unregister()
{
    if (m_foregroundHook)
        UnhookWinEvent(m_foregroundHook);
    if (m_locationHook)
        UnhookWinEvent(m_locationHook);
    if (m_createHook)
        UnhookWinEvent(m_createHook);
    m_foregroundHook = m_locationHook = m_createHook = nullptr;
    m_locationThread = 0;
    if (m_displayNotify)
        UnregisterPowerSettingNotification(m_displayNotify);
    if (m_savingNotify)
        UnregisterPowerSettingNotification(m_savingNotify);
    m_displayNotify = m_savingNotify = nullptr;
    if (m_sessionNotify)
        WTSUnRegisterSessionNotification(m_hwnd);
    m_sessionNotify = false;
}

void CDesktopWatch::Stop()
{
    if (!Exists())
        return;
    Unregister();
    KillTimer(m_hwnd, kPollTimer);
    KillTimer(m_hwnd, kHandTimer);
    KillTimer(m_hwnd, kSettleTimer);
    m_pause.Clear();
    m_show.SetSaving(false);
    if (s_watching == this)
        s_watching = nullptr;
    Destroy();
}

void CDesktopWatch::PauseByHand(bool on)
{
    if (!Exists())
        return;
    if (on)
        SetTimer(m_hwnd, kHandTimer, m_handPauseMs, nullptr);
    else
        KillTimer(m_hwnd, kHandTimer);
    SetReason(CShowPause::kByHand, on);
}

void CDesktopWatch::SetReason(CShowPause::Reason reason, bool on)
{
    if (reason == CShowPause::kFullscreen && on != m_pause.Has(reason)) {
        if (on)
            SetTimer(m_hwnd, kPollTimer, kPollMs, nullptr);
        else
            KillTimer(m_hwnd, kPollTimer);
    }
    if (!m_pause.Set(reason, on))
        return;
    // Only a fullscreen program fades the frame out: nobody sees a locked or
    // dark screen fade, and a pause by hand shows at once that it was taken.
    if (m_pause.Paused())
        m_show.Pause(reason == CShowPause::kFullscreen);
    else
        m_show.Resume();
}

bool CDesktopWatch::FullscreenNow() const
{
    HWND frame = m_show.Hwnd();
    if (!frame)
        return false;
    // A hidden window keeps its rectangle, and with it its monitor.
    HMONITOR monitor = MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info))
        return false;
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (FAILED(SHQueryUserNotificationState(&state)))
        state = QUNS_ACCEPTS_NOTIFICATIONS;
    HWND foreground = GetForegroundWindow();
    const bool onMonitor =
        IsOtherProgram(foreground) && MonitorFromWindow(foreground, MONITOR_DEFAULTTONULL) == monitor;
    RECT window;
    const bool covers =
        onMonitor && GetWindowRect(foreground, &window) && CoversMonitor(FromRect(window), FromRect(info.rcMonitor));
    return FullscreenOverFrame(state, onMonitor, covers);
}

void CDesktopWatch::CheckForeground()
{
    if (Exists())
        SetReason(CShowPause::kFullscreen, FullscreenNow());
}

void CDesktopWatch::FollowLocationOf(HWND foreground)
{
    DWORD process = 0;
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, &process) : 0;
    if (thread == m_locationThread)
        return;
    if (m_locationHook)
        UnhookWinEvent(m_locationHook);
    m_locationHook = nullptr;
    m_locationThread = 0;
    if (!thread || process == GetCurrentProcessId())
        return;
    m_locationHook = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, &OnWinEvent,
                                     process, thread, WINEVENT_OUTOFCONTEXT);
    if (m_locationHook)
        m_locationThread = thread;
}

void CALLBACK CDesktopWatch::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                                        DWORD)
{
    CDesktopWatch* watch = s_watching;
    if (!watch || object != OBJID_WINDOW || child != CHILDID_SELF)
        return;
    if (event == EVENT_SYSTEM_FOREGROUND) {
        watch->FollowLocationOf(hwnd);
        watch->CheckForeground();
    } else if (event == EVENT_OBJECT_CREATE) {
        if (GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow())
            watch->LookAtNewWindow();
    } else if (hwnd == GetForegroundWindow()) {
        watch->CheckForeground();
    }
}

void CDesktopWatch::LookAtNewWindow()
{
    m_settleChecks = kSettleChecks;
    SetTimer(m_hwnd, kSettleTimer, kSettleMs, nullptr);
}

void CDesktopWatch::OnSessionChange(WPARAM code)
{
    switch (code) {
    case WTS_SESSION_LOCK:
    case WTS_SESSION_UNLOCK:
        SetReason(CShowPause::kLocked, code == WTS_SESSION_LOCK);
        break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT:
        SetReason(CShowPause::kDisconnected, true);
        break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        SetReason(CShowPause::kDisconnected, false);
        break;
    default:
        break;
    }
}

void CDesktopWatch::OnPowerBroadcast(WPARAM code, LPARAM data)
{
    if (code == PBT_APMSUSPEND) {
        SetReason(CShowPause::kSuspended, true);
    } else if (code == PBT_APMRESUMEAUTOMATIC || code == PBT_APMRESUMESUSPEND) {
        SetReason(CShowPause::kSuspended, false);
    } else if (code == PBT_POWERSETTINGCHANGE && data) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
        if (setting->DataLength < sizeof(DWORD))
            return;
        DWORD value = 0;
        CopyMemory(&value, setting->Data, sizeof(value));
        if (IsEqualGUID(setting->PowerSetting, kPowerSavingStatus))
            m_show.SetSaving(value == 1);
        else if (IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) ||
                 IsEqualGUID(setting->PowerSetting, kMonitorPowerOn))
            SetReason(CShowPause::kDisplayOff, value == 0);   // dimmed is still seen
    }
}

void CDesktopWatch::OnTimer(UINT_PTR id)
{
    if (id == kPollTimer) {
        CheckForeground();
    } else if (id == kSettleTimer) {
        if (--m_settleChecks <= 0)
            KillTimer(m_hwnd, kSettleTimer);
        CheckForeground();
    } else if (id == kHandTimer) {
        PauseByHand(false);
    }
}

LRESULT CDesktopWatch::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_WTSSESSION_CHANGE:
        OnSessionChange(wParam);
        return 0;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam, lParam);
        return TRUE;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
