#pragma once
// The value rules of input types: what an input keeps when a value is assigned to it.

#include <string>
#include <string_view>

namespace orvex::page {

/// The lower-case input type for a `type` attribute; "text" for a missing or unknown type.
std::string normalizeInputType(std::string_view typeAttribute);

/// The value an input of `type` keeps when `value` is assigned: line breaks dropped from
/// single-line types, blanks trimmed from url and e-mail, "" for an invalid number, date,
/// month, week, time or local date-time, "#000000" for an invalid colour (lower-cased when
/// valid); other types keep the text unchanged. A range input is treated like a number
/// (the browser's fallback to the middle of its range is not modelled).
std::string sanitizeInputValue(std::string_view type, std::string_view value);

/// A text area's value with CR LF and lone CR turned into LF.
std::string normalizeLineBreaks(std::string_view value);

}  // namespace orvex::page
