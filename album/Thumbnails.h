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

    using Clock = CThumbPool::Clock;

    static const UINT kResultMessage = WM_APP + 0x70;
    static const size_t kMemoryBudget = 32u << 20;
    // A busy photo is asked for again after a pause that doubles each time
    // it is still busy.
    static const uint64_t kFirstBusyPauseMs = 30000;
    static const uint64_t kLongestBusyPauseMs = 600000;

    // The process's one instance, made on first use (with `maker` and
    // `clock`: tests give their own); it lives as long as someone holds it.
    static std::shared_ptr<CThumbnails> Shared(CThumbPool::Maker maker = MakeJobThumbnail,
                                               Clock clock = GetTickCount64);

    explicit CThumbnails(CThumbPool::Maker maker = MakeJobThumbnail, Clock clock = GetTickCount64);
    CThumbnails(const CThumbnails&) = delete;
    CThumbnails& operator=(const CThumbnails&) = delete;
    // Cancels what is queued and frees results still on their way.
    ~CThumbnails();

    // What memory knows of the photo; nothing is decoded.
    Known KnownState(const tstr& path) { return m_memory.Look(path.Str()); }
    // The thumbnail to draw now, or null: then it is asked for ahead of
    // everything not on screen, and the listener hears when it arrives.
    std::shared_ptr<const CBmp> Get(const tstr& path, IThumbnailListener* listener);
    // Asks for a thumbnail memory does not know yet; nothing otherwise. A
    // busy photo is not asked for again before its pause is over: the
    // listener hears when the retry brings it.
    void Request(const tstr& path, bool visible, IThumbnailListener* listener);
    // The listener hears nothing more; work that only it waited for is
    // cancelled (a decode under way finishes and is kept).
    void Forget(IThumbnailListener* listener);
    // The show could not decode the photo (seen twice): it is unusable
    // unless its file is merely held open by someone else or out of reach,
    // also when its thumbnail came from its EXIF block.
    void ShowFailed(const tstr& path);
    // The file was written again: its thumbnail, or its being unusable or
    // busy, is made anew when next asked for.
    void FileChanged(const tstr& path);
    // Busy when last tried: offline, or held open by another program. Such
    // a photo is neither made nor unusable and is tried again later.
    bool Busy(const tstr& path) const { return m_busy.count(path.Str()) != 0; }
    // Asks again for the busy photos whose pause is over and that someone
    // waits for; the window's timer calls it.
    void RetryDue();
    // When the photo was taken, as its thumbnail found it: unknown until
    // its thumbnail was made (kept after its pixels leave memory).
    ExifDate Taken(const tstr& path) const;
    // Grows whenever a date taken becomes known or changes.
    unsigned DatesLearned() const { return m_datesLearned; }
    // Thumbnails asked for and not arrived yet.
    size_t Outstanding() const { return m_waiting.size(); }
    // Why the photo shows no thumbnail, as its last look found; None while
    // it is usable or not looked at yet.
    ThumbProblem Problem(const tstr& path) const;
    // Every thumbnail in memory has its file looked at again (size and time,
    // on a worker) when it is next drawn; without this call, once it was
    // last looked at kRecheckMs ago.
    void Recheck() { ++m_generation; }
    static const DWORD kRecheckMs = 30000;

    // Shown where a thumbnail is not made yet: a neutral grey frame.
    static const CBmp& Placeholder();
    // Shown for a photo that cannot show (Problem): the frame dimmed, with a
    // small mark in its corner.
    static const CBmp& ProblemPlaceholder();

private:
    using Listeners = std::vector<IThumbnailListener*>;
    struct Waiting {
        uint64_t ticket;
        Listeners listeners;
    };
    struct BusyPhoto {
        uint64_t retryAt = 0;
        uint64_t pause = 0;
        Listeners listeners;  // told when the retry brings it
    };
    class CChannel;
    struct Look {
        unsigned generation;
        DWORD tick;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool EnsureWindow();
    // A result already posted to the window, taken out of the queue; null
    // when there is none.
    ThumbResult* NextPostedResult();
    // A usable thumbnail whose file was not looked at lately.
    bool LookDue(const std::wstring& path) const;
    void Submit(const tstr& path, bool visible, IThumbnailListener* listener);
    void TakeResults(ThumbResult* first);
    void NoteBusy(const std::wstring& path, const Listeners& listeners);
    void NoteTaken(const std::wstring& path, const ExifDate& taken);
    void ArmRetryTimer();

    CThumbMemory m_memory{kMemoryBudget};
    std::unordered_map<std::wstring, Waiting> m_waiting;
    std::unordered_map<std::wstring, BusyPhoto> m_busy;
    Clock m_clock;
    std::unordered_map<std::wstring, ThumbProblem> m_problems;
    std::unordered_map<std::wstring, Look> m_looks;
    std::unordered_map<std::wstring, ExifDate> m_taken;
    unsigned m_datesLearned = 0;
    unsigned m_generation = 0;
    std::shared_ptr<CChannel> m_channel;
    std::unique_ptr<CThumbPool> m_pool;
    HWND m_window = nullptr;
};
