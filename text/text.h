#pragma once
// Working text of the engine and the stores.
//
// Positions and lengths of the engine count UTF-16 code units (a character outside the
// Basic Multilingual Plane counts as two), so the working text is std::u16string and
// every position helper below is 1-based with 0 meaning "not found".

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::text {

using Text = std::u16string;
using TextView = std::u16string_view;

/// Decodes UTF-8; every invalid or truncated sequence becomes U+FFFD, NUL is kept.
Text fromUtf8(std::string_view utf8);
/// Encodes as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(TextView text);

/// Lower-cases letters, full-width Latin letters (Ａ..Ｚ) included; other characters unchanged.
/// Length in code units never changes, so positions stay valid.
Text toLower(TextView text);
/// Lower-cases `text` in place with the result of toLower; ASCII, kana and CJK text is mapped
/// without a Unicode look-up.
void lowerInPlace(Text& text);
/// Upper-cases letters, full-width Latin letters included; length never changes.
Text toUpper(TextView text);

/// Full-width to half-width: ASCII variants (U+FF01..U+FF5E), the ideographic space, katakana
/// (voiced and semi-voiced ones become a base letter plus ﾞ/ﾟ) and the CJK punctuation that
/// has a half-width form (。「」、・ー).
Text toHalfWidth(TextView text);
/// Half-width to full-width: the reverse of toHalfWidth; ASCII becomes full-width, a half-width
/// katakana letter followed by ﾞ or ﾟ is composed into one voiced letter where one exists.
Text toFullWidth(TextView text);

/// Hiragana to katakana (ぁ..ゖ, ゝゞ); everything else unchanged.
Text toKatakana(TextView text);
/// Katakana to hiragana (ァ..ヶ, ヽヾ); half-width katakana are widened first.
Text toHiragana(TextView text);

/// True for U+0020 and U+3000, the two blanks that forms use between words.
constexpr bool isBlank(char16_t c) {
    return c == u' ' || c == u'\u3000';
}

}  // namespace orvex::text
