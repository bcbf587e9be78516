#include "slideshow/FavouriteStar.h"

#include <cmath>

#include "picture/Bmp.h"

namespace {

const int kSamples = 4;   // per pixel side

struct Point {
    double x;
    double y;
};

// Even-odd rule over the ten corners.
bool Inside(const Point (&star)[10], double x, double y)
{
    bool inside = false;
    for (int i = 0, j = 9; i < 10; j = i++) {
        const Point& a = star[i];
        const Point& b = star[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

}  // namespace

bool MakeFavouriteStar(int size, CBmp& out)
{
    if (size <= 0 || !out.Create(size, size))
        return false;
    const double pi = 3.14159265358979323846;
    const double centre = size / 2.0;
    Point star[10];
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 ? 0.2 : 0.5) * size;
        const double angle = -pi / 2 + i * pi / 5;
        star[i] = {centre + radius * std::cos(angle), centre + 0.05 * size + radius * std::sin(angle)};
    }
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    covered += Inside(star, x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
            const uint32_t alpha = static_cast<uint32_t>(covered * 255 / (kSamples * kSamples));
            out.SetPixel(x, y, alpha << 24 | 0x00FFC61Eu);
        }
    }
    out.SetHasAlpha(true);
    return true;
}
