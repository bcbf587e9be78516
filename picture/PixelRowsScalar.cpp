// The reference definitions of the row kernels; the vector paths use them
// for their tails.
#include "picture/PixelKernels.h"

#include <cstring>

namespace pix {
namespace scalar {

void BlendOver(uint8_t* dst, const uint8_t* src, int n)
{
    for (int i = 0; i < n; ++i, dst += 4, src += 4) {
        const uint32_t a = src[3];
        if (a == 0)
            continue;
        if (a == 255) {
            std::memcpy(dst, src, 4);
            continue;
        }
        for (int c = 0; c < 4; ++c)
            dst[c] = static_cast<uint8_t>((dst[c] * (255 - a) + src[c] * a) >> 8);
    }
}

void Premultiply(uint8_t* px, int n)
{
    for (int i = 0; i < n; ++i, px += 4) {
        const uint32_t a = px[3];
        for (int c = 0; c < 3; ++c)
            px[c] = static_cast<uint8_t>(px[c] * a / 255);
    }
}

void Lerp255(uint8_t* dst, const uint8_t* a, const uint8_t* b, int bytes, uint32_t f)
{
    for (int i = 0; i < bytes; ++i)
        dst[i] = static_cast<uint8_t>((b[i] * f + a[i] * (255 - f)) / 255);
}

void AddScaled(uint8_t* dst, const uint8_t* src, int bytes, uint32_t w, uint32_t div)
{
    for (int i = 0; i < bytes; ++i)
        dst[i] = static_cast<uint8_t>(dst[i] + static_cast<uint64_t>(src[i]) * w / div);
}

void ReduceRow(uint8_t* dst, const uint8_t* src, const ReducePlan& plan)
{
    const uint32_t div = plan.div;
    for (uint32_t i = 0; i < div; ++i, src += 4) {
        const ReduceCol& col = plan.cols[i];
        uint8_t* t = dst + static_cast<size_t>(col.t) * 4;
        uint8_t* d = dst + static_cast<size_t>(col.d) * 4;
        for (int c = 0; c < 4; ++c) {
            t[c] = static_cast<uint8_t>(t[c] + static_cast<uint64_t>(src[c]) * col.w1 / div);
            if (col.w2)
                d[c] = static_cast<uint8_t>(d[c] + static_cast<uint64_t>(src[c]) * col.w2 / div);
        }
    }
}

void EnlargeRow(uint8_t* dst, const uint8_t* src, int /*srcW*/, int dstW, const EnlargeCol* cols)
{
    for (int j = 0; j < dstW; ++j, dst += 4) {
        const EnlargeCol& col = cols[j];
        const uint8_t* s = src + static_cast<size_t>(col.s0) * 4;
        for (int c = 0; c < 4; ++c) {
            uint32_t v = s[c] * static_cast<uint32_t>(col.w[0]);
            if (col.w[4])
                v += s[c + 4] * static_cast<uint32_t>(col.w[4]);
            dst[c] = static_cast<uint8_t>(v >> 8);
        }
    }
}

}  // namespace scalar

const RowKernels kScalarRows = {"scalar",          scalar::BlendOver, scalar::Premultiply, scalar::Lerp255,
                                scalar::AddScaled, scalar::ReduceRow, scalar::EnlargeRow};

}  // namespace pix
