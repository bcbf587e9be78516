#include "picture/BmpCompose.h"

#include "picture/Bmp.h"
#include "picture/PixView.h"
#include "picture/PixelKernels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

void CBmp::Draw(CPixView& target, int x, int y) const
{
    ClipRect r;
    if (Empty() || target.Empty() ||
        !ClipTo(target.Width(), target.Height(), x + offsetX, y + offsetY, width_, height_, r))
        return;
    for (int row = 0; row < r.h; ++row) {
        uint8_t* d = target.Bits() + (static_cast<size_t>(r.dstY + row) * target.Width() + r.dstX) * 4;
        const uint8_t* s = bits_ + (static_cast<size_t>(r.srcY + row) * width_ + r.srcX) * 4;
        pix::BlendOverRow(d, s, r.w);
    }
}

namespace {

// Copies between a w x h buffer and the part of the view it overlaps.
void CopyWithView(CPixView& view, int x, int y, uint8_t* buf, int w, int h, bool toView)
{
    ClipRect r;
    if (!ClipTo(view.Width(), view.Height(), x, y, w, h, r))
        return;
    for (int row = 0; row < r.h; ++row) {
        uint8_t* v = view.Bits() + (static_cast<size_t>(r.dstY + row) * view.Width() + r.dstX) * 4;
        uint8_t* b = buf + (static_cast<size_t>(r.srcY + row) * w + r.srcX) * 4;
        if (toView)
            std::memcpy(v, b, static_cast<size_t>(r.w) * 4);
        else
            std::memcpy(b, v, static_cast<size_t>(r.w) * 4);
    }
}

// Bands must leave the middle at least one source line to interpolate from,
// or the interpolation would read outside the source.
int FitBand(int band, int dstLen, int srcLen)
{
    band = std::max(band, 0);
    const bool fits = 2 * static_cast<long long>(band) <= dstLen &&
                      (dstLen == 2 * band ? 2 * band <= srcLen : 2 * band < srcLen);
    if (fits)
        return band;
    band = std::min({band, dstLen / 2, srcLen / 2});
    if (dstLen - 2 * band > 0 && srcLen - 2 * band < 1)
        band = (srcLen - 1) / 2;
    return band;
}

// Position of middle line k of m on a source middle spanning g + 1 lines.
struct Step {
    int s;
    uint32_t f;
};
Step MiddleStep(int band, int k, int m, int g)
{
    if (m == 1)
        return {band, 0};
    const long long pos = static_cast<long long>(k) * g;
    return {band + static_cast<int>(pos / (m - 1)), static_cast<uint32_t>(pos * 255 / (m - 1) % 255)};
}

}  // namespace

bool BlendStretchedBands(const CBmp& src, uint8_t* dst, int w, int h, int bandW, int bandH)
{
    if (src.Empty() || !dst || w <= 0 || h <= 0)
        return false;
    const int sw = src.Width(), sh = src.Height();
    const int bw = FitBand(bandW, w, sw), bh = FitBand(bandH, h, sh);
    uint8_t* mid = AllocPixels(sw, h);
    if (!mid)
        return false;

    // Vertical pass: bands copied, middle rows interpolated with >> 8.
    const size_t srow = static_cast<size_t>(sw) * 4;
    const uint8_t* s = src.Bits();
    std::memcpy(mid, s, srow * static_cast<size_t>(bh));
    std::memcpy(mid + srow * static_cast<size_t>(h - bh), s + srow * static_cast<size_t>(sh - bh),
                srow * static_cast<size_t>(bh));
    const int hm = h - 2 * bh, g = sh - 2 * bh - 1;
    for (int k = 0; k < hm; ++k) {
        const Step st = MiddleStep(bh, k, hm, g);
        const uint8_t* a = s + srow * static_cast<size_t>(st.s);
        uint8_t* out = mid + srow * static_cast<size_t>(bh + k);
        for (size_t i = 0; i < srow; ++i) {
            uint32_t v = a[i] * (255 - st.f);
            if (st.f)
                v += a[i + srow] * st.f;
            out[i] = static_cast<uint8_t>(v >> 8);
        }
    }

    // Horizontal pass, blended over the destination; its alpha is kept.
    const size_t drow = static_cast<size_t>(w) * 4;
    const int wm = w - 2 * bw, gx = sw - 2 * bw - 1;
    for (int col = 0; col < w; ++col) {
        const bool middle = col >= bw && col < w - bw;
        Step st{col < bw ? col : sw - (w - col), 0};
        if (middle)
            st = MiddleStep(bw, col - bw, wm, gx);
        for (int y = 0; y < h; ++y) {
            const uint8_t* m = mid + srow * static_cast<size_t>(y) + static_cast<size_t>(st.s) * 4;
            uint8_t* d = dst + drow * static_cast<size_t>(y) + static_cast<size_t>(col) * 4;
            const uint32_t a = m[3];
            for (int c = 0; c < 3; ++c) {
                if (middle) {
                    uint32_t v = m[c] * (255 - st.f);
                    if (st.f)
                        v += m[c + 4] * st.f;
                    d[c] = static_cast<uint8_t>((d[c] * (255 - a) + v * a / 256) >> 8);
                } else {
                    d[c] = static_cast<uint8_t>((m[c] * a + d[c] * (255 - a)) >> 8);
                }
            }
        }
    }
    std::free(mid);
    return true;
}

bool CBmp::DrawStretched(CPixView& target, int x, int y, int w, int h, int bandW, int bandH) const
{
    if (Empty() || target.Empty() || w <= 0 || h <= 0)
        return false;
    uint8_t* buf = AllocPixels(w, h);
    if (!buf)
        return false;
    x += offsetX;
    y += offsetY;
    CopyWithView(target, x, y, buf, w, h, false);
    const bool drawn = BlendStretchedBands(*this, buf, w, h, bandW, bandH);
    if (drawn)
        CopyWithView(target, x, y, buf, w, h, true);
    std::free(buf);
    return drawn;
}

void CBmp::DrawLayer(CPixView& target, int x, int y, int k) const
{
    if (!HasLayer(k))
        return;
    for (const auto& piece : GetLayer(k))
        piece->Draw(target, x, y);
}

void CBmp::DrawLayerStretched(CPixView& target, int x, int y, int w, int h, int bandW, int bandH, int k) const
{
    if (!HasLayer(k))
        return;
    for (const auto& piece : GetLayer(k))
        piece->DrawStretched(target, x, y, w, h, bandW, bandH);
}
