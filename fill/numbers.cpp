#include "fill/numbers.h"

#include <limits>

#include "text/strings.h"

namespace orvex::fill {

std::optional<std::int16_t> toInt16(text::TextView s) {
    long long value = 0;
    if (!text::parseInt(s, value)) return std::nullopt;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace orvex::fill
