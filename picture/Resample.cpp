#include "picture/Resample.h"

#include "picture/Bmp.h"
#include "picture/PixelKernels.h"

#include <cstdlib>
#include <cstring>

namespace {

using pix::Rows;

// Enlarging rows: each output row interpolates two source rows, f / 255.
void RowsUp(const uint8_t* src, int w, int h, uint8_t* dst, int newH)
{
    const size_t stride = static_cast<size_t>(w) * 4;
    for (int i = 0; i < newH; ++i) {
        const long long pos = static_cast<long long>(i) * (h - 1);
        const long long s = pos / (newH - 1);
        const uint32_t f = static_cast<uint32_t>(pos * 255 / (newH - 1) % 255);
        const uint8_t* a = src + static_cast<size_t>(s) * stride;
        uint8_t* out = dst + static_cast<size_t>(i) * stride;
        if (f == 0)
            std::memcpy(out, a, stride);
        else
            Rows().lerp255(out, a, a + stride, static_cast<int>(stride), f);
    }
}

// Reducing rows: area average, each source row split over the one or two
// output rows it falls into, every term truncated on its own.
void RowsDown(const uint8_t* src, int w, int h, uint8_t* dst, int newH)
{
    const size_t stride = static_cast<size_t>(w) * 4;
    const int bytes = static_cast<int>(stride);
    const long long H = h;
    for (int i = 0; i < h; ++i) {
        const uint8_t* row = src + static_cast<size_t>(i) * stride;
        const long long b = static_cast<long long>(i) * newH;
        const long long c = b + newH;
        const long long t = b / H, d = c / H;
        uint8_t* outT = dst + static_cast<size_t>(t) * stride;
        if (t == d) {
            Rows().addScaled(outT, row, bytes, static_cast<uint32_t>(newH), static_cast<uint32_t>(h));
            continue;
        }
        if (b != H * d)
            Rows().addScaled(outT, row, bytes, static_cast<uint32_t>(H * d - b), static_cast<uint32_t>(h));
        const long long r = c % H;
        if (r != 0)
            Rows().addScaled(dst + static_cast<size_t>(d) * stride, row, bytes, static_cast<uint32_t>(r),
                             static_cast<uint32_t>(h));
    }
}

void PlanReduce(pix::ReduceCol* cols, int w, int newW)
{
    const long long W = w;
    const bool magic = w <= 65535;
    for (int i = 0; i < w; ++i) {
        pix::ReduceCol& col = cols[i];
        const long long b = static_cast<long long>(i) * newW;
        const long long c = b + newW;
        const long long t = b / W, d = c / W;
        col.t = col.d = static_cast<int32_t>(t);
        col.w2 = 0;
        if (t == d) {
            col.w1 = static_cast<uint32_t>(newW);
        } else {
            col.w1 = b != W * d ? static_cast<uint32_t>(W * d - b) : 0;
            const long long r = c % W;
            if (r != 0) {
                col.d = static_cast<int32_t>(d);
                col.w2 = static_cast<uint32_t>(r);
            }
        }
        col.whole = col.w1 == static_cast<uint32_t>(newW) && col.w2 == 0;
        uint16_t h1 = 0, l1 = 0, h2 = 0, l2 = 0;
        if (magic) {
            pix::ReduceMagic(col.w1, static_cast<uint32_t>(w), h1, l1);
            pix::ReduceMagic(col.w2, static_cast<uint32_t>(w), h2, l2);
        }
        for (int k = 0; k < 4; ++k) {
            col.mh[k] = h1;
            col.ml[k] = l1;
            col.mh[k + 4] = h2;
            col.ml[k + 4] = l2;
        }
    }
}

// Enlarging columns divides by 256, not 255; with f = 0 the neighbour is not
// needed, so the pair is taken one column to the left at the right edge.
void PlanEnlarge(pix::EnlargeCol* cols, int w, int newW)
{
    for (int j = 0; j < newW; ++j) {
        const long long pos = static_cast<long long>(j) * (w - 1);
        int s = static_cast<int>(pos / (newW - 1));
        const uint32_t f = static_cast<uint32_t>(pos * 255 / (newW - 1) % 255);
        uint16_t lo = static_cast<uint16_t>(255 - f), hi = static_cast<uint16_t>(f);
        if (f == 0 && s == w - 1 && w >= 2) {
            s -= 1;
            lo = 0;
            hi = 255;
        }
        cols[j].s0 = s;
        for (int k = 0; k < 4; ++k) {
            cols[j].w[k] = lo;
            cols[j].w[k + 4] = hi;
        }
    }
}

}  // namespace

uint8_t* ResamplePixels(const uint8_t* src, int w, int h, int newW, int newH)
{
    if (!src || BmpByteSize(w, h) == 0)
        return nullptr;
    uint8_t* mid = AllocPixels(w, newH);
    uint8_t* out = AllocPixels(newW, newH);
    const bool reduce = newW <= w;
    // Column plan (and, when reducing, one scratch row after it).
    void* plan = std::malloc(reduce ? (sizeof(pix::ReduceCol) + 4) * static_cast<size_t>(w)
                                    : sizeof(pix::EnlargeCol) * static_cast<size_t>(newW));
    if (!mid || !out || !plan) {
        std::free(mid);
        std::free(out);
        std::free(plan);
        return nullptr;
    }

    const size_t stride = static_cast<size_t>(w) * 4;
    if (newH == h)
        std::memcpy(mid, src, stride * static_cast<size_t>(h));
    else if (h < newH)
        RowsUp(src, w, h, mid, newH);
    else
        RowsDown(src, w, h, mid, newH);

    const size_t outStride = static_cast<size_t>(newW) * 4;
    if (newW == w) {
        std::memcpy(out, mid, stride * static_cast<size_t>(newH));
    } else if (reduce) {
        auto* cols = static_cast<pix::ReduceCol*>(plan);
        PlanReduce(cols, w, newW);
        const pix::ReducePlan rp = {cols, static_cast<uint32_t>(w), static_cast<uint32_t>(newW),
                                    reinterpret_cast<uint8_t*>(cols + w)};
        for (int y = 0; y < newH; ++y)
            Rows().reduceRow(out + y * outStride, mid + y * stride, rp);
    } else {
        auto* cols = static_cast<pix::EnlargeCol*>(plan);
        PlanEnlarge(cols, w, newW);
        for (int y = 0; y < newH; ++y)
            Rows().enlargeRow(out + y * outStride, mid + y * stride, w, newW, cols);
    }
    std::free(plan);
    std::free(mid);
    return out;
}
