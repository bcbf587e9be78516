#pragma once
// Photos taken on this day in earlier years: which they are, and the order
// that shows them first. Plain C++, so it is tested natively.

#include <functional>

#include "picture/ExifReader.h"

struct CalendarDay {
    int year = 0, month = 0, day = 0;
};

// Today by the local clock, unless a test set another day.
CalendarDay Today();
// A fixed "today" for tests; null goes back to the clock.
void SetTodayForTest(const CalendarDay* day);

// Photos this many days either side of today's month and day count.
const int kOnThisDaySpan = 3;

// How many years ago the photo was taken on this day (within the span,
// across the turn of the year); 0 when it was not, or not in an earlier year.
int YearsAgoOnThisDay(const ExifDate& taken, const CalendarDay& today);

// The photo shown after `index` when the preferred ones come first: the
// preferred in album order, then the others in album order, then round
// again. An index out of range starts with the first preferred one. A step
// is linear in `count`. -1 without photos.
int NextPreferringFirst(int index, int count, const std::function<bool(int)>& preferred);
