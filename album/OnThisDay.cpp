#include "album/OnThisDay.h"

#include <cstdlib>
#include <ctime>

namespace {

bool s_fixed = false;
CalendarDay s_today;

bool Leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days since 1 March of year 0 of the proleptic calendar: differences of
// these are differences in days.
long DayNumber(int year, int month, int day)
{
    static const int kBefore[12] = {306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};
    const int y = month < 3 ? year - 1 : year;
    return 365L * y + y / 4 - y / 100 + y / 400 + kBefore[month - 1] + day - 1;
}

}  // namespace

CalendarDay Today()
{
    if (s_fixed)
        return s_today;
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    CalendarDay day;
    if (local) {
        day.year = local->tm_year + 1900;
        day.month = local->tm_mon + 1;
        day.day = local->tm_mday;
    }
    return day;
}

void SetTodayForTest(const CalendarDay* day)
{
    s_fixed = day != nullptr;
    if (day)
        s_today = *day;
}

int YearsAgoOnThisDay(const ExifDate& taken, const CalendarDay& today)
{
    if (!taken.Known() || today.year <= 0 || today.month < 1 || today.month > 12 || taken.month < 1 ||
        taken.month > 12)
        return 0;
    const long now = DayNumber(today.year, today.month, today.day);
    // The photo's anniversaries around today; 29 February falls on the 28th
    // in other years.
    for (int year = today.year - 1; year <= today.year + 1; ++year) {
        const int day = taken.month == 2 && taken.day == 29 && !Leap(year) ? 28 : taken.day;
        const int years = year - taken.year;
        if (years >= 1 && std::labs(DayNumber(year, taken.month, day) - now) <= kOnThisDaySpan)
            return years;
    }
    return 0;
}

int NextPreferringFirst(int index, int count, const std::function<bool(int)>& preferred)
{
    if (count <= 0)
        return -1;
    const bool inRange = index >= 0 && index < count;
    const bool group = inRange && preferred(index);
    if (inRange)
        for (int i = index + 1; i < count; ++i)
            if (preferred(i) == group)
                return i;
    // The end of a group goes on with the other one, from its start.
    int sameGroup = -1;
    for (int i = 0; i < count; ++i) {
        const bool is = preferred(i);
        if (is != group)
            return i;
        if (sameGroup < 0)
            sameGroup = i;
    }
    return sameGroup;
}
