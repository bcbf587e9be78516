#include "picture/Bmp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// ((dy^2 * 64 * rx^2) + (dx^2 * 64 * ry^2)) / (rx^2 * ry^2), exact in 64 bits
// while rx * ry < 2^28; beyond that extended precision keeps it from wrapping.
long long EllipseT(long long dx, long long dy, long long rx, long long ry)
{
    if (rx * ry < (1LL << 28))
        return (dy * dy * 64 * rx * rx + dx * dx * 64 * ry * ry) / (rx * rx * ry * ry);
    const long double num = static_cast<long double>(dy * dy) * 64 * rx * rx +
                            static_cast<long double>(dx * dx) * 64 * ry * ry;
    return static_cast<long long>(num / (static_cast<long double>(rx * rx) * ry * ry));
}

}  // namespace

void CBmp::SoftEllipse(int cx, int cy, int rx, int ry, uint32_t bgra)
{
    if (Empty() || rx <= 0 || ry <= 0)
        return;
    const long long x0 = std::max<long long>(static_cast<long long>(cx) - rx, 0);
    const long long x1 = std::min<long long>(static_cast<long long>(cx) + rx, width_);
    const long long y0 = std::max<long long>(static_cast<long long>(cy) - ry, 0);
    const long long y1 = std::min<long long>(static_cast<long long>(cy) + ry, height_);
    uint8_t colour[4];
    std::memcpy(colour, &bgra, 4);
    for (long long y = y0; y < y1; ++y) {
        for (long long x = x0; x < x1; ++x) {
            const long long t = EllipseT(x - cx, y - cy, rx, ry);
            if (t >= 64)
                continue;
            uint8_t* p = bits_ + (y * width_ + x) * 4;
            for (int c = 0; c < 4; ++c)
                p[c] = static_cast<uint8_t>((p[c] * t + colour[c] * (64 - t)) / 64);
        }
    }
}

bool CBmp::Blur(int radius)
{
    if (Empty() || radius <= 0)
        return true;
    const int side = 2 * radius + 1;
    CBmp kernel;
    uint8_t* out = AllocPixels(width_, height_);
    if (!out || !kernel.Create(side, side)) {
        std::free(out);
        return false;
    }
    kernel.Fill(0x00FFFFFF);
    kernel.SoftEllipse(radius, radius, radius + 1, radius + 1, 0xFFFFFFFF);
    const uint8_t* k = kernel.Bits();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            unsigned long long sum[4] = {0, 0, 0, 0};
            unsigned count = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                if (y + dy < 0 || y + dy >= height_)
                    continue;
                for (int dx = -radius; dx <= radius; ++dx) {
                    if (x + dx < 0 || x + dx >= width_)
                        continue;
                    const uint8_t* kp = k + ((dy + radius) * side + dx + radius) * 4;
                    if ((kp[0] | kp[1] | kp[2] | kp[3]) == 0)
                        continue;
                    const uint8_t* p = bits_ + (static_cast<size_t>(y + dy) * width_ + x + dx) * 4;
                    for (int c = 0; c < 4; ++c)
                        sum[c] += static_cast<unsigned>(p[c]) * kp[c];
                    ++count;
                }
            }
            uint8_t* o = out + (static_cast<size_t>(y) * width_ + x) * 4;
            for (int c = 0; c < 4; ++c)
                o[c] = static_cast<uint8_t>(std::min<unsigned long long>(sum[c] / count / 255, 255));
        }
    }
    std::memcpy(bits_, out, static_cast<size_t>(byteSize_));
    std::free(out);
    return true;
}

namespace {

struct Vec {
    long long x, y;
};
long long Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec Mirror(Vec a, Vec b) { return {2 * a.x - b.x, 2 * a.y - b.y}; }  // 2a - b

// Colour channel c (0 = B ... 3 = A) of a colour holding red in its lowest byte.
int Channel(uint32_t rgba, int c)
{
    static const int shift[4] = {16, 8, 0, 24};
    return static_cast<int>((rgba >> shift[c]) & 255);
}

void PutColour(uint8_t* p, uint32_t rgba)
{
    for (int c = 0; c < 4; ++c)
        p[c] = static_cast<uint8_t>(Channel(rgba, c));
}

}  // namespace

void CBmp::Gradient(const BmpPoint* points, const uint32_t* colours, int count, bool extendStart, bool extendEnd)
{
    if (Empty() || !points || !colours || count < 2)
        return;
    // pts[k + 1] is P(k): one extra point before P0 and two after P(n-1).
    std::vector<Vec> pts(static_cast<size_t>(count) + 3);
    for (int k = 0; k < count; ++k)
        pts[static_cast<size_t>(k) + 1] = {points[k].x, points[k].y};
    pts[0] = Mirror(pts[1], pts[2]);
    pts[static_cast<size_t>(count) + 1] = Mirror(pts[static_cast<size_t>(count)], pts[static_cast<size_t>(count) - 1]);
    pts[static_cast<size_t>(count) + 2] =
        Mirror(pts[static_cast<size_t>(count) + 1], pts[static_cast<size_t>(count)]);
    auto P = [&](int k) { return pts[static_cast<size_t>(k) + 1]; };
    auto T = [&](int k) { return Sub(P(k + 1), P(k - 1)); };

    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Vec X{x, y};
            uint8_t* p = bits_ + (static_cast<size_t>(y) * width_ + x) * 4;
            if (extendStart && Dot(Sub(X, P(0)), T(0)) < 0)
                PutColour(p, colours[0]);
            for (int k = 1; k < count; ++k) {
                const long long u = Dot(Sub(X, P(k - 1)), T(k - 1));
                const long long s = Dot(Sub(X, P(k)), T(k));
                if (s > 0 || u < 0)
                    continue;
                if (u - s <= 0) {
                    PutColour(p, colours[k]);
                    continue;
                }
                for (int c = 0; c < 4; ++c) {
                    const long long v = (Channel(colours[k], c) * u - Channel(colours[k - 1], c) * s) / (u - s);
                    p[c] = static_cast<uint8_t>(v);
                }
            }
            if (extendEnd && Dot(Sub(X, P(count - 1)), T(count - 1)) >= 0)
                PutColour(p, colours[count - 1]);
        }
    }
}
