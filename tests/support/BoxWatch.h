#pragma once
// The modal boxes of a test's own thread (message boxes, dialogs run by
// DialogBox, the common dialogs) are answered from a thread timer while their
// modal loop runs. A box that its awaited answer does not accept, or that
// nothing answers, is ended by the deadline with a failure that names it, so a
// modal loop never hangs a test.

#include <windows.h>

#include <functional>
#include <string>

class CBoxWatch {
public:
    // Watches from now on; one watch per thread at a time.
    CBoxWatch();
    // An answer still waiting for its box is a failure.
    ~CBoxWatch();
    CBoxWatch(const CBoxWatch&) = delete;
    CBoxWatch& operator=(const CBoxWatch&) = delete;

    // The top box of this thread is given to `step` on every tick until it
    // returns true: it has dealt with the box. `what` names the awaited box.
    static void OnNextBox(const std::string& what, std::function<bool(HWND box)> step);
    // True while an answer is still waiting for its box.
    static bool Pending();
};
