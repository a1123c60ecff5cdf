#pragma once
// Pre-processing of a form's HTML text before it is tokenised.

#include "engine/token.h"

namespace orvex::engine {

/// Removes comments: while the first "<!--" and the first "-->" of the (shrinking) text both
/// exist and the "-->" does not stand before the "<!--", the text from "<!--" through "-->" is
/// cut out. Stops at the first pair that fails, leaving later comments in place. Linear time.
Text removeComments(TextView html);

/// The text the tokenizer sees: comments removed, then every line feed, every carriage return
/// and every "&nbsp;" removed (no other character reference is decoded).
Text prepareFormText(TextView html);

}  // namespace orvex::engine
