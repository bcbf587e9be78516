#include "slideshow/ShowPause.h"

namespace {
// SHQueryUserNotificationState
const int kShellBusy = 2;
const int kShellDirect3D = 3;
const int kShellPresenting = 4;
const unsigned kSavingPeriodMs = 10 * 60 * 1000;
}  // namespace

bool CoversMonitor(const SlideRect& window, const SlideRect& monitor)
{
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
           window.bottom >= monitor.bottom && monitor.right > monitor.left && monitor.bottom > monitor.top;
}

bool FullscreenOverFrame(int shellState, bool foregroundOnFrameMonitor, bool foregroundCoversMonitor)
{
    if (shellState == kShellPresenting)
        return true;
    if (!foregroundOnFrameMonitor)
        return false;
    return foregroundCoversMonitor || shellState == kShellBusy || shellState == kShellDirect3D;
}

unsigned SavingPeriodMs(unsigned periodMs)
{
    return periodMs < kSavingPeriodMs ? kSavingPeriodMs : periodMs;
}

bool CShowPause::Set(Reason reason, bool on)
{
    const bool was = Paused();
    m_reasons = on ? m_reasons | reason : m_reasons & ~static_cast<unsigned>(reason);
    return was != Paused();
}
