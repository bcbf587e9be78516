#include "album/WorkerPost.h"

#include <atomic>

namespace {
std::atomic<WorkerPostFunction> s_post{nullptr};
}  // namespace

bool PostFromWorker(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WorkerPostFunction post = s_post.load();
    return post ? post(target, message, wParam, lParam) : PostMessageW(target, message, wParam, lParam) != FALSE;
}

void SetWorkerPost(WorkerPostFunction post) { s_post = post; }
