// Listing an album's photos in the navigation pane under Wine, as the photos
// page does while its dialog opens (the pane not yet on screen): each row
// added and laid out on its own, against the whole list added in one batch
// and laid out once.
//
//   pane_fill_timing COUNT   prints one JSON line
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>

#include "album/WppProfile.h"
#include "bench/BenchClock.h"
#include "dialogs/PhotoPage.h"
#include "dialogs/PhotoRowPicture.h"
#include "ui/ClassFactory.h"
#include "ui/NavPaneWnd.h"

int wmain(int argc, wchar_t** argv)
{
    const int count = argc == 2 ? _wtoi(argv[1]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: pane_fill_timing COUNT\n");
        return 2;
    }
    RegisterWindowClassOf<CNavPaneWnd>();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 640, 560, nullptr, nullptr,
                                  nullptr, nullptr);
    CNavPaneWnd pane;
    if (!parent || !pane.Create(0, WS_CHILD | WS_VISIBLE | WS_VSCROLL, 8, 8, 400, 500, parent, nullptr)) {
        std::fprintf(stderr, "pane_fill_timing: no pane\n");
        return 1;
    }
    std::unique_ptr<CWppProfile> album(CWppProfile::NewAlbumObject(L"Fill"));
    wchar_t path[64];
    for (int n = 1; n <= count; ++n) {
        swprintf(path, 64, L"C:\\Photos\\IMG_%05d.jpg", n);
        album->Photos().Add(new CSlide(path));
    }
    CPaneThumbnails thumbnails;

    double start = NowMs();
    pane.RemoveAll();
    for (CSlide* photo : album->Photos()) AddPhotoItem(pane, thumbnails, photo, false, false);
    const double oneByOne = NowMs() - start;

    start = NowMs();
    ListPhotos(pane, thumbnails, *album);
    const double batch = NowMs() - start;

    std::printf("{\"rows\": %d, \"one_by_one_ms\": %.1f, \"batch_ms\": %.1f}\n", count, oneByOne, batch);
    pane.RemoveAll();
    DestroyWindow(parent);
    return 0;
}
