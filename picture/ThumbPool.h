#pragma once
// Background workers that make thumbnails: one per core, at most four, below
// normal priority. The pool knows nothing of windows: each finished job goes
// to the deliver function on the worker's own thread, which passes it on (a
// posted message) and owns it from then on. Jobs the screen shows go first.
//
// Destroying the pool cancels what is queued and returns at once: a worker
// busy with a decode finishes it on its own, and its state lives as long as
// the last worker, so nothing waits and nothing is touched after it is gone.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "picture/ThumbJob.h"

struct ThumbResult {
    uint64_t ticket = 0;
    ThumbJob job;
    ThumbOutcome outcome = ThumbOutcome::Unusable;
    CBmp thumbnail;  // made: the thumbnail; otherwise empty
};

class CThumbPool {
public:
    // Both run on worker threads.
    using Deliver = std::function<void(std::unique_ptr<ThumbResult>)>;
    using Maker = std::function<ThumbOutcome(ThumbJob&, CBmp&)>;
    // Milliseconds, as GetTickCount64; tests give their own.
    using Clock = std::function<uint64_t()>;

    static const int kMaxWorkers = 4;

    explicit CThumbPool(Deliver deliver, Maker maker = MakeJobThumbnail, int workers = WorkerCount(),
                        Clock clock = GetTickCount64);
    CThumbPool(const CThumbPool&) = delete;
    CThumbPool& operator=(const CThumbPool&) = delete;
    ~CThumbPool();

    // Queues a job; the ticket names it in its result. Visible jobs go
    // before all others: those asked for together (within 100 ms, as one
    // paint asks) in the order asked, a later group before earlier ones; the
    // rest in the order given.
    uint64_t Submit(ThumbJob job, bool visible);
    // A queued job joins the latest visible group; nothing once it started.
    void Raise(uint64_t ticket);
    // Takes a job out of the queue; a job already started still delivers.
    void Cancel(uint64_t ticket);
    void CancelAll();
    size_t Queued() const;

    // One per core, at most kMaxWorkers.
    static int WorkerCount();

    // Shared by the pool and its workers.
    struct State;

private:
    void StartWorkers();

    std::shared_ptr<State> m_state;
    int m_workers;
    bool m_started = false;
};
