// Decoding through the decode helper against decoding in this process, under
// Wine, alternating the two ways; one JSON line per figure.
//
//   helper_timing slide PHOTO HELPER          a slide fitted to 1920 x 1080, best of 5 each;
//                                             the start of a fresh helper
//   helper_timing thumbs FOLDER COUNT HELPER  thumbnails per second, one thread, best of 3 each
//
// HELPER is lumora.exe; FOLDER holds IMG_00001.jpg onwards.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

#include "bench/BenchClock.h"
#include "picture/DecodeHelper.h"
#include "picture/Picture.h"

namespace {

void Use(const wchar_t* helper)
{
    DecodeHelperSetup setup;
    setup.exe = helper ? helper : L"";
    UseDecodeHelper(setup);
}

// Best times of `work` in this process and through the helper, alternating.
bool Best(const wchar_t* helper, int runs, const std::function<bool()>& work, double& here, double& there)
{
    here = there = 1e30;
    for (int r = 0; r < runs; ++r)
        for (const wchar_t* way : {static_cast<const wchar_t*>(nullptr), helper}) {
            Use(way);
            if (way && !work())  // the helper starts outside the timing
                return false;
            const double start = NowMs();
            if (!work())
                return false;
            double& best = way ? there : here;
            best = std::min(best, NowMs() - start);
        }
    return true;
}

int Slide(const wchar_t* photo, const wchar_t* helper)
{
    const auto fitted = [&] {
        CBmp b;
        return LoadPhotoFitted(photo, 1920, 1080, false, 0, 0, b);
    };
    double here = 0, there = 0;
    if (!Best(helper, 5, fitted, here, there)) {
        std::fprintf(stderr, "helper_timing: cannot decode\n");
        return 1;
    }
    // A fresh helper's first thumbnail against a running one's.
    const auto thumbnail = [&] {
        CBmp t;
        return MakePhotoThumbnail(photo, t);
    };
    double first = 1e30, warm = 1e30;
    for (int r = 0; r < 3; ++r) {
        Use(helper);
        double start = NowMs();
        thumbnail();
        first = std::min(first, NowMs() - start);
        start = NowMs();
        thumbnail();
        warm = std::min(warm, NowMs() - start);
    }
    std::printf("{\"figure\": \"slide\", \"in_process_ms\": %.1f, \"helper_ms\": %.1f, \"ratio\": %.3f, "
                "\"helper_start_ms\": %.1f}\n",
                here, there, there / here, first - warm);
    return 0;
}

int Thumbs(const std::wstring& folder, int count, const wchar_t* helper)
{
    const auto all = [&] {
        for (int n = 1; n <= count; ++n) {
            wchar_t name[32];
            swprintf(name, 32, L"\\IMG_%05d.jpg", n);
            CBmp t;
            if (!MakePhotoThumbnail((folder + name).c_str(), t))
                return false;
        }
        return true;
    };
    double here = 0, there = 0;
    if (!Best(helper, 3, all, here, there)) {
        std::fprintf(stderr, "helper_timing: a thumbnail failed\n");
        return 1;
    }
    std::printf("{\"figure\": \"thumbs\", \"photos\": %d, \"in_process_per_s\": %.2f, \"helper_per_s\": %.2f, "
                "\"ratio\": %.3f}\n",
                count, count * 1000.0 / here, count * 1000.0 / there, here / there);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (argc == 4 && std::wcscmp(argv[1], L"slide") == 0)
        return Slide(argv[2], argv[3]);
    if (argc == 5 && std::wcscmp(argv[1], L"thumbs") == 0)
        return Thumbs(argv[2], _wtoi(argv[3]), argv[4]);
    std::fprintf(stderr, "usage: helper_timing slide PHOTO HELPER | helper_timing thumbs FOLDER COUNT HELPER\n");
    return 2;
}
