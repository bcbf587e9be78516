// The worker pool: jobs on screen first, cancelling, and delivery from the
// workers' threads.

#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "picture/ThumbPool.h"

namespace {

// Collects what one worker delivers, in order; the first job waits for the
// gate so that the queue can be arranged behind it.
struct CRecorder {
    HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CRITICAL_SECTION lock;
    std::vector<std::wstring> order;
    size_t expected = 0;

    CRecorder() { InitializeCriticalSection(&lock); }
    ~CRecorder() {
        DeleteCriticalSection(&lock);
        CloseHandle(gate);
        CloseHandle(entered);
        CloseHandle(done);
    }
    CThumbPool::Deliver Deliver() {
        return [this](std::unique_ptr<ThumbResult> result) {
            EnterCriticalSection(&lock);
            order.push_back(result->job.path);
            if (order.size() == expected) SetEvent(done);
            LeaveCriticalSection(&lock);
        };
    }
    CThumbPool::Maker Maker() {
        return [this](ThumbJob& job, CBmp& out) {
            if (job.path == L"first") {
                SetEvent(entered);
                WaitForSingleObject(gate, 30000);
            }
            if (job.path == L"throws") throw std::bad_alloc();
            out.Create(2, 2);
            return ThumbOutcome::Made;
        };
    }
};

ThumbJob Job(const wchar_t* path) {
    ThumbJob job;
    job.path = path;
    return job;
}

// Rows asked for by one paint are made top to bottom; a row asked for again
// joins them; the album follows in its order.
TEST(ThumbPool, VisibleJobsGoFirstInTheOrderAskedAndCancelledOnesNeverRun) {
    CRecorder recorder;
    recorder.expected = 5;
    // The clock stands still: every visible job is asked for by one paint.
    CThumbPool pool(recorder.Deliver(), recorder.Maker(), 1, [] { return uint64_t(1000); });
    pool.Submit(Job(L"first"), false);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(recorder.entered, 10000)) << "the worker did not start \"first\"";
    pool.Submit(Job(L"album 1"), false);
    const uint64_t second = pool.Submit(Job(L"album 2"), false);
    const uint64_t third = pool.Submit(Job(L"album 3"), false);
    pool.Submit(Job(L"row 1"), true);
    pool.Submit(Job(L"row 2"), true);
    pool.Raise(third);
    pool.Cancel(second);
    EXPECT_EQ(4u, pool.Queued());
    SetEvent(recorder.gate);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(recorder.done, 10000)) << "not every job was delivered";
    EnterCriticalSection(&recorder.lock);
    EXPECT_EQ((std::vector<std::wstring>{L"first", L"row 1", L"row 2", L"album 3", L"album 1"}), recorder.order);
    LeaveCriticalSection(&recorder.lock);
}

// Memory short for a moment is no reason to drop a photo.
TEST(ThumbPool, OutOfMemoryMeansTryAgainLater) {
    CRecorder recorder;
    recorder.expected = 1;
    ThumbOutcome outcome = ThumbOutcome::Made;
    CThumbPool pool([&](std::unique_ptr<ThumbResult> result) {
        outcome = result->outcome;
        SetEvent(recorder.done);
    }, recorder.Maker(), 1);
    pool.Submit(Job(L"throws"), false);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(recorder.done, 10000)) << "the job was not delivered";
    EXPECT_EQ(ThumbOutcome::Busy, outcome);
}

TEST(ThumbPool, OneWorkerPerCoreAtMostFour) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const int cores = static_cast<int>(info.dwNumberOfProcessors);
    EXPECT_EQ(cores < 4 ? cores : 4, CThumbPool::WorkerCount());
}

}  // namespace
