// End-to-end photo timing under Wine: decode, then everything after it (fit
// to a 1920 x 1080 area, resample, 64-pixel thumbnail), each timed alone.
#include "picture/Fit.h"
#include "picture/Picture.h"
#include "picture/Resample.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>

namespace {
double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER freq)
{
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: photo_timing PHOTO\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    LARGE_INTEGER freq, t0, t1, t2;
    QueryPerformanceFrequency(&freq);
    const int runs = 3;
    double decode = 1e30, after = 1e30;
    int w = 0, h = 0;
    for (int r = 0; r < runs; ++r) {
        CBmp photo;
        QueryPerformanceCounter(&t0);
        if (!LoadPhotoFile(argv[1], photo)) {
            std::fprintf(stderr, "photo_timing: cannot decode\n");
            return 1;
        }
        QueryPerformanceCounter(&t1);
        w = photo.Width();
        h = photo.Height();
        const FitSize fit = FitPhoto(w, h, 1920, 1080, false, 0, 0);
        const FitSize thumb = ThumbnailSize(w, h);
        uint8_t* shown = ResamplePixels(photo.Bits(), w, h, fit.width, fit.height);
        uint8_t* small = ResamplePixels(photo.Bits(), w, h, thumb.width, thumb.height);
        QueryPerformanceCounter(&t2);
        std::free(shown);
        std::free(small);
        decode = Ms(t0, t1, freq) < decode ? Ms(t0, t1, freq) : decode;
        after = Ms(t1, t2, freq) < after ? Ms(t1, t2, freq) : after;
    }
    std::printf("end-to-end %dx%d (best of %d): decode %.1f ms, fit+resample+thumbnail %.1f ms, ratio %.3f "
                "(target < 0.1)\n",
                w, h, runs, decode, after, after / decode);
    return 0;
}
