#pragma once
// The checks of the hidden parameter prompts (the wait rounds and the second parameter).

#include <cstdint>

#include "text/text.h"

namespace orvex::bar {

enum class ParameterAnswer { Empty, NotNumber, NotPositive, Accepted };

struct ParameterCheck {
    ParameterAnswer answer = ParameterAnswer::Empty;
    std::int32_t value = 0;  ///< the number when Accepted
};

/// Checks one answer: empty (or blanks only) is Empty; anything but a whole decimal number that
/// fits in 32 bits (full-width digits and blanks around allowed) is NotNumber; 0 or less is
/// NotPositive; a positive number is Accepted with its value.
ParameterCheck checkParameter(text::TextView answer);

/// The message for a refused answer ("数値を入力してください。", "正の数値を入力してください。");
/// empty for Empty and Accepted.
text::TextView parameterMessage(ParameterAnswer answer);

}  // namespace orvex::bar
