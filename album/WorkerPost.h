#pragma once
// How workers hand results to a window of the UI thread. A post can be
// refused (the thread's queue is full), so every caller keeps a way to hand
// the result over later. Tests put in a post that refuses.

#include <windows.h>

using WorkerPostFunction = bool (*)(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

bool PostFromWorker(HWND target, UINT message, WPARAM wParam, LPARAM lParam);
// Null puts PostMessageW back.
void SetWorkerPost(WorkerPostFunction post);
