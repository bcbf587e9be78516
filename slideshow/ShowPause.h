#pragma once
// Why the show stands still, without any window: the reasons that pause it
// (each on or off by itself, the show paused while any is on), whether a
// window covers a whole monitor, and the switching period on battery saver.

#include "slideshow/SlideMath.h"

// The window rectangle reaches every edge of the monitor: a fullscreen
// program, not a maximised window that fills only the work area.
bool CoversMonitor(const SlideRect& window, const SlideRect& monitor);

// The shell's notification state (SHQueryUserNotificationState's numbers)
// and the check of the foreground window together: does a fullscreen program
// stand over the frame's monitor? Busy and Direct3D fullscreen are taken for
// the foreground window's monitor, presentation mode for every monitor.
bool FullscreenOverFrame(int shellState, bool foregroundOnFrameMonitor, bool foregroundCoversMonitor);

// Battery saver: at most one switch in 10 minutes.
unsigned SavingPeriodMs(unsigned periodMs);

class CShowPause {
public:
    enum Reason : unsigned {
        kFullscreen = 1,
        kLocked = 2,
        kDisconnected = 4,
        kDisplayOff = 8,
        kSuspended = 16,
        kByHand = 32,
    };
    // True when the show's state changed with it: it paused or goes on.
    bool Set(Reason reason, bool on);
    bool Has(Reason reason) const { return (m_reasons & reason) != 0; }
    bool Paused() const { return m_reasons != 0; }
    void Clear() { m_reasons = 0; }

private:
    unsigned m_reasons = 0;
};
