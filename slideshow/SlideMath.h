#pragma once
// Arithmetic of the slide show without any window: photo stepping, opacity,
// placement on the work area, fades and the thumbnail strip's cells.

struct SlideRect {
    int left, top, right, bottom;
};

struct SlidePoint {
    int x, y;
};

// Percent to alpha, truncated: 80 -> 204, 50 -> 127.
int AlphaFromPercent(int percent);

// index + delta; past the end restarts at 0 whatever the overshoot, below 0
// wraps from the end. -1 when the album is empty.
int StepIndex(int index, int delta, int count);
// The stored index may be stale (photos deleted, album reloaded): a step of 0.
inline int IndexInRange(int index, int count) { return StepIndex(index, 0, count); }

// Timer 1 period; a timeout of 0 still ticks once a minute but never switches.
unsigned SwitchPeriodMs(int timeoutMinutes);

// Top-left corner of a w x h window aligned on the work area.
SlidePoint PlaceOnArea(int codeX, int codeY, int marginX, int marginY, int w, int h,
                       const SlideRect& area);

struct SlidePlacement {
    int codeX, codeY, marginX, marginY;
};
// Alignment and margins that put the window back where it was dropped. The
// thirds of the work area's extent are counted from the monitor's origin
// (screen coordinate 0 on the primary monitor), not from the work area.
SlidePlacement PlacementFromRect(const SlideRect& window, const SlideRect& area, SlidePoint monitorOrigin);

// Left edge of the strip under a window spanning left..right.
int StripLeft(int codeX, int left, int right, int stripWidth);

// One fade tick: toward the target by step, never past it.
int NextFadeAlpha(int current, int target, int step);

// The strip: a row of square cells of side `cell` across `width` pixels with
// the current photo in the middle.
struct LentaLayout {
    int count;   // cells drawn
    int half;    // cells left of the centre one
    int firstX;  // left edge of the first cell
    int centreX; // left edge of the centre cell
};
LentaLayout LayOutLenta(int width, int cell, int slideOffset);
// Photo shown in cell k; the album wraps around along the strip.
int LentaPhoto(int current, int half, int k, int count);
// Signed number of cells between the clicked x and the centre cell.
int LentaCellsFromCentre(int x, int width, int cell);

// The sliding animation after a click k cells away from the centre.
struct LentaSlide {
    int offset = 0;
    int speed = 0;
    void Start(int k);
    // One 20 ms step; false once the offset has come to rest at 0.
    bool Tick();
};
