#include "slideshow/SlideWnd.h"

#include "slideshow/Fader.h"
#include "slideshow/LayeredWindow.h"
#include "slideshow/LentaDraw.h"
#include "picture/Picture.h"
#include "slideshow/SlideWorker.h"
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

void CSlideWnd::SetAlbum(ISlideAlbum* album)
{
    const bool changed = album != m_album;
    m_album = album;
    if (changed && m_hwnd)
        AlbumChanged();
}

bool CSlideWnd::Start()
{
    if (!m_album || m_album->PhotoCount() == 0)
        return false;
    SetFullScreen(Settings().maximized);
    if (!Create(kExStyle, kStyle, nullptr, nullptr))
        return false;
    SetWindowPos(m_hwnd, nullptr, 10, 10, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND hwnd = m_hwnd;
    m_worker = std::make_unique<CSlideWorker>([hwnd] { PostMessageW(hwnd, kSlideReadyMessage, 0, 0); }, m_decode);
    const int first = IndexInRange(m_album->CurrentIndex(), m_album->PhotoCount());
    m_album->SetCurrentIndex(first);
    ShowUsableFrom(first, kSwitchOrder);
    StartSwitchTimer();
    return true;
}

SlideJob CSlideWnd::JobFor(const tstr& path) const
{
    const SlideSettings s = Settings();
    const SlideRect area = ShowMonitor().work;
    SlideJob job;
    job.path = path.Str();
    job.maxW = s.sizeX;
    job.maxH = s.sizeY;
    job.fullscreen = s.maximized;
    job.areaW = area.right - area.left;
    job.areaH = area.bottom - area.top;
    job.caption = m_album ? m_album->CaptionFor(path) : std::wstring();
    job.dpi = WindowDpi(m_hwnd);
    return job;
}

void CSlideWnd::ShowUsableFrom(int index, int direction)
{
    CancelWalk();
    if (!m_worker || !m_album)
        return;
    m_walk.active = true;
    m_walk.at = index;
    m_walk.from = m_album->CurrentIndex();
    m_walk.direction = direction;
    ContinueWalk();
}

void CSlideWnd::StepWalk()
{
    ++m_walk.walked;
    m_walk.at = m_walk.direction == kSwitchOrder ? m_album->NextToShow(m_walk.at)
                                                 : StepIndex(m_walk.at, m_walk.direction, m_album->PhotoCount());
}

void CSlideWnd::ContinueWalk()
{
    const int count = m_album->PhotoCount();
    // Photos out of reach are passed over without a decode: asking about them
    // is cheap, the album remembers a root found offline.
    for (; m_walk.walked < count && m_walk.decoded < kMaxTriesPerSwitch && m_walk.at >= 0; StepWalk()) {
        const int at = m_walk.at;
        if (!m_album->IsReachable(at)) {
            m_album->PhotoPassed(at);
            continue;
        }
        ++m_walk.decoded;
        const SlideJob job = JobFor(m_album->PhotoPath(at));
        if (UsePrepared(at, job))
            return;
        m_walk.ticket = m_worker->Submit(job);
        if (m_walk.ticket == 0)
            break;
        return;
    }
    // The next switch goes on from the last photo tried; with every photo out
    // of reach the one on screen stays.
    if (m_walk.lastTried >= 0)
        m_album->SetCurrentIndex(m_walk.lastTried);
    m_walk = Walk();
}

bool CSlideWnd::UsePrepared(int index, const SlideJob& job)
{
    if (m_prepared.job.ticket == 0 || m_prepared.index != index || !m_prepared.job.SameAs(job)) {
        DropPrepared();
        return false;
    }
    if (!m_prepared.result) {
        m_walk.ticket = m_prepared.job.ticket;   // under way: the switch waits for it
        m_prepared = Prepared();
        return true;
    }
    std::unique_ptr<SlideResult> ready = std::move(m_prepared.result);
    m_prepared = Prepared();
    // Deleted, replaced or offline since it was decoded: decoded again (and
    // skipped when that fails), never shown as it was.
    if (ready->outcome == SlideOutcome::Ready && FileStamp::Of(ready->job.path) != ready->stamp)
        return false;
    WalkResult(*ready);
    return true;
}

void CSlideWnd::OnSlideReady()
{
    while (m_worker) {
        std::unique_ptr<SlideResult> result = m_worker->Take();
        if (!result)
            return;
        OnResult(*result);
    }
}

void CSlideWnd::OnResult(SlideResult& result)
{
    const uint64_t ticket = result.job.ticket;
    if (ticket == m_prepared.job.ticket && !m_prepared.result) {
        m_prepared.result = std::make_unique<SlideResult>(std::move(result));
        return;
    }
    if (ticket == m_refitTicket) {
        m_refitTicket = 0;
        if (result.outcome != SlideOutcome::Ready)
            return;
        ShowResult(result);
        // Fitted again under the pointer: it keeps the inside opacity and
        // click-through.
        if (m_pointerInside && !m_fullScreen) {
            SetWindowAlpha(m_hwnd, AlphaFromPercent(Settings().sliderVisIn));
            SetExStyleBits(m_hwnd, WS_EX_TRANSPARENT, true);
        }
        if (!m_walk.active)
            PrepareNext();
        return;
    }
    if (m_walk.active && ticket == m_walk.ticket) {
        m_walk.ticket = 0;
        WalkResult(result);
    }
}

void CSlideWnd::WalkResult(SlideResult& result)
{
    int at = m_walk.at;
    // The album changed under the decode: the photo is looked for where it
    // went; gone, what is at its place now is asked for.
    if (m_album->PhotoPath(at).Str() != result.job.path) {
        at = IndexOfPath(result.job.path);
        if (at < 0) {
            --m_walk.decoded;
            m_walk.at = WalkRestart();
            ContinueWalk();
            return;
        }
        m_walk.at = at;
    }
    if (result.outcome == SlideOutcome::Ready) {
        FinishSwitch(at, result);
        return;
    }
    if (result.outcome == SlideOutcome::Unusable)
        m_album->PhotoFailed(at);
    m_album->PhotoPassed(at);
    m_walk.lastTried = at;
    StepWalk();
    ContinueWalk();
}

int CSlideWnd::IndexOfPath(const std::wstring& path) const
{
    const int count = m_album->PhotoCount();
    for (int i = 0; i < count; ++i)
        if (m_album->PhotoPath(i).Str() == path)
            return i;
    return -1;
}

void CSlideWnd::FinishSwitch(int index, SlideResult& result)
{
    const int stripCells = m_walk.stripCells;
    m_walk = Walk();
    m_worker->Cancel(m_refitTicket);
    m_refitTicket = 0;
    ShowResult(result);
    m_album->SetCurrentIndex(index);
    m_album->PhotoShown(index);
    m_strip.SlideBy(stripCells);
    PrepareNext();
}

void CSlideWnd::PrepareNext()
{
    const int next = m_album ? m_album->NextToShow(m_album->CurrentIndex()) : -1;
    if (next < 0 || !m_album->IsReachable(next)) {
        DropPrepared();
        return;
    }
    const SlideJob job = JobFor(m_album->PhotoPath(next));
    if (m_prepared.job.ticket != 0 && m_prepared.index == next && m_prepared.job.SameAs(job))
        return;
    DropPrepared();
    m_prepared.index = next;
    m_prepared.job = job;
    m_prepared.job.ticket = m_worker->Submit(job);
}

void CSlideWnd::DropPrepared()
{
    if (m_worker)
        m_worker->Cancel(m_prepared.job.ticket);
    m_prepared = Prepared();
}

void CSlideWnd::CancelWalk()
{
    if (m_worker)
        m_worker->Cancel(m_walk.ticket);
    m_walk = Walk();
}

void CSlideWnd::AlbumChanged()
{
    DropPrepared();
    if (m_worker)
        m_worker->Cancel(m_refitTicket);
    m_refitTicket = 0;
    if (!m_walk.active || !m_album)
        return;
    m_worker->Cancel(m_walk.ticket);
    m_walk.ticket = 0;
    m_walk.at = WalkRestart();
    ContinueWalk();
}

int CSlideWnd::WalkRestart()
{
    // Photos that left before the one on screen moved it, and the walk's
    // photo with it: the album keeps its current index in place.
    const int current = m_album->CurrentIndex(), left = m_walk.from - current, count = m_album->PhotoCount();
    m_walk.from = current;
    if (m_walk.lastTried >= 0)
        m_walk.lastTried = IndexInRange(m_walk.lastTried - left, count);
    return IndexInRange(m_walk.at - left, count);
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
    // Decodes under way are not waited for; their results are freed.
    m_worker.reset();
    m_walk = Walk();
    m_prepared = Prepared();
    m_refitTicket = 0;
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

void CSlideWnd::Step(int delta, bool fromStrip)
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
    if (fromStrip && m_walk.active)
        m_walk.stripCells = delta;
    else if (fromStrip)
        m_strip.SlideBy(delta);
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
    // A switch still waiting for its photo (a slow drive) goes on waiting.
    if (!m_walk.active)
        ShowUsableFrom(next, kSwitchOrder);
    StartSwitchTimer();
}

void CSlideWnd::RunPhotoCommand(UINT id, const tstr& path)
{
    if (!m_commandTarget || path.IsEmpty())
        return;
    m_commandPhoto = path;
    SendMessageW(m_commandTarget, WM_COMMAND, id, 0);
    m_commandPhoto = tstr(L"");
}

void CSlideWnd::SetFullScreen(bool on)
{
    m_fullScreen = on;
    if (m_album)
        m_album->SetMaximized(on);
}

bool CSlideWnd::ShowPhoto(const tstr& path)
{
    if (path.IsEmpty() || !m_hwnd || !m_worker)
        return false;
    m_worker->Cancel(m_refitTicket);
    m_refitTicket = m_worker->Submit(JobFor(path));
    return m_refitTicket != 0;
}

void CSlideWnd::ShowResult(SlideResult& result)
{
    m_fullScreen = result.job.fullscreen;
    m_path = tstr(result.job.path);
    // Held before the window takes the photo's size, so that its repaint
    // draws this photo and never decodes.
    m_image = std::move(result.photo);
    // A paused frame stays hidden: Resume presents what it holds then.
    if (m_paused)
        return;
    Present();

    PlaceStrip();
    ApplyCaptureAffinity();
    AskForLentaThumbnails(m_album, m_strip.Width(), m_strip.CellSize());
    POINT pt;
    GetCursorPos(&pt);
    if (CursorIn(m_fullScreen ? m_strip.Hwnd() : m_hwnd, pt))
        ShowStrip();
    // Painted as messages of their own: the switch holds up nothing else.
    if (m_strip.Exists() && IsWindowVisible(m_strip.Hwnd()))
        InvalidateRect(m_strip.Hwnd(), nullptr, TRUE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CSlideWnd::PlaceAgain()
{
    if (!m_hwnd || m_path.IsEmpty())
        return;
    // The next photo is fitted anew as well, should the fit have changed.
    DropPrepared();
    ShowPhoto(m_path);
}

void CSlideWnd::PlaceAgainSoon()
{
    // Dragged across monitors of another DPI: the drop stores the new place.
    // A paused frame is placed again when it resumes.
    if (m_moving || m_paused)
        return;
    SetTimer(m_hwnd, kReplaceTimer, kReplaceDelayMs, nullptr);
}

void CSlideWnd::Present()
{
    CBmp& photo = m_image;
    const SlideSettings s = Settings();
    const SlideRect area = ShowMonitor().work;
    const int alpha = AlphaFromPercent(s.sliderVis);
    if (!m_fullScreen) {
        const SlidePoint at = PlaceOnArea(s.placementX, s.placementY, s.marginX, s.marginY,
                                          photo.Width(), photo.Height(), area);
        PlaceWindow(m_hwnd, at.x, at.y, photo.Width(), photo.Height());
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
        PlaceWindow(m_hwnd, area.left, area.top, area.right - area.left, area.bottom - area.top);
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
    const SlideRect window = WindowRectOf(m_hwnd);
    const int x = StripLeft(Settings().placementX, window.left, window.right, width);
    const int y = window.bottom - m_strip.CellSize();
    if (IsIconic(strip) || IsZoomed(strip))
        ShowWindow(strip, SW_RESTORE);
    HWND before = GetWindow(m_hwnd, GW_HWNDPREV);
    if (!before || before == strip)
        before = HWND_TOP;
    // Just above the frame, in one move.
    SetWindowPos(strip, before, x, y, width, m_strip.CellSize(), SWP_NOACTIVATE);
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
    // The pause faded it out: shown at its opacity while the photo it holds
    // is fitted again, not invisible until then.
    if (!m_perPixel)
        SetWindowAlpha(m_hwnd, AlphaFromPercent(Settings().sliderVis));
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
    // The photo as it was fitted, never decoded again here: a size between
    // two photos lasts until the next one is presented.
    if (!m_image.Empty())
        DrawBmp(dc, m_image, 0, 0);
    return 1;
}

LRESULT CSlideWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kSlideReadyMessage:
        OnSlideReady();
        return 0;
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
