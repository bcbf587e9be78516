#include "picture/PixelKernels.h"

namespace pix {

namespace {
const RowKernels* g_forced = nullptr;

const RowKernels& Best()
{
#if defined(__SSE2__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? kAvx2Rows : kSse2Rows;
#else
    return kScalarRows;
#endif
}
}  // namespace

const RowKernels& Rows()
{
    static const RowKernels& best = Best();
    return g_forced ? *g_forced : best;
}

void ForceKernels(const RowKernels* kernels) { g_forced = kernels; }

void ReduceMagic(uint32_t w, uint32_t div, uint16_t& mh, uint16_t& ml)
{
    const uint64_t m = ((static_cast<uint64_t>(w) << 24) + div - 1) / div;
    mh = static_cast<uint16_t>(m >> 16);
    ml = static_cast<uint16_t>(m & 0xFFFF);
}

bool AllOpaque(const uint8_t* px, int n)
{
    for (int i = 0; i < n; ++i, px += 4)
        if (px[3] != 255)
            return false;
    return true;
}

void OpacityBlendRow(uint8_t* dst, const uint8_t* src, int n, int opacity)
{
    // Outside 0..255 the weights would go negative.
    opacity = opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity);
    for (int i = 0; i < n; ++i, dst += 4, src += 4) {
        const uint32_t v = src[3] * static_cast<uint32_t>(opacity) / 255;
        for (int c = 0; c < 3; ++c)
            dst[c] = static_cast<uint8_t>((dst[c] * (255 - v) + src[c] * v) / 255);
    }
}

}  // namespace pix
