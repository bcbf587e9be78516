#pragma once
// Picture files, a counting thumbnail maker and pumping for the tests of
// thumbnails made by the workers.

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "album/Thumbnails.h"

// Pumps until nothing is outstanding; a hang fails after 10 s.
inline bool PumpUntilDone(CThumbnails& thumbnails)
{
    for (int i = 0; i < 1000 && thumbnails.Outstanding() > 0; ++i) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    return thumbnails.Outstanding() == 0;
}

struct CCountingListener : IThumbnailListener {
    void OnThumbnailsArrived(bool someUnusable) override {
        ++calls;
        unusable = unusable || someUnusable;
    }
    int calls = 0;
    bool unusable = false;
};

// Counts the thumbnails made on the thread that built it (the UI thread).
struct CMakerCount {
    DWORD uiThread = GetCurrentThreadId();
    std::shared_ptr<std::atomic<int>> onUi = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> made = std::make_shared<std::atomic<int>>(0);
    CThumbPool::Maker Maker() const {
        return [ui = uiThread, onUi = onUi, made = made](ThumbJob& job, CBmp& out) {
            ++*made;
            if (GetCurrentThreadId() == ui) ++*onUi;
            return MakeJobThumbnail(job, out);
        };
    }
};

