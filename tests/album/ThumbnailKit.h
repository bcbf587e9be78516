#pragma once
// Picture files, a counting thumbnail maker and pumping for the tests of
// thumbnails made by the workers.

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "album/Thumbnails.h"

// A 24-bit bottom-up BMP file of one colour.
inline std::string BmpFile(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const int pixelBytes = stride * height;
    std::string file(54 + pixelBytes, '\0');
    auto put = [&file](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<uint32_t>(pixelBytes), 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) put(54 + y * stride + x * 3, 0x3366CC, 3);
    return file;
}

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

