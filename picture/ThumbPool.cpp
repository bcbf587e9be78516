#include "picture/ThumbPool.h"

#include <windows.h>
#include <objbase.h>

#include <map>
#include <unordered_map>

namespace {

// Queue order: visible jobs below kBackground, the others above it in the
// order they came. Visible requests that come together (one paint) form a
// burst, made in the order asked; a newer burst goes before older ones.
const uint64_t kBackground = uint64_t(1) << 62;
const uint64_t kBurstSpan = uint64_t(1) << 24;
const uint64_t kBurstGapMs = 100;

struct QueuedJob {
    uint64_t ticket;
    ThumbJob job;
};

class CExclusive {
public:
    explicit CExclusive(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~CExclusive() { ReleaseSRWLockExclusive(&m_lock); }
    CExclusive(const CExclusive&) = delete;
    CExclusive& operator=(const CExclusive&) = delete;

private:
    SRWLOCK& m_lock;
};

}  // namespace

struct CThumbPool::State {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE wake = CONDITION_VARIABLE_INIT;
    std::map<uint64_t, QueuedJob> queue;
    std::unordered_map<uint64_t, uint64_t> orderOf;  // ticket -> queue key
    uint64_t serial = 0;
    uint64_t tickets = 0;
    uint64_t burst = 0;
    uint64_t inBurst = 0;
    uint64_t lastVisible = 0;
    bool closed = false;
    Deliver deliver;
    Maker maker;
    Clock clock;

    uint64_t NextKey(bool visible)
    {
        if (!visible)
            return kBackground + ++serial;
        const uint64_t now = clock();
        if (burst == 0 || now - lastVisible > kBurstGapMs || inBurst + 1 == kBurstSpan) {
            ++burst;
            inBurst = 0;
        }
        lastVisible = now;
        return kBackground - burst * kBurstSpan + ++inBurst;
    }

    // Asked for again while its group is still being asked for: it keeps
    // its place.
    bool InLatestBurst(uint64_t key) const
    {
        const uint64_t base = kBackground - burst * kBurstSpan;
        return burst > 0 && key > base && key < base + kBurstSpan && clock() - lastVisible <= kBurstGapMs;
    }

    // False once the pool is gone.
    bool Take(QueuedJob& next)
    {
        CExclusive hold(lock);
        while (!closed && queue.empty())
            SleepConditionVariableSRW(&wake, &lock, INFINITE, 0);
        if (closed)
            return false;
        auto first = queue.begin();
        next = std::move(first->second);
        orderOf.erase(next.ticket);
        queue.erase(first);
        return true;
    }

    bool Closed()
    {
        CExclusive hold(lock);
        return closed;
    }
};

namespace {

DWORD WINAPI WorkerMain(void* param)
{
    // The worker's own reference: the pool may be destroyed meanwhile.
    std::unique_ptr<std::shared_ptr<CThumbPool::State>> own(static_cast<std::shared_ptr<CThumbPool::State>*>(param));
    CThumbPool::State& state = **own;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    QueuedJob next;
    while (state.Take(next)) {
        auto result = std::make_unique<ThumbResult>();
        result->ticket = next.ticket;
        result->job = std::move(next.job);
        try {
            result->outcome = state.maker(result->job, result->thumbnail);
        } catch (...) {  // out of memory for now: tried again later, never dropped
            result->outcome = ThumbOutcome::Busy;
        }
        if (result->outcome != ThumbOutcome::Made)
            result->thumbnail.Reset();
        if (!state.Closed())
            state.deliver(std::move(result));
    }
    if (com)
        CoUninitialize();
    return 0;
}

}  // namespace

CThumbPool::CThumbPool(Deliver deliver, Maker maker, int workers, Clock clock)
    : m_state(std::make_shared<State>()), m_workers(workers)
{
    m_state->deliver = std::move(deliver);
    m_state->maker = std::move(maker);
    m_state->clock = std::move(clock);
}

CThumbPool::~CThumbPool()
{
    {
        CExclusive hold(m_state->lock);
        m_state->closed = true;
        m_state->queue.clear();
        m_state->orderOf.clear();
    }
    WakeAllConditionVariable(&m_state->wake);
}

int CThumbPool::WorkerCount()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const int cores = static_cast<int>(info.dwNumberOfProcessors);
    return cores < 1 ? 1 : cores > kMaxWorkers ? kMaxWorkers : cores;
}

void CThumbPool::StartWorkers()
{
    m_started = true;
    for (int i = 0; i < m_workers; ++i) {
        auto* own = new std::shared_ptr<State>(m_state);
        HANDLE thread = CreateThread(nullptr, 0, WorkerMain, own, CREATE_SUSPENDED, nullptr);
        if (!thread) {
            delete own;
            continue;
        }
        SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
        ResumeThread(thread);
        // Never joined: exit does not wait for a decode.
        CloseHandle(thread);
    }
}

uint64_t CThumbPool::Submit(ThumbJob job, bool visible)
{
    if (!m_started)
        StartWorkers();
    uint64_t ticket;
    {
        CExclusive hold(m_state->lock);
        const uint64_t key = m_state->NextKey(visible);
        ticket = ++m_state->tickets;
        m_state->queue.emplace(key, QueuedJob{ticket, std::move(job)});
        m_state->orderOf.emplace(ticket, key);
    }
    WakeConditionVariable(&m_state->wake);
    return ticket;
}

void CThumbPool::Raise(uint64_t ticket)
{
    CExclusive hold(m_state->lock);
    auto at = m_state->orderOf.find(ticket);
    if (at == m_state->orderOf.end())
        return;
    if (m_state->InLatestBurst(at->second))
        return;
    auto queued = m_state->queue.find(at->second);
    QueuedJob moved = std::move(queued->second);
    m_state->queue.erase(queued);
    at->second = m_state->NextKey(true);
    m_state->queue.emplace(at->second, std::move(moved));
}

void CThumbPool::Cancel(uint64_t ticket)
{
    CExclusive hold(m_state->lock);
    auto at = m_state->orderOf.find(ticket);
    if (at == m_state->orderOf.end())
        return;
    m_state->queue.erase(at->second);
    m_state->orderOf.erase(at);
}

void CThumbPool::CancelAll()
{
    CExclusive hold(m_state->lock);
    m_state->queue.clear();
    m_state->orderOf.clear();
}

size_t CThumbPool::Queued() const
{
    CExclusive hold(m_state->lock);
    return m_state->queue.size();
}
