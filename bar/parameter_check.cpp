#include "bar/parameter_check.h"

#include <cstdint>

#include "bar/bar_texts.h"
#include "text/strings.h"

namespace orvex::bar {

ParameterCheck checkParameter(text::TextView answer) {
    const text::Text half = text::trim(text::toHalfWidth(answer));
    if (half.empty()) return {ParameterAnswer::Empty, 0};
    long long n = 0;
    if (!text::parseInt(half, n) || n < INT32_MIN || n > INT32_MAX) return {ParameterAnswer::NotNumber, 0};
    if (n <= 0) return {ParameterAnswer::NotPositive, 0};
    return {ParameterAnswer::Accepted, static_cast<std::int32_t>(n)};
}

text::TextView parameterMessage(ParameterAnswer answer) {
    switch (answer) {
        case ParameterAnswer::NotNumber:
            return kNotNumberMessage;
        case ParameterAnswer::NotPositive:
            return kNotPositiveMessage;
        default:
            return {};
    }
}

}  // namespace orvex::bar
