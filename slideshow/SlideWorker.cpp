#include "slideshow/SlideWorker.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <deque>

namespace {

class CHold {
public:
    explicit CHold(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~CHold() { ReleaseSRWLockExclusive(&m_lock); }
    CHold(const CHold&) = delete;
    CHold& operator=(const CHold&) = delete;

private:
    SRWLOCK& m_lock;
};

}  // namespace

struct CSlideWorker::State {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE wake = CONDITION_VARIABLE_INIT;
    std::deque<SlideJob> queue;
    std::deque<std::unique_ptr<SlideResult>> done;
    uint64_t running = 0;  // the ticket being decoded
    bool runningCancelled = false;
    uint64_t tickets = 0;
    bool closed = false;
    Notify notify;
    SlideDecode decode;

    bool Take(SlideJob& job)
    {
        CHold hold(lock);
        while (!closed && queue.empty())
            SleepConditionVariableSRW(&wake, &lock, INFINITE, 0);
        if (closed)
            return false;
        job = std::move(queue.front());
        queue.pop_front();
        running = job.ticket;
        runningCancelled = false;
        return true;
    }

    // False when nobody takes it any more: it is freed by the caller.
    bool Keep(std::unique_ptr<SlideResult>& result)
    {
        CHold hold(lock);
        running = 0;
        if (closed || runningCancelled)
            return false;
        done.push_back(std::move(result));
        return true;
    }
};

namespace {

DWORD WINAPI WorkerMain(void* param)
{
    // The worker's own reference: the owner may be gone meanwhile.
    std::unique_ptr<std::shared_ptr<CSlideWorker::State>> own(
        static_cast<std::shared_ptr<CSlideWorker::State>*>(param));
    CSlideWorker::State& state = **own;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    SlideJob job;
    while (state.Take(job)) {
        std::unique_ptr<SlideResult> result;
        try {
            result = std::make_unique<SlideResult>();
            result->job = std::move(job);
            MakeSlide(state.decode, *result);
        } catch (...) {  // no memory for the result itself
            result.reset();
            CHold hold(state.lock);
            state.running = 0;
            continue;
        }
        if (state.Keep(result))
            state.notify();
    }
    if (com)
        CoUninitialize();
    return 0;
}

}  // namespace

CSlideWorker::CSlideWorker(Notify notify, SlideDecode decode) : m_state(std::make_shared<State>())
{
    m_state->notify = std::move(notify);
    m_state->decode = std::move(decode);
    auto* own = new std::shared_ptr<State>(m_state);
    HANDLE thread = CreateThread(nullptr, 0, WorkerMain, own, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete own;
        m_state->closed = true;
        return;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(thread);
    // Never joined: nothing waits for a decode.
    CloseHandle(thread);
}

CSlideWorker::~CSlideWorker()
{
    std::deque<std::unique_ptr<SlideResult>> done;
    {
        CHold hold(m_state->lock);
        m_state->closed = true;
        m_state->queue.clear();
        done.swap(m_state->done);
    }
    WakeAllConditionVariable(&m_state->wake);
}

uint64_t CSlideWorker::Submit(SlideJob job)
{
    uint64_t ticket;
    {
        CHold hold(m_state->lock);
        if (m_state->closed)
            return 0;
        ticket = job.ticket = ++m_state->tickets;
        m_state->queue.push_back(std::move(job));
    }
    WakeConditionVariable(&m_state->wake);
    return ticket;
}

void CSlideWorker::Cancel(uint64_t ticket)
{
    if (ticket == 0)
        return;
    std::unique_ptr<SlideResult> dropped;
    CHold hold(m_state->lock);
    auto& queue = m_state->queue;
    queue.erase(std::remove_if(queue.begin(), queue.end(), [ticket](const SlideJob& j) { return j.ticket == ticket; }),
                queue.end());
    if (m_state->running == ticket)
        m_state->runningCancelled = true;
    auto& done = m_state->done;
    for (auto at = done.begin(); at != done.end(); ++at) {
        if ((*at)->job.ticket == ticket) {
            dropped = std::move(*at);
            done.erase(at);
            break;
        }
    }
}

std::unique_ptr<SlideResult> CSlideWorker::Take()
{
    CHold hold(m_state->lock);
    if (m_state->done.empty())
        return nullptr;
    std::unique_ptr<SlideResult> next = std::move(m_state->done.front());
    m_state->done.pop_front();
    return next;
}
