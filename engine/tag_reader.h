#pragma once
// Cutting a form's text into tokens and reading attributes of tag tokens.

#include "engine/token.h"

namespace orvex::engine {

/// Cuts the next token off the front of `rest` and returns it: leading half-width spaces and
/// then line ends are skipped, a text token runs up to (not including) the next "<", a tag
/// token up to and including the next ">"; without such a character the token is all of
/// `rest`. An empty or all-space `rest` gives "" and leaves `rest` empty.
Text NextToken(TextView& rest);
/// NextToken as a view into the text `rest` was cut from.
TextView nextTokenView(TextView& rest);

/// Reads `attribute` of the tag token `tag`: with an empty `attribute` the element name
/// (after "<", up to the first space or ">"); otherwise the value of the first `attribute=`
/// that starts right after a blank of the tag and outside a double-quoted value. A quoted
/// value runs to the next double quote ("" when there is none); an unquoted one ends at the
/// first space or ">" after the attribute. Single quotes are part of the value. "" when the
/// attribute is missing; never fails.
Text GetAttribute(TextView tag, TextView attribute);
/// GetAttribute as a view into `tag`.
TextView attributeView(TextView tag, TextView attribute);

/// 1-based position where the first `attribute=` of `tag` starts that counts for
/// GetAttribute (right after a blank, outside a double-quoted value); 0 when none or when
/// `attribute` is empty.
int findAttribute(TextView tag, TextView attribute);

/// True when the tag is a choice input: it begins with "<SELECT" or its `type` attribute is
/// "checkbox" or "radio". False for text tokens.
bool IsChoiceTag(TextView tag);

}  // namespace orvex::engine
