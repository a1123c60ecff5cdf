#pragma once
// Filling-tag entries: which input receives which value of a person.

#include <optional>
#include <vector>

#include "fill/user_info.h"
#include "text/text.h"

namespace orvex::fill {

/// A filling-tag entry split into the input's token name and the words of its tag expression.
struct FillingTagEntry {
    text::Text tokenName;           ///< may be empty; such an entry names no input
    text::Text expression;          ///< the tag expression after the last "="
    std::vector<text::Text> words;  ///< the expression split at "+", empty words kept
};

/// Splits an entry "name=WORD+WORD" after turning every "=+" into "=": the token name is the
/// text before the last "=", the words are the rest split at "+". Nullopt when there is no "=".
std::optional<FillingTagEntry> parseFillingTagEntry(text::TextView entry);

/// The value of one tag word for `person`: a leading "KV0" is dropped, "SYM_x" gives x, words
/// beginning with BIRTHYEARCNT and words that are not tag words give the empty text.
text::Text TagWordValue(const clsUserInfo& person, text::TextView word);

/// The values of `words` for `person` concatenated in order, nothing between them; empty for no
/// words.
text::Text ComposeValue(const clsUserInfo& person, const std::vector<text::Text>& words);

}  // namespace orvex::fill
