#include "slideshow/SlideMath.h"

int AlphaFromPercent(int percent)
{
    return percent * 255 / 100;
}

int StepIndex(int index, int delta, int count)
{
    if (count <= 0)
        return -1;
    // 64 bits: a stale index plus a large delta must not overflow.
    long long next = static_cast<long long>(index) + delta;
    if (next >= count)
        return 0;
    if (next < 0)
        next = (next % count + count) % count;
    return static_cast<int>(next);
}

unsigned SwitchPeriodMs(int timeoutMinutes)
{
    return static_cast<unsigned>(timeoutMinutes > 0 ? timeoutMinutes : 1) * 60000u;
}

namespace {
int AlignedStart(int code, int margin, int size, int low, int high)
{
    switch (code) {
    case 0: return low + margin;
    case 1: return low + (high - low - size) / 2 + margin;
    case 2: return high - size - margin;
    default: return 0;
    }
}

// Which third of 0..extent/3*3 the centre falls in.
int ThirdOf(int centre, int extent)
{
    const int third = extent / 3;
    if (centre < third)
        return 0;
    return centre < 2 * third ? 1 : 2;
}

int MarginFor(int code, int low, int high, int areaLow, int areaHigh)
{
    switch (code) {
    case 0: return low - areaLow;
    case 1: return (low + high) / 2 - (areaLow + areaHigh) / 2;
    default: return areaHigh - high;
    }
}
}  // namespace

SlidePoint PlaceOnArea(int codeX, int codeY, int marginX, int marginY, int w, int h,
                       const SlideRect& area)
{
    return {AlignedStart(codeX, marginX, w, area.left, area.right),
            AlignedStart(codeY, marginY, h, area.top, area.bottom)};
}

SlidePlacement PlacementFromRect(const SlideRect& window, const SlideRect& area, SlidePoint monitorOrigin)
{
    SlidePlacement p;
    p.codeX = ThirdOf((window.left + window.right) / 2 - monitorOrigin.x, area.right - area.left);
    p.codeY = ThirdOf((window.top + window.bottom) / 2 - monitorOrigin.y, area.bottom - area.top);
    p.marginX = MarginFor(p.codeX, window.left, window.right, area.left, area.right);
    p.marginY = MarginFor(p.codeY, window.top, window.bottom, area.top, area.bottom);
    return p;
}

int StripLeft(int codeX, int left, int right, int stripWidth)
{
    switch (codeX) {
    case 1: return left - (left - right + stripWidth) / 2;
    case 2: return right - stripWidth;
    default: return left;
    }
}

int NextFadeAlpha(int current, int target, int step)
{
    if (step < 1)
        step = 1;  // a zero step would never arrive
    if (current < target)
        return current + step > target ? target : current + step;
    if (current > target)
        return current - step < target ? target : current - step;
    return current;
}

LentaLayout LayOutLenta(int width, int cell, int slideOffset)
{
    LentaLayout l{};
    if (cell <= 0)
        return l;
    l.count = width / cell + 1;
    l.half = l.count / 2;
    l.centreX = (width - cell) / 2;
    l.firstX = l.centreX - cell * l.half + slideOffset;
    return l;
}

int LentaPhoto(int current, int half, int k, int count)
{
    if (count <= 0)
        return -1;
    current = IndexInRange(current, count);
    int i = current - half;
    if (i < 0)
        i += count;
    for (int cell = 0; cell < k; ++cell)
        if (++i == count)
            i = 0;
    if (i >= 0)
        return i;
    // Albums much shorter than the strip: the far left cells.
    return i + count >= 0 ? i + count : 0;
}

int LentaCellsFromCentre(int x, int width, int cell)
{
    if (cell <= 0)
        return 0;
    int d = x - (width - cell) / 2;
    // Rounded down, so the left edge pixel of a cell left of the centre
    // counts for that cell.
    if (d < 0)
        d -= cell - 1;
    return d / cell;
}

void LentaSlide::Start(int k)
{
    offset = k * 64;
    speed = k * -12;
}

bool LentaSlide::Tick()
{
    offset += speed;
    if (static_cast<long long>(speed) * offset >= 0) {
        offset = speed = 0;
        return false;
    }
    if (speed > 2)
        --speed;
    else if (speed < -2)
        ++speed;
    return true;
}
