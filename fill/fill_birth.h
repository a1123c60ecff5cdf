#pragma once
// The rules of the birth-year writers: which year word a list's options call for, and how a year
// split over several lists or boxes is cut. The writers themselves are FormFiller members.

#include <optional>

#include "page/element.h"
#include "text/text.h"

namespace orvex::fill {

/// Option index (from 0) whose width tells how many digits a year list's options have.
inline constexpr int kYearProbeOption = 2;
/// An option text longer than this ("1970年") is not a bare year: its value is measured instead.
inline constexpr int kBareYearMaxLength = 4;

/// The number of parts and this part's position that a split-year word names: BIRTHYEARCNT alone
/// is one part; BIRTHYEARCNT followed by two digits n and m is part m of n.
struct YearSplit {
    int parts = 0;
    int position = 0;
};

/// The split a word names, read from its length: 12 characters give one part, 14 characters the
/// digits at positions 13 and 14 (a character that is not a digit reads as 0); any other length
/// gives zero parts.
YearSplit parseYearSplit(text::TextView word);

/// The width of a year list's options: the length of the trimmed markup of its third option, or,
/// with `measureValue` and markup longer than kBareYearMaxLength, of its trimmed value. 0 when the
/// list has fewer than three options.
int yearOptionWidth(const page::Element& list, bool measureValue);

/// The year word for a list whose options are `width` characters wide: BIRTHYEAR34 for 2,
/// BIRTHYEAR234 for 3, BIRTHYEAR otherwise.
text::Text yearWordForWidth(int width);

/// The year word for part `split` of a year spread over several lists whose third option is
/// `width` characters wide (for one part, the width after measuring the value); "" when that part
/// gets nothing.
text::Text splitYearWord(YearSplit split, int width);

/// The part of the era year `y` (one or two digits) for part `split`: the whole year for one
/// part; for two parts the tens digit ("0" for a one-digit year) and then the last digit;
/// nullopt for other splits or an empty year.
std::optional<text::Text> eraYearPart(text::TextView y, YearSplit split);

}  // namespace orvex::fill
