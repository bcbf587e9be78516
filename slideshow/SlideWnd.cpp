#include "slideshow/SlideWnd.h"

#include "slideshow/Fader.h"
#include "slideshow/LayeredWindow.h"
#include "slideshow/LentaDraw.h"
#include "picture/Picture.h"
#include "slideshow/Placement.h"
#include "ui/Dpi.h"
#include "slideshow/SlideMath.h"
#include "slideshow/ShowPause.h"
#include "slideshow/CaptureAffinity.h"
#include "ui/ClassFactory.h"

#include <windowsx.h>

namespace {
bool s_registered = false;

const int kFadeStep = 20;
const int kStripFadeStep = 25;
const UINT kFadePeriod = 30;
const int kStripShownAlpha = 200;

bool CursorIn(HWND hwnd, POINT pt)
{
    RECT rect;
    return hwnd && GetWindowRect(hwnd, &rect) && PtInRect(&rect, pt);
}
}  // namespace

CSlideWnd::CSlideWnd() : m_strip(this) {}

CSlideWnd::~CSlideWnd()
{
    Stop();
}

bool* CSlideWnd::ClassRegisteredFlag() { return &s_registered; }

bool CSlideWnd::RegisterClasses()
{
    return RegisterWindowClassOf<CSlideWnd>() && RegisterWindowClassOf<CLentaWnd>();
}

SlideSettings CSlideWnd::Settings() const
{
    return m_album ? m_album->Settings() : SlideSettings();
}

SlideMonitor CSlideWnd::ShowMonitor() const
{
    return MonitorNamed(Settings().monitor);
}

