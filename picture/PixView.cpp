#include "picture/PixView.h"

#include "picture/Bmp.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

bool ClipTo(int tw, int th, int x, int y, int w, int h, ClipRect& out)
{
    const long long x0 = std::max<long long>(x, 0), y0 = std::max<long long>(y, 0);
    const long long x1 = std::min<long long>(static_cast<long long>(x) + w, tw);
    const long long y1 = std::min<long long>(static_cast<long long>(y) + h, th);
    if (x1 <= x0 || y1 <= y0)
        return false;
    out.dstX = static_cast<int>(x0);
    out.dstY = static_cast<int>(y0);
    out.srcX = static_cast<int>(x0 - x);
    out.srcY = static_cast<int>(y0 - y);
    out.w = static_cast<int>(x1 - x0);
    out.h = static_cast<int>(y1 - y0);
    return true;
}

CPixView::~CPixView() { Reset(); }

void CPixView::Reset()
{
    if (!borrowed_)
        std::free(bits_);
    bits_ = nullptr;
    width_ = height_ = byteSize_ = 0;
    borrowed_ = false;
}

bool CPixView::Create(int width, int height)
{
    Reset();
    bits_ = AllocPixels(width, height);
    if (!bits_)
        return false;
    width_ = width;
    height_ = height;
    byteSize_ = BmpByteSize(width, height);
    return true;
}

void CPixView::Wrap(CBmp& bmp) { Wrap(bmp.Bits(), bmp.Width(), bmp.Height()); }

void CPixView::Wrap(uint8_t* bits, int width, int height)
{
    Reset();
    if (!bits || BmpByteSize(width, height) == 0)
        return;
    bits_ = bits;
    width_ = width;
    height_ = height;
    byteSize_ = BmpByteSize(width, height);
    borrowed_ = true;
}

namespace {

// Walks the clipped overlap from the right end of each row, as the composites
// are defined. A transparent source pixel leaves the target alone and a
// transparent target pixel takes the source as it is; op gets the pairs where
// both have some alpha.
template <class Op>
void ForEachFromRight(uint8_t* bits, int tw, int th, const uint8_t* src, int x, int y, int w, int h, Op op)
{
    ClipRect r;
    if (!bits || !src || !ClipTo(tw, th, x, y, w, h, r))
        return;
    for (int row = 0; row < r.h; ++row) {
        const uint8_t* s = src + (static_cast<size_t>(r.srcY + row) * w + r.srcX) * 4;
        uint8_t* d = bits + (static_cast<size_t>(r.dstY + row) * tw + r.dstX) * 4;
        for (int col = r.w - 1; col >= 0; --col) {
            const uint8_t* sp = s + col * 4;
            uint8_t* dp = d + col * 4;
            if (sp[3] == 0)
                continue;
            if (dp[3] == 0)
                std::copy(sp, sp + 4, dp);
            else
                op(dp, sp);
        }
    }
}

void UnionPixel(uint8_t* d, const uint8_t* s)
{
    const uint32_t sa = s[3], da = d[3];
    uint32_t ws, wd;
    if (sa + da >= 255) {
        ws = sa;
        wd = 255 - sa;
    } else {
        ws = sa * 255 / (sa + da);
        wd = da * 255 / (sa + da);
    }
    for (int c = 0; c < 3; ++c)
        d[c] = static_cast<uint8_t>((s[c] * ws + d[c] * wd) >> 8);
    d[3] = static_cast<uint8_t>(sa + da - ((sa * da * 258) >> 16));
}

void MultiplyPixel(uint8_t* d, const uint8_t* s)
{
    const uint32_t sa = s[3], da = d[3];
    const uint32_t u = sa * da / 255;
    const uint32_t wd = (255 - u) * da / 255;
    const uint32_t ws = 255 - u - wd;
    for (int c = 0; c < 3; ++c)
        d[c] = static_cast<uint8_t>((d[c] * wd + (d[c] * s[c] / 255) * u + s[c] * ws) / 255);
    d[3] = static_cast<uint8_t>(sa + da - u);
}

}  // namespace

long long CPixView::UnionComposite(const uint8_t* src, int x, int y, int w, int h)
{
    const auto start = std::chrono::steady_clock::now();
    ForEachFromRight(bits_, width_, height_, src, x, y, w, h, UnionPixel);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
}

void CPixView::MultiplyComposite(const uint8_t* src, int x, int y, int w, int h)
{
    ForEachFromRight(bits_, width_, height_, src, x, y, w, h, MultiplyPixel);
}
