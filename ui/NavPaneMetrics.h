#pragma once
// Row heights and spacing of the navigation pane, from the system metrics.
// For the UI thread.

int NavNormalRowHeight();   // two edges and a caption
int NavCompactRowHeight();  // two edges and a small caption
int NavChildGap();          // an edge and a border
