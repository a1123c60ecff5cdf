#pragma once
// The per-user settings store: named string values in section "data" of the settings file,
// read and written with the rules of profile files.

#include "text/text.h"

namespace orvex::settings {

/// The stored value of `key`, or `def` when it is missing, empty or unreadable.
text::Text getSetting(text::TextView key, text::TextView def);

/// Stores `value` under `key`, creating the settings folder when needed; false when it could
/// not be stored (the old value then stays).
bool saveSetting(text::TextView key, text::TextView value);

/// "True" or "False", the stored form of a Boolean.
text::Text boolText(bool value);

/// A stored Boolean: "True"/"False" in any case, or a number (non-zero is true); anything
/// else is false.
bool parseBool(text::TextView stored);

/// A stored 32-bit number (blanks around allowed); 0 when it is not a number or does not fit.
int32_t parseInt32(text::TextView stored);

}  // namespace orvex::settings
