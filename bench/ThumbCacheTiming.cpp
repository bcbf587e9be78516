// The disk thumbnail cache under Wine: what a warm start pays per photo (a
// hit) against what a cold one pays (decode and reduce), plus the cost of a
// write and of the one folder scan a cache object makes before evicting.
#include "picture/Picture.h"
#include "picture/ThumbCache.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

const int kEntries = 2000;

// Milliseconds since construction or the previous lap.
class CStopwatch {
public:
    CStopwatch()
    {
        QueryPerformanceFrequency(&freq_);
        QueryPerformanceCounter(&start_);
    }
    double Lap()
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double ms = static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / freq_.QuadPart;
        start_ = now;
        return ms;
    }

private:
    LARGE_INTEGER freq_, start_;
};

ThumbKey Key(int n)
{
    const std::wstring path = L"C:\\Photos\\Holiday\\IMG_" + std::to_wstring(100000 + n) + L".jpg";
    return ThumbKey{path, 1048576, 0x01D9000000000000ull, 64};
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: thumb_cache_timing PHOTO\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CBmp thumb;
    double cold = 1e30;
    for (int r = 0; r < 3; ++r) {
        thumb.Reset();
        CStopwatch watch;
        if (!MakePhotoThumbnail(argv[1], thumb)) {
            std::fprintf(stderr, "thumb_cache_timing: cannot decode\n");
            return 1;
        }
        cold = std::min(cold, watch.Lap());
    }

    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lumora_thumb_timing_" + std::to_wstring(GetCurrentProcessId());
    int hits = 0;
    double put = 0, hit = 0, scan = 0;
    {
        CThumbCache cache(folder);
        if (!cache.Enabled()) {
            std::fprintf(stderr, "thumb_cache_timing: no cache folder\n");
            return 1;
        }
        CStopwatch watch;
        for (int n = 0; n < kEntries; ++n)
            cache.Put(Key(n), thumb);
        put = watch.Lap() / kEntries;
        for (int n = 0; n < kEntries; ++n) {
            CBmp out;
            hits += cache.Find(Key(n), out);
        }
        hit = watch.Lap() / kEntries;
    }
    {
        CThumbCache reopened(folder);
        CStopwatch watch;
        reopened.Put(Key(0), thumb);  // the first write measures the folder
        scan = watch.Lap();
    }
    RemoveFolder(folder);

    std::printf("thumbnail cache, %d entries of %dx%d: write %.3f ms, hit %.3f ms (%d hits), first write with "
                "folder scan %.1f ms; cold thumbnail %.1f ms; hit/cold ratio %.4f\n",
                kEntries, thumb.Width(), thumb.Height(), put, hit, hits, scan, cold, hit / cold);
    return hits == kEntries ? 0 : 1;
}
