// Thumbnails per second from the worker pool under Wine with an empty disk
// cache, against the old way: one full decode per photo by the OLE picture
// decoder on the calling thread.
//
//   thumb_throughput pool FOLDER COUNT WORKERS   (WORKERS 0: one per core)
//   thumb_throughput ole FOLDER COUNT
// FOLDER holds IMG_00001.jpg onwards; each prints one JSON line, with the
// number of photos made (a photo not made is a fault of its own).
#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "picture/Picture.h"
#include "picture/ThumbCache.h"
#include "picture/ThumbPool.h"

namespace {

std::vector<std::wstring> Photos(const std::wstring& folder, int count)
{
    std::vector<std::wstring> paths;
    wchar_t file[32];
    for (int n = 1; n <= count; ++n) {
        swprintf(file, 32, L"\\IMG_%05d.jpg", n);
        paths.push_back(folder + file);
    }
    return paths;
}

// Cold means no entry of an earlier run is found.
void EmptyDiskCache()
{
    const std::wstring folder = CThumbCache::DefaultFolder();
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

void Report(const char* way, int workers, int photos, int made, int busy, double ms)
{
    std::printf("{\"way\": \"%s\", \"workers\": %d, \"photos\": %d, \"made\": %d, \"busy\": %d, "
                "\"ms\": %.1f, \"per_second\": %.2f}\n",
                way, workers, photos, made, busy, ms, ms > 0 ? photos * 1000.0 / ms : 0.0);
}

int RunPool(const std::vector<std::wstring>& paths, int workers)
{
    if (workers <= 0) workers = CThumbPool::WorkerCount();
    EmptyDiskCache();
    HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> left(static_cast<int>(paths.size())), made(0), busy(0);
    const double start = NowMs();
    {
        CThumbPool pool(
            [&](std::unique_ptr<ThumbResult> result) {
                if (result->outcome == ThumbOutcome::Made) ++made;
                if (result->outcome == ThumbOutcome::Busy) ++busy;
                if (--left == 0) SetEvent(finished);
            },
            MakeJobThumbnail, workers);
        for (const std::wstring& path : paths) {
            ThumbJob job;
            job.path = path;
            pool.Submit(job, false);
        }
        WaitForSingleObject(finished, INFINITE);
    }
    Report("pool", workers, static_cast<int>(paths.size()), made, busy, NowMs() - start);
    CloseHandle(finished);
    return 0;
}

int RunPictureDecoder(const std::vector<std::wstring>& paths)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int made = 0;
    const double start = NowMs();
    for (const std::wstring& path : paths) {
        CBmp photo;
        if (DecodeWithPictureDecoder(path.c_str(), photo)) ++made;
    }
    Report("ole", 1, static_cast<int>(paths.size()), made, 0, NowMs() - start);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 5 && std::wcscmp(argv[1], L"pool") == 0)
        return RunPool(Photos(argv[2], _wtoi(argv[3])), _wtoi(argv[4]));
    if (argc == 4 && std::wcscmp(argv[1], L"ole") == 0) return RunPictureDecoder(Photos(argv[2], _wtoi(argv[3])));
    std::fprintf(stderr, "usage: thumb_throughput pool FOLDER COUNT WORKERS | thumb_throughput ole FOLDER COUNT\n");
    return 2;
}
