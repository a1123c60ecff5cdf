#include "fill/japanese_era.h"

#include <cstddef>
#include <limits>

#include "fill/era_table.h"
#include "fill/numbers.h"

namespace orvex::fill {
namespace {

// The index of the last era that has begun by `year` (the first era begins before any year).
std::size_t lastEraStartedBy(int year) {
    std::size_t found = 0;
    for (std::size_t i = 0; i < std::size(kEras); ++i)
        if (kEras[i].firstYear <= year) found = i;
    return found;
}

std::optional<EraYear> eraYear(std::size_t index, int year) {
    const int inEra = year - kEras[index].yearOffset;
    if (inEra < std::numeric_limits<std::int16_t>::min() || inEra > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return EraYear{kEras[index].name, static_cast<std::int16_t>(inEra)};
}

}  // namespace

std::optional<EraYear> eraOfBirthDate(text::TextView year, text::TextView month, text::TextView day) {
    const std::optional<std::int16_t> y = toInt16(year);
    if (!y) return std::nullopt;
    const std::size_t index = lastEraStartedBy(*y);
    const EraRow& era = kEras[index];
    if (era.firstYear != *y || index == 0 || (era.firstMonth == 1 && era.firstDay == 1))
        return eraYear(index, *y);

    // In the year of a change only a valid month before the change, or a day before the change in
    // its month, belongs to the older era; a month outside 1..12 counts as the newer era.
    const std::optional<std::int16_t> m = toInt16(month);
    if (!m) return std::nullopt;
    if (*m >= 1 && *m < era.firstMonth) return eraYear(index - 1, *y);
    if (*m != era.firstMonth || era.firstDay == 1) return eraYear(index, *y);
    const std::optional<std::int16_t> d = toInt16(day);
    if (!d) return std::nullopt;
    return eraYear(*d < era.firstDay ? index - 1 : index, *y);
}

}  // namespace orvex::fill
