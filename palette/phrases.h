#pragma once
// The five free phrases of the palette buttons, kept in "system.ini", section "CLIP", keys
// "CAPTION1" to "CAPTION5".

#include <array>
#include <filesystem>
#include <string_view>

#include "palette/data_buttons.h"
#include "text/text.h"

namespace orvex::palette {

// The file in the data directory that holds the phrases (and the floating window's settings).
inline constexpr std::string_view kSystemFileName = "system.ini";
inline constexpr text::TextView kClipSection = u"CLIP";
inline constexpr text::TextView kPhraseKeyPrefix = u"CAPTION";

/// The key of phrase `slot` (0 to 4): "CAPTION" and slot + 1.
text::Text phraseKey(int slot);

/// The five phrases of `systemFile`; a missing or unreadable file or key gives an empty phrase.
std::array<text::Text, kPhraseButtonCount> readPhrases(const std::filesystem::path& systemFile);

/// The phrase an answer becomes, which is also exactly what a later read of the stored phrase
/// gives back: cut at a NUL, every line break (CR LF, CR or LF) one blank, blanks and tabs around
/// it removed, at most 511 UTF-16 units without a half surrogate pair at its end. Empty stays
/// empty.
text::Text storablePhrase(text::TextView answer);

/// Stores `phrase` (already storable) as phrase `slot` (0 to 4) of `systemFile`, an empty phrase
/// too; false when the slot is out of range or the file could not be written (it is then
/// unchanged).
bool writePhrase(const std::filesystem::path& systemFile, int slot, text::TextView phrase);

}  // namespace orvex::palette