bool CSlideWnd::Start()
{
    if (!m_album || m_album->PhotoCount() == 0)
        return false;
    SetFullScreen(Settings().maximized);
    if (!Create(kExStyle, kStyle, nullptr, nullptr))
        return false;
    SetWindowPos(m_hwnd, nullptr, 10, 10, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    const int first = IndexInRange(m_album->CurrentIndex(), m_album->PhotoCount());
    m_album->SetCurrentIndex(first);
    ShowUsableFrom(first, kSwitchOrder);
    StartSwitchTimer();
    return true;
}

bool CSlideWnd::ShowUsableFrom(int index, int direction)
{
    const int count = m_album->PhotoCount();
    int decoded = 0;
    int lastTried = -1;
    int at = index;
    // Photos out of reach are passed over without a decode: asking about them
    // is cheap, the album remembers a root found offline.
    for (int walked = 0; walked < count && decoded < kMaxTriesPerSwitch;
         ++walked, at = direction == kSwitchOrder ? m_album->NextToShow(at) : StepIndex(at, direction, count)) {
        if (!m_album->IsReachable(at)) {
            m_album->PhotoPassed(at);
            continue;
        }
        ++decoded;
        if (ShowPhoto(m_album->PhotoPath(at))) {
            m_album->SetCurrentIndex(at);
            m_album->PhotoShown(at);
            return true;
        }
        m_album->PhotoFailed(at);
        m_album->PhotoPassed(at);
        lastTried = at;
    }
    // The next switch goes on from the last photo tried; with every photo out
    // of reach the one on screen stays.
    if (lastTried >= 0)
        m_album->SetCurrentIndex(lastTried);
    return false;
}

void CSlideWnd::Stop()
{
    if (m_strip.Hwnd())
        StopFade(m_strip.Hwnd());
    if (m_hwnd) {
        StopFade(m_hwnd);
        StopSwitchTimer();
        KillTimer(m_hwnd, kReplaceTimer);
        KillTimer(m_hwnd, kPauseHideTimer);
    }
    m_paused = false;
    m_pointerInside = false;
    m_perPixel = false;
    m_moving = false;
    Destroy();
}

void CSlideWnd::StartSwitchTimer()
{
    if (!m_hwnd || m_paused)
        return;
    const unsigned period = SwitchPeriodMs(Settings().timeout);
    SetTimer(m_hwnd, kSwitchTimer, m_saving ? SavingPeriodMs(period) : period, nullptr);
}

void CSlideWnd::StopSwitchTimer()
{
    if (m_hwnd)
        KillTimer(m_hwnd, kSwitchTimer);
}

void CSlideWnd::Step(int delta)
{
    if (m_paused)
        return;
    StopSwitchTimer();
    if (!m_album)
        return;
    const int stepped = StepIndex(m_album->CurrentIndex(), delta, m_album->PhotoCount());
    if (stepped < 0)
        return;
    ShowUsableFrom(stepped, delta < 0 ? -1 : +1);
    StartSwitchTimer();
}

void CSlideWnd::Advance()
{
    if (m_paused)
        return;
    StopSwitchTimer();
    if (!m_album)
        return;
    const int next = m_album->NextToShow(m_album->CurrentIndex());
    if (next < 0)
        return;
    ShowUsableFrom(next, kSwitchOrder);
    StartSwitchTimer();
}

void CSlideWnd::SetFullScreen(bool on)
{
    m_fullScreen = on;
    if (m_album)
        m_album->SetMaximized(on);
}

bool CSlideWnd::ShowPhoto(const tstr& path)
{
    if (path.IsEmpty() || !m_hwnd)
        return false;
    // Decoded before anything changes: a photo that fails leaves the window
    // with its previous photo, place and size.
    const SlideSettings s = Settings();
    const SlideRect area = ShowMonitor().work;
    CBmp photo;
    if (!LoadPhotoFitted(path.c_str(), s.sizeX, s.sizeY, s.maximized, area.right - area.left, area.bottom - area.top,
                         photo))
        return false;
    m_fullScreen = s.maximized;
    m_path = path;
    Present(photo);
    m_image = std::move(photo);

    PlaceStrip();
    ApplyCaptureAffinity();
    AskForLentaThumbnails(m_album, m_strip.Width(), m_strip.CellSize());
    POINT pt;
    GetCursorPos(&pt);
    if (CursorIn(m_fullScreen ? m_strip.Hwnd() : m_hwnd, pt))
        ShowStrip();
    if (m_strip.Exists())
        m_strip.Redraw(true);
    Redraw(true);
    return true;
}

void CSlideWnd::PlaceAgain()
{
    if (!m_hwnd || m_path.IsEmpty())
        return;
    const tstr path = m_path;
    ShowPhoto(path);
    // Showing a photo gives the outside opacity and takes click-through away;
    // a pointer still inside keeps both.
    if (m_pointerInside && !m_fullScreen) {
        SetWindowAlpha(m_hwnd, AlphaFromPercent(Settings().sliderVisIn));
        SetExStyleBits(m_hwnd, WS_EX_TRANSPARENT, true);
    }
}

void CSlideWnd::PlaceAgainSoon()
{
    // Dragged across monitors of another DPI: the drop stores the new place.
    // A paused frame is placed again when it resumes.
    if (m_moving || m_paused)
        return;
    SetTimer(m_hwnd, kReplaceTimer, kReplaceDelayMs, nullptr);
}

void CSlideWnd::Present(CBmp& photo)
{
    const SlideSettings s = Settings();
    const SlideRect area = ShowMonitor().work;
    const int alpha = AlphaFromPercent(s.sliderVis);
    if (!m_fullScreen) {
        const SlidePoint at = PlaceOnArea(s.placementX, s.placementY, s.marginX, s.marginY,
                                          photo.Width(), photo.Height(), area);
        MoveThroughPixel(m_hwnd, at.x, at.y, photo.Width(), photo.Height());
        // Constant alpha is refused while the window is in per-pixel mode.
        if (m_perPixel)
            SetExStyleBits(m_hwnd, WS_EX_LAYERED, false);
        m_perPixel = false;
        SetWindowAlpha(m_hwnd, alpha);
        SetExStyleBits(m_hwnd, WS_EX_TRANSPARENT, false);
        return;
    }
    const bool covering = WindowRectOf(m_hwnd) == area;
    if (!covering)
        MoveThroughPixel(m_hwnd, area.left, area.top, area.right - area.left, area.bottom - area.top);
    PresentPerPixel(m_hwnd, photo, alpha, !covering);
    m_perPixel = true;
}

void CSlideWnd::PlaceStrip()
{
    if (!m_hwnd)
        return;
    if (!m_strip.Exists()) {
        const DWORD ex = WS_EX_COMPOSITED | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
        if (!m_strip.Create(ex, WS_POPUP | WS_VISIBLE, m_hwnd, nullptr))
            return;
    }
    HWND strip = m_strip.Hwnd();
    POINT pt;
    GetCursorPos(&pt);
    if (!CursorIn(strip, pt))
        ShowWindow(strip, SW_HIDE);
    const int width = m_strip.Width();
    m_strip.SetWidth(width);

    const SlideRect window = WindowRectOf(m_hwnd);
    const int x = StripLeft(Settings().placementX, window.left, window.right, width);
    const int y = window.bottom - m_strip.CellSize();
    if (IsIconic(strip) || IsZoomed(strip))
        ShowWindow(strip, SW_RESTORE);
    HWND before = GetWindow(m_hwnd, GW_HWNDPREV);
    if (!before || before == strip)
        before = HWND_TOP;
    SetWindowPos(strip, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(strip, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSlideWnd::ShowStrip()
{
    if (!m_strip.Exists())
        return;
    StopFade(m_strip.Hwnd());
    ShowWindow(m_strip.Hwnd(), SW_SHOWNA);
    SetWindowAlpha(m_strip.Hwnd(), kStripShownAlpha);
}

void CSlideWnd::HideStrip()
{
    if (!m_strip.Exists())
        return;
    StopFade(m_strip.Hwnd());
    ShowWindow(m_strip.Hwnd(), SW_HIDE);
    SetWindowAlpha(m_strip.Hwnd(), 0);
}

void CSlideWnd::ShowStripForTray()
{
    if (!m_strip.Exists())
        return;
    ShowStrip();
    m_strip.StartHideTimer(2000);
}

void CSlideWnd::StorePlacement()
{
    if (!m_album)
        return;
    const SlideRect window = WindowRectOf(m_hwnd);
    const SlideMonitor monitor = MonitorAt((window.left + window.right) / 2, (window.top + window.bottom) / 2);
    const SlidePlacement p = PlacementFromRect(window, monitor.work, monitor.Origin());
    m_album->SetPlacement(p.codeX, p.codeY, p.marginX, p.marginY, monitor.device);
    PlaceStrip();
}

void CSlideWnd::PointerEntered()
{
    const SlideSettings s = Settings();
    SetTimer(m_hwnd, kLeaveTimer, 300, nullptr);
    if (!m_fullScreen)
        Fade(m_hwnd, AlphaFromPercent(s.sliderVis), AlphaFromPercent(s.sliderVisIn), kFadeStep);
    if (m_strip.Exists()) {
        Fade(m_strip.Hwnd(), 0, 255, kStripFadeStep);
        if (!IsWindowVisible(m_strip.Hwnd()))
            ShowWindow(m_strip.Hwnd(), SW_SHOWNA);
    }
    m_pointerInside = true;
    SetExStyleBits(m_hwnd, WS_EX_TRANSPARENT, true);
}

void CSlideWnd::PointerLeft()
{
    const bool wasInside = m_pointerInside;
    m_pointerInside = false;
    const SlideSettings s = Settings();
    // Only a pointer that was inside fades back: the caption band is hit
    // test after hit test from outside and would restart the fade each time.
    if (!m_fullScreen && wasInside)
        Fade(m_hwnd, AlphaFromPercent(s.sliderVisIn), AlphaFromPercent(s.sliderVis), kFadeStep);
    SetExStyleBits(m_hwnd, WS_EX_TRANSPARENT, false);
    if (m_strip.Exists() && wasInside)
        Fade(m_strip.Hwnd(), -1, 0, kStripFadeStep);
}

void CSlideWnd::OnMouseMove(WPARAM, int, int)
{
    if (!m_pointerInside)
        PointerEntered();
}

void CSlideWnd::OnMouseLeave()
{
    PointerLeft();
}

void CSlideWnd::OnTimer(UINT_PTR id)
{
    if (id == kSwitchTimer) {
        if (Settings().timeout != 0)
            Advance();
    } else if (id == kReplaceTimer) {
        KillTimer(m_hwnd, kReplaceTimer);
        PlaceAgain();
    } else if (id == kPauseHideTimer) {
        HidePaused();
    } else if (id == kLeaveTimer) {
        POINT pt;
        GetCursorPos(&pt);
        if (!CursorIn(m_hwnd, pt) && !CursorIn(m_strip.Hwnd(), pt)) {
            KillTimer(m_hwnd, kLeaveTimer);
            PointerLeft();
        }
    }
}

void CSlideWnd::Fade(HWND hwnd, int start, int target, int step)
{
    if (m_saving)
        SetWindowAlpha(hwnd, target);
    else
        FadeWindow(hwnd, start, target, step, kFadePeriod);
}

void CSlideWnd::Pause(bool fade)
{
    if (!m_hwnd || m_paused)
        return;
    m_paused = true;
    StopSwitchTimer();
    KillTimer(m_hwnd, kLeaveTimer);
    KillTimer(m_hwnd, kReplaceTimer);
    m_pointerInside = false;
    HideStrip();
    // A per-pixel window has no constant alpha to fade.
    if (fade && !m_saving && !m_perPixel) {
        FadeWindow(m_hwnd, -1, 0, kFadeStep, kFadePeriod);
        SetTimer(m_hwnd, kPauseHideTimer, kPauseFadeMs, nullptr);
    } else {
        HidePaused();
    }
}

void CSlideWnd::HidePaused()
{
    KillTimer(m_hwnd, kPauseHideTimer);
    StopFade(m_hwnd);
    ShowWindow(m_hwnd, SW_HIDE);
}

void CSlideWnd::Resume()
{
    if (!m_hwnd || !m_paused)
        return;
    m_paused = false;
    KillTimer(m_hwnd, kPauseHideTimer);
    StopFade(m_hwnd);
    PlaceAgain();
    // Placed again over the work area it already covered, a fullscreen frame is not shown by the move.
    ShowWindow(m_hwnd, SW_SHOWNA);
    StartSwitchTimer();
}

void CSlideWnd::SetSaving(bool on)
{
    if (m_saving == on)
        return;
    m_saving = on;
    if (m_hwnd && !m_paused)
        StartSwitchTimer();
}

void CSlideWnd::ApplyCaptureAffinity()
{
    const bool hide = Settings().hideFromCapture;
    ExcludeFromCapture(m_hwnd, hide);
    if (m_strip.Exists())
        ExcludeFromCapture(m_strip.Hwnd(), hide);
}

LRESULT CSlideWnd::OnEraseBackground(HDC dc)
{
    if (m_image.Empty())
        return 0;
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (m_image.Width() == client.right && m_image.Height() == client.bottom) {
        DrawBmp(dc, m_image, 0, 0);
        return 1;
    }
    // Shown at another size than fitted: fit the file again, keep the image.
    CBmp again;
    if (LoadPhotoFitted(m_path.c_str(), 0, 0, true, client.right, client.bottom, again))  // stretched to the client
        DrawBmp(dc, again, 0, 0);
    return 1;
}

LRESULT CSlideWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
    case WM_DESTROY:
        // Only Stop destroys the window; not Alt+F4.
        return 0;
    case WM_WINDOWPOSCHANGED:
        // Restoring only a minimised or maximised window: restoring a normal
        // one would activate it and come back here.
        if (m_fullScreen && (IsIconic(m_hwnd) || IsZoomed(m_hwnd)))
            ShowWindow(m_hwnd, SW_RESTORE);
        break;
    case WM_NCHITTEST: {
        RECT rect;
        GetWindowRect(m_hwnd, &rect);
        if (GET_Y_LPARAM(lParam) < rect.top + SystemMetricForDpi(SM_CYCAPTION, WindowDpi(m_hwnd))) {
            PointerLeft();
            return HTCAPTION;
        }
        break;
    }
    case WM_ENTERSIZEMOVE:
        m_moving = true;
        break;
    case WM_EXITSIZEMOVE:
        m_moving = false;
        StorePlacement();
        break;
    // Broadcast to every top-level window, this one included.
    case WM_DISPLAYCHANGE:
        PlaceAgainSoon();
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA)
            PlaceAgainSoon();
        break;
    case WM_DPICHANGED:
        // The photo keeps its physical size at any DPI: the suggested
        // rectangle is not taken.
        PlaceAgainSoon();
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
