#pragma once
// Character encodings of profile files: UTF-8, and the legacy Shift_JIS (CP932) files that
// older installations left behind.

#include <string_view>

#include "text/text.h"

namespace orvex::profile {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
/// U+10FFFF); an empty input is valid.
bool isValidUtf8(std::string_view bytes);

/// Decodes CP932 bytes; bytes that do not form a character become a substitute character.
/// Empty for an empty input, when no CP932 converter is available, or for inputs over 1 GiB.
text::Text decodeCp932(std::string_view bytes);

}  // namespace orvex::profile
