#pragma once
// Tokens of a form's filtered text. A token is a plain string: a tag token begins with "<",
// any other token is text. The token filter makes three marker tokens.

#include <vector>

#include "text/text.h"

namespace orvex::engine {

using text::Text;
using text::TextView;

/// Hard line end: ends a block.
inline constexpr TextView kBrToken = u"<BR>";
/// Absolute separator (a table or a horizontal rule): ends a block that no merge may cross.
inline constexpr TextView kAbsSepToken = u"<ABSSEP>";
/// Soft line end inside a table row or cell; stays attached to the text before it.
inline constexpr TextView kCrToken = u"$CR$";

/// The ordered token list of one form.
using TokenList = std::vector<Text>;

/// True when the token begins with "<" (a tag or the markers "<BR>" and "<ABSSEP>"); false for "".
constexpr bool isTagToken(TextView token) {
    return !token.empty() && token.front() == u'<';
}

/// True when the token is text (does not begin with "<"); the empty token counts as text.
constexpr bool isTextToken(TextView token) {
    return !isTagToken(token);
}

}  // namespace orvex::engine
