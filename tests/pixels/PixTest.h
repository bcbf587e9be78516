#pragma once
#include "picture/Bmp.h"
#include "picture/PixelKernels.h"

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

// Pixel values as 0xAARRGGBB, read the way the buffer stores them.
inline uint32_t Px(uint8_t b, uint8_t g, uint8_t r, uint8_t a)
{
    return b | (g << 8) | (r << 16) | (static_cast<uint32_t>(a) << 24);
}

inline void RandomFill(uint8_t* p, size_t bytes, std::mt19937& rng)
{
    for (size_t i = 0; i < bytes; ++i)
        p[i] = static_cast<uint8_t>(rng());
}

inline CBmp RandomBmp(int w, int h, std::mt19937& rng)
{
    CBmp b;
    b.Create(w, h);
    RandomFill(b.Bits(), static_cast<size_t>(b.ByteSize()), rng);
    return b;
}

inline CBmp SolidBmp(int w, int h, uint32_t bgra)
{
    CBmp b;
    b.Create(w, h);
    b.Fill(bgra);
    return b;
}

inline std::vector<uint8_t> Bytes(const CBmp& b)
{
    return std::vector<uint8_t>(b.Bits(), b.Bits() + b.ByteSize());
}

// The vector kernel paths this CPU can run, chosen as the program chooses them.
inline std::vector<const pix::RowKernels*> VectorPaths()
{
    std::vector<const pix::RowKernels*> paths;
#if defined(__SSE2__)
    paths.push_back(&pix::kSse2Rows);
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        paths.push_back(&pix::kAvx2Rows);
#endif
    return paths;
}
