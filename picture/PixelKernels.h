#pragma once
// Row kernels behind the pixel operations. Each has one exact integer
// definition (the scalar path); the vector paths (SSE2, and AVX2 when the CPU
// has it) produce the same bytes.

#include <cstdint>

namespace pix {

// Exact x / 255 for 0 <= x <= 65535.
inline uint32_t Div255(uint32_t x) { return (x * 0x8081u) >> 23; }

// Column plan of a horizontal area-average reduction from div source columns:
// source column i adds src*w1/div to output t and src*w2/div to output d.
// mh/ml hold the 16-bit halves of ceil(w*2^24/div) for w1 (lanes 0-3) and
// w2 (lanes 4-7); they are exact while div <= 65535.
struct ReduceCol {
    uint16_t mh[8];
    uint16_t ml[8];
    int32_t t, d;
    uint32_t w1, w2;
    uint32_t whole;  // 1 when the column falls whole into output t (w1 = newW, w2 = 0)
};

// A horizontal reduction of one row: the column plan, the source width (the
// divisor), the target width, and a row-sized scratch buffer.
struct ReducePlan {
    const ReduceCol* cols;
    uint32_t div;
    uint32_t newW;
    uint8_t* scratch;
};

// Column plan of a horizontal enlargement: output = (src[s0]*w[0] +
// src[s0+1]*w[4]) >> 8; the neighbour is not read when w[4] is 0.
struct EnlargeCol {
    uint16_t w[8];
    int32_t s0;
};

// Splits ceil(w * 2^24 / div) into the two halves used by the vector paths.
void ReduceMagic(uint32_t w, uint32_t div, uint16_t& mh, uint16_t& ml);

struct RowKernels {
    const char* name;
    // a = 0 keeps dst, a = 255 copies, else each byte (d*(255-a) + s*a) >> 8.
    void (*blendOver)(uint8_t* dst, const uint8_t* src, int n);
    // B, G, R := v * a / 255; alpha kept.
    void (*premultiply)(uint8_t* px, int n);
    // bytes: dst = (b*f + a*(255-f)) / 255, 0 < f < 255.
    void (*lerp255)(uint8_t* dst, const uint8_t* a, const uint8_t* b, int bytes, uint32_t f);
    // bytes: dst += src * w / div (every sum stays within a byte).
    void (*addScaled)(uint8_t* dst, const uint8_t* src, int bytes, uint32_t w, uint32_t div);
    void (*reduceRow)(uint8_t* dst, const uint8_t* src, const ReducePlan& plan);
    void (*enlargeRow)(uint8_t* dst, const uint8_t* src, int srcW, int dstW, const EnlargeCol* cols);
};

// The kernels for this CPU, or the ones forced.
const RowKernels& Rows();
// Tests run every path against the written rules; null restores the best.
void ForceKernels(const RowKernels* kernels);

namespace scalar {
void BlendOver(uint8_t* dst, const uint8_t* src, int n);
void Premultiply(uint8_t* px, int n);
void Lerp255(uint8_t* dst, const uint8_t* a, const uint8_t* b, int bytes, uint32_t f);
void AddScaled(uint8_t* dst, const uint8_t* src, int bytes, uint32_t w, uint32_t div);
void ReduceRow(uint8_t* dst, const uint8_t* src, const ReducePlan& plan);
void EnlargeRow(uint8_t* dst, const uint8_t* src, int srcW, int dstW, const EnlargeCol* cols);
}  // namespace scalar

extern const RowKernels kScalarRows;
#if defined(__SSE2__)
extern const RowKernels kSse2Rows;
extern const RowKernels kAvx2Rows;
#endif

inline void BlendOverRow(uint8_t* dst, const uint8_t* src, int n) { Rows().blendOver(dst, src, n); }
inline void PremultiplyRow(uint8_t* px, int n) { Rows().premultiply(px, n); }
// Every pixel's alpha is 255: blending it over anything is a copy.
bool AllOpaque(const uint8_t* px, int n);
// Opacity blend: v = src.alpha * opacity / 255; B, G, R of dst become
// (dst*(255-v) + src*v) / 255; dst alpha kept.
void OpacityBlendRow(uint8_t* dst, const uint8_t* src, int n, int opacity);

}  // namespace pix
