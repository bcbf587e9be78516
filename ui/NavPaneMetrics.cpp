#include "ui/NavPaneMetrics.h"

#include <windows.h>

int NavNormalRowHeight() { return 2 * GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYCAPTION); }

int NavCompactRowHeight() { return 2 * GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYSMCAPTION); }

int NavChildGap() { return GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER); }
