// Timing of a followed folder of many pictures under Wine: the worker's
// listing of the tree, and the UI thread's share, turning that listing into
// the album's photo list (first time, and again with one picture more).
//   folder_tree_timing FOLDER [COUNT]  (makes COUNT empty pictures in 100
//   sub-folders when FOLDER does not exist yet; default 100000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "album/FolderFollow.h"
#include "album/FolderScan.h"
#include "album/WppProfile.h"

namespace {

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER freq)
{
    return static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

void MakeTree(const std::wstring& folder, int count)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        const std::wstring sub = folder + L"\\" + std::to_wstring(i % 100);
        if (i < 100) CreateDirectoryW(sub.c_str(), nullptr);
        const std::wstring path = sub + L"\\IMG_" + std::to_wstring(i) + L".jpg";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: folder_tree_timing FOLDER [COUNT]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        MakeTree(folder, argc > 2 ? _wtoi(argv[2]) : 100000);

    LARGE_INTEGER freq, t0, t1, t2, t3;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    const PictureTree tree = ListPictureTree(folder, true, nullptr);
    QueryPerformanceCounter(&t1);
    std::vector<tstr> paths;
    for (const PictureFile& file : tree.files) paths.push_back(file.path);
    CWppProfile album;
    const auto make = [](const tstr& path) { return new CSlide(path); };
    ApplyFolderPaths(album, paths, make);
    QueryPerformanceCounter(&t2);
    paths.insert(paths.begin() + static_cast<long>(paths.size() / 2), folder + L"\\new.jpg");
    ApplyFolderPaths(album, paths, make);
    QueryPerformanceCounter(&t3);
    std::printf("%zu pictures: listing %.0f ms (worker), first list %.0f ms, one more %.0f ms (UI thread)\n",
                tree.files.size(), Ms(t0, t1, freq), Ms(t1, t2, freq), Ms(t2, t3, freq));
    return 0;
}
