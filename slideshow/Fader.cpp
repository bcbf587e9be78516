#include "slideshow/Fader.h"

#include "slideshow/LayeredWindow.h"
#include "slideshow/SlideMath.h"

#include <algorithm>
#include <vector>

namespace {

struct Fade {
    HWND hwnd;
    UINT_PTR timer;
    int current;
    int target;
    int step;
};

// Touched only on the UI thread: thread timers arrive through its message loop.
std::vector<Fade>& Fades()
{
    static std::vector<Fade> fades;
    return fades;
}

std::vector<Fade>::iterator FindWindowFade(HWND hwnd)
{
    auto& fades = Fades();
    return std::find_if(fades.begin(), fades.end(), [hwnd](const Fade& f) { return f.hwnd == hwnd; });
}

void CALLBACK FadeTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    auto& fades = Fades();
    auto it = std::find_if(fades.begin(), fades.end(), [timer](const Fade& f) { return f.timer == timer; });
    if (it == fades.end())
        return;
    const HWND hwnd = it->hwnd;
    const int alpha = it->current;
    const bool done = alpha == it->target || !IsWindow(hwnd);
    if (done) {
        KillTimer(nullptr, timer);
        fades.erase(it);
    } else {
        it->current = NextFadeAlpha(alpha, it->target, it->step);
    }
    // Last: changing the style sends messages that may start another fade.
    if (IsWindow(hwnd))
        SetWindowAlpha(hwnd, alpha);
}

}  // namespace

void FadeWindow(HWND hwnd, int start, int target, int step, UINT periodMs)
{
    auto it = FindWindowFade(hwnd);
    if (it != Fades().end()) {
        KillTimer(nullptr, it->timer);
        it->timer = SetTimer(nullptr, 0, periodMs, FadeTick);
        it->target = target;
        it->step = step;
        if (!it->timer)
            Fades().erase(it);
        return;
    }
    const UINT_PTR timer = SetTimer(nullptr, 0, periodMs, FadeTick);
    if (!timer)
        return;
    const int from = start == -1 ? GetWindowAlpha(hwnd) : start;
    try {
        Fades().push_back(Fade{hwnd, timer, from, target, step});
    } catch (...) {
        KillTimer(nullptr, timer);
        throw;
    }
}

void StopFade(HWND hwnd)
{
    auto it = FindWindowFade(hwnd);
    if (it == Fades().end())
        return;
    KillTimer(nullptr, it->timer);
    Fades().erase(it);
}

bool IsFading(HWND hwnd)
{
    return FindWindowFade(hwnd) != Fades().end();
}
