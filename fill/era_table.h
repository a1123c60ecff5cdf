#pragma once
// Japanese calendar eras used for birth years.

#include <iterator>
#include <limits>
#include <string_view>

namespace orvex::fill {

/// One era: its name, the first date that belongs to it, and the number that is subtracted from a
/// Western year to give the year within the era.
struct EraRow {
    std::u16string_view name;
    int firstYear;
    int firstMonth;
    int firstDay;
    int yearOffset;
};

// The eras a birth year can fall in, oldest first. Every year up to 1925 counts as 大正 and every
// date from 1926 on as 昭和 until the change of 1989, as forms that ask for an era expect.
inline constexpr EraRow kEras[] = {
    {u"大正", std::numeric_limits<int>::min(), 1, 1, 1911},
    {u"昭和", 1926, 1, 1, 1925},
    {u"平成", 1989, 1, 8, 1988},
    {u"令和", 2019, 5, 1, 2018},
};
static_assert(std::size(kEras) == 4, "adding an era is a deliberate act: add its tests too");

}  // namespace orvex::fill
