#pragma once
// A calendar date without time, and today's date from the system clock.

#include <functional>

namespace orvex::fill {

/// A date of the Gregorian calendar; month and day count from 1.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

/// The source of today's date; tests pass a fixed one.
using TodayFunction = std::function<CalendarDate()>;

/// Today's date in the local time zone; 1970-01-01 when the clock cannot be read.
CalendarDate localToday();

}  // namespace orvex::fill
