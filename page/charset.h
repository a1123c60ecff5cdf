#pragma once
// Character set of saved pages: detection and decoding to UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace orvex::page {

/// How many bytes at the start of a page are searched for a charset declaration. Longer than
/// the 1024 bytes of the standard pre-scan, because old Japanese pages often put long scripts
/// and comments before their META tag.
inline constexpr std::size_t kCharsetScanBytes = 4096;

/// The converter name for a charset label of a page ("shift_jis", "x-sjis", "euc-jp", "utf-8",
/// ...): "windows-31j", "EUC-JP", "ISO-2022-JP", "UTF-8", or the label itself for others;
/// UTF-16 labels in a META tag read as "UTF-8" (a page that can be read as ASCII cannot be
/// UTF-16); "" for an empty label.
std::string canonicalCharset(std::string_view label);

/// The charset a META tag within the first kCharsetScanBytes declares (`<meta charset=...>` or
/// a `content` with "charset=..."), canonical; "" when none.
std::string declaredCharset(std::string_view bytes);

/// The charset of a page: its byte-order mark, else its META declaration, else a guess:
/// "UTF-8" when the bytes are valid UTF-8, otherwise whichever of "windows-31j" and "EUC-JP"
/// reads the bytes with fewer invalid sequences and more double-byte characters than
/// half-width katakana (Shift_JIS on a tie).
std::string detectCharset(std::string_view bytes);

/// The bytes decoded from `charset` to UTF-8 (a byte-order mark dropped, invalid sequences
/// replaced by U+FFFD); nullopt when the charset is unknown.
std::optional<std::string> decodeToUtf8(std::string_view bytes, std::string_view charset);

}  // namespace orvex::page
