#pragma once
// The thread that makes photos ready for the slide window, one at a time in
// the order asked. It knows no window: a finished result waits in the worker
// until Take, and `notify` (called on the worker's thread) tells the owner to
// come and take it, as a posted message does.
//
// Destroying the worker drops what is queued and what waits to be taken and
// returns at once: a decode under way finishes on its own thread, and its
// result is freed there.

#include <cstdint>
#include <functional>
#include <memory>

#include "slideshow/SlideJob.h"

class CSlideWorker {
public:
    using Notify = std::function<void()>;

    explicit CSlideWorker(Notify notify, SlideDecode decode = DecodeSlideHere);
    CSlideWorker(const CSlideWorker&) = delete;
    CSlideWorker& operator=(const CSlideWorker&) = delete;
    ~CSlideWorker();

    // Queues a job; the returned ticket names it in its result.
    uint64_t Submit(SlideJob job);
    // The job's result will not be taken: a queued job goes, a finished
    // result is freed. Nothing for 0 or an unknown ticket.
    void Cancel(uint64_t ticket);
    // The oldest finished result, or null.
    std::unique_ptr<SlideResult> Take();

    struct State;

private:
    std::shared_ptr<State> m_state;
};
