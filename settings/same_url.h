#pragma once
// The comparison of page addresses used wherever two addresses must name the same page.

#include "text/text.h"

namespace orvex::settings {

/// True when the two addresses are equal once both are lower-cased; also true when `url1`
/// begins with "file:" and `url2`, with every blank written "%20" and, unless it begins with
/// "file:" itself, "file://" put in front, equals `url1` exactly. Not symmetric.
bool SameURL(text::TextView url1, text::TextView url2);

}  // namespace orvex::settings
