#pragma once
// Conversion of stored texts to the 16-bit integers that persons keep.

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace orvex::fill {

/// The whole of `s` (blanks around allowed) as a decimal 16-bit integer; nullopt when `s` is not
/// a number or does not fit, so that a conversion fails rather than wraps.
std::optional<std::int16_t> toInt16(text::TextView s);

}  // namespace orvex::fill
