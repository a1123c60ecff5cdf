#pragma once
// Which piece of personal data a tag expression writes, and the word tests the stages share.

#include <span>

#include "engine/token.h"

namespace orvex::rules {

using engine::Text;
using engine::TextView;

/// The piece of personal data a tag expression writes.
enum class TagFamily { None, Name, Reading, Handle, Zip, Pref, Address, Tel, Fax, Email, Birth, Age, Sex, Marriage, Job };

/// The family of `expression`: an address composition counts as Address even when it begins
/// with the postal code, ZIPOPT as Zip; None for an empty or unknown expression.
TagFamily familyOf(TextView expression);

/// True for the families of the person rows that a second person's or a delivery block repeats.
bool isPersonRowFamily(TagFamily family);

/// The field kinds whose dictionaries name `family`; empty for None.
std::span<const int> kindsOf(TagFamily family);

/// True when the keyword dictionary scores `label` for a kind of `family` (and no anti-keyword
/// rules it out); false for None.
bool labelNames(TagFamily family, TextView label);

/// True when the keyword dictionary scores `label` for field kind `kind` and no anti-keyword
/// rules it out.
bool labelNamesKind(int kind, TextView label);

/// A label without its marks ("※", "*", "：", "必須", "任意") and examples ("（例：…）"), so that
/// what is left is the words that name the field.
Text coreLabel(TextView label);

/// True when `text` (compared in lower case) holds one of `words`.
bool holdsAny(TextView text, std::span<const TextView> words);

/// The first of `words` that `text` (compared in lower case) holds; "" when none.
TextView firstHeld(TextView text, std::span<const TextView> words);

}  // namespace orvex::rules
