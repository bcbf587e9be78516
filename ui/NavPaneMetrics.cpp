#include "ui/NavPaneMetrics.h"

#include <windows.h>

namespace {

struct RowMetrics {
    int normal, compact, childGap;
};

// Every new row asks; a photo list of thousands asks thousands of times in a
// moment, and a system-metrics call is slow on some systems. Kept for a
// second, so that changed system metrics still reach the rows made after.
const RowMetrics& Current()
{
    static RowMetrics metrics;
    static DWORD fetched = 0;
    static bool known = false;
    const DWORD now = GetTickCount();
    if (!known || now - fetched > 1000) {
        const int edge = GetSystemMetrics(SM_CYEDGE);
        metrics = {2 * edge + GetSystemMetrics(SM_CYCAPTION), 2 * edge + GetSystemMetrics(SM_CYSMCAPTION),
                   edge + GetSystemMetrics(SM_CYBORDER)};
        fetched = now;
        known = true;
    }
    return metrics;
}

}  // namespace

int NavNormalRowHeight() { return Current().normal; }

int NavCompactRowHeight() { return Current().compact; }

int NavChildGap() { return Current().childGap; }
