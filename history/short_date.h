#pragma once
// Dates of the entry history: the deadline a user gives and the day an entry was made, written
// in the Japanese short date form yyyy/mm/dd.

#include <compare>
#include <optional>

#include "text/text.h"

namespace orvex::history {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const Date&) const = default;
};

/// The date in `s`: year, month and day joined by "/", "-" or "." (the year with four digits),
/// or written "yyyy年m月d日"; blanks around and full-width digits allowed. Nothing when `s` is
/// empty, in another form, or names no real day (month 1-12, the month's days, years 100-9999).
std::optional<Date> parseDate(text::TextView s);

/// The short date form: four-digit year, two-digit month and day, joined by "/".
text::Text shortDate(const Date& d);

/// `s` converted to a date and back to the short date form; empty when it is not a date.
text::Text toShortDate(text::TextView s);

}  // namespace orvex::history
