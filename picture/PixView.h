#pragma once
// A lighter pixel surface: either its own zero-filled buffer or a borrowed
// view of a CBmp. Used as a draw target and for the union and multiply
// composites. The device-context side lives in the Win32 layer.

#include <cstdint>

#include "picture/PixBuffer.h"

class CBmp;

class CPixView : public CPixBuffer {
public:
    CPixView() = default;
    ~CPixView();
    CPixView(const CPixView&) = delete;
    CPixView& operator=(const CPixView&) = delete;

    bool Create(int width, int height);
    void Wrap(CBmp& bmp);
    void Wrap(uint8_t* bits, int width, int height);
    void Reset();

    // Both walk each clipped source row from its right end; src is w x h
    // tightly packed BGRA. UnionComposite returns its own running time in
    // microseconds.
    long long UnionComposite(const uint8_t* src, int x, int y, int w, int h);
    void MultiplyComposite(const uint8_t* src, int x, int y, int w, int h);
};

// Clipping of a w x h source placed at (x, y) on a target of tw x th.
struct ClipRect {
    int srcX, srcY;  // first source pixel
    int dstX, dstY;  // where it lands
    int w, h;        // both positive when anything is left
};
bool ClipTo(int tw, int th, int x, int y, int w, int h, ClipRect& out);
