#pragma once
// Small text tests shared by the token filter and the dictionaries.

#include "engine/token.h"

namespace orvex::engine {

/// The text with every half-width space (U+0020) and full-width space (U+3000) removed.
Text RemoveSpaces(TextView text);
/// Removes the half-width and full-width spaces of `text` in place, as RemoveSpaces.
void removeSpacesInPlace(Text& text);
/// Appends `text` to `out` without its half-width and full-width spaces, as RemoveSpaces.
void appendWithoutSpaces(Text& out, TextView text);

/// True when the text holds at least one of "才", "歳", "代" and at least one digit
/// (half-width "0".."9" or full-width "０".."９"); false for empty text.
bool IsAgeText(TextView text);

/// Removes every occurrence of `phrase` from `text` in place (left to right); nothing when
/// `phrase` is empty.
void deleteAll(Text& text, TextView phrase);

}  // namespace orvex::engine
