#pragma once
// The user-interface side of thumbnail making: what the photo entries, the
// strip and the photo rows ask for goes to the worker pool, and the results
// come back as posted messages to a message-only window of the UI thread,
// which keeps them in memory (one shared pixel block per photo file) and
// tells the listeners that waited for them. Only the UI thread calls it.

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "picture/ThumbMemory.h"
#include "picture/ThumbPool.h"
#include "settings/Tstr.h"

class IThumbnailListener {
public:
    // Thumbnails this listener asked for arrived; some of them may have
    // turned out unusable (the file is missing or cannot be decoded).
    virtual void OnThumbnailsArrived(bool someUnusable) = 0;

protected:
    ~IThumbnailListener() = default;
};

class CThumbnails {
public:
    using Known = CThumbMemory::Known;

    static const UINT kResultMessage = WM_APP + 0x70;
    static const size_t kMemoryBudget = 32u << 20;

    // The process's one instance, made on first use (with `maker`: tests
    // give their own); it lives as long as someone holds it.
    static std::shared_ptr<CThumbnails> Shared(CThumbPool::Maker maker = MakeJobThumbnail);

    explicit CThumbnails(CThumbPool::Maker maker = MakeJobThumbnail);
    CThumbnails(const CThumbnails&) = delete;
    CThumbnails& operator=(const CThumbnails&) = delete;
    // Cancels what is queued and frees results still on their way.
    ~CThumbnails();

    // What memory knows of the photo; nothing is decoded.
    Known KnownState(const tstr& path) { return m_memory.Look(path.Str()); }
    // The thumbnail to draw now, or null: then it is asked for ahead of
    // everything not on screen, and the listener hears when it arrives.
    std::shared_ptr<const CBmp> Get(const tstr& path, IThumbnailListener* listener);
    // Asks for a thumbnail memory does not know yet; nothing otherwise.
    void Request(const tstr& path, bool visible, IThumbnailListener* listener);
    // The listener hears nothing more; work that only it waited for is
    // cancelled (a decode under way finishes and is kept).
    void Forget(IThumbnailListener* listener);
    // The show could not decode the photo (seen twice): it is unusable
    // unless its file is merely held open by someone else or out of reach,
    // also when its thumbnail came from its EXIF block.
    void ShowFailed(const tstr& path);
    // The file was written again: its thumbnail, or its being unusable, is
    // made anew when next asked for.
    void FileChanged(const tstr& path) { m_memory.Drop(path.Str()); }
    // Thumbnails asked for and not arrived yet.
    size_t Outstanding() const { return m_waiting.size(); }

    // Shown where a thumbnail is not made yet: a neutral grey frame.
    static const CBmp& Placeholder();

private:
    struct Waiting {
        uint64_t ticket;
        std::vector<IThumbnailListener*> listeners;
    };
    class CChannel;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool EnsureWindow();
    // A result already posted to the window, taken out of the queue; null
    // when there is none.
    ThumbResult* NextPostedResult();
    void TakeResults(ThumbResult* first);

    CThumbMemory m_memory{kMemoryBudget};
    std::unordered_map<std::wstring, Waiting> m_waiting;
    std::shared_ptr<CChannel> m_channel;
    std::unique_ptr<CThumbPool> m_pool;
    HWND m_window = nullptr;
};
