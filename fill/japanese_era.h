#pragma once
// The Japanese era of a stored birth date.

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace orvex::fill {

/// An era name and the year within that era.
struct EraYear {
    text::TextView name;
    std::int16_t year = 0;
};

/// The era and era year of a birth date given as the stored texts of year, month and day.
/// The month is consulted only in a year in which an era begins, the day only in the month in
/// which it begins on a day other than the 1st. Returns nullopt when a text that is consulted is
/// not a 16-bit number.
std::optional<EraYear> eraOfBirthDate(text::TextView year, text::TextView month, text::TextView day);

}  // namespace orvex::fill
