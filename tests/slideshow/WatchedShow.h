#pragma once
// A show of two solid photos (red 400x300, then blue 300x200) on an album in
// memory, with its desktop watch; stopped at the end.

#include <string>

#include "FakeAlbum.h"
#include "tests/support/BmpFile.h"
#include "ShowTest.h"
#include "slideshow/DesktopWatch.h"
#include "slideshow/SlideWnd.h"

struct CWatchedShow {
    ~CWatchedShow()
    {
        watch.Stop();
        show.Stop();
    }
    ::testing::AssertionResult Start()
    {
        WriteBmp(red, 400, 300, RGB(230, 20, 20));
        WriteBmp(blue, 300, 200, RGB(20, 20, 230));
        album.paths = {red.c_str(), blue.c_str()};
        show.SetAlbum(&album);
        if (!CSlideWnd::RegisterClasses() || !show.Start() || !watch.Start())
            return ::testing::AssertionFailure() << "the show did not start";
        return Settled(show);
    }
    bool Shown() const { return IsWindowVisible(show.Hwnd()) != FALSE; }

    TempFolder photos;
    std::wstring red = photos.Path() + L"\\red.bmp";
    std::wstring blue = photos.Path() + L"\\blue.bmp";
    CFakeAlbum album;
    CSlideWnd show;
    CDesktopWatch watch{show};
};
