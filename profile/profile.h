#pragma once
// Profile files: plain INI files that a person can edit, read and written key by key.
//
// Sections and keys are matched without regard to case; the first of duplicate sections
// or keys wins. A read returns at most 511 characters (UTF-16 code units) with trailing
// blanks and NULs removed, and the caller's default when the result is empty. Files are
// UTF-8; a legacy Shift_JIS (CP932) file is read transparently and converted to UTF-8 on
// its first write, the original kept beside it as NAME.sjis.bak. Every write replaces the
// file atomically, keeping all other lines, comments and their order.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/text.h"

namespace orvex::profile {

class IniDocument;

/// Longest value a read returns, in UTF-16 code units (a 512-unit buffer with its NUL).
inline constexpr size_t kMaxValueLength = 511;

/// The value of `key` in `section` of `file`, or `def` when the file, section or key is
/// missing, unreadable or the value is empty.
text::Text read(const std::filesystem::path& file, text::TextView section, text::TextView key,
                text::TextView def = {});

/// Writes `value` for `key` in `section` (created at the end when missing); false when the
/// file could not be replaced (the old file is then untouched).
bool write(const std::filesystem::path& file, text::TextView section, text::TextView key,
           text::TextView value);

/// The names of all sections in file order (duplicates once, first spelling); empty on failure.
std::vector<text::Text> sectionNames(const std::filesystem::path& file);

/// Removes every section named `section` with its keys; true when the file now has none
/// (also when it never had one), false when the file could not be replaced.
bool removeSection(const std::filesystem::path& file, text::TextView section);

/// Writes several keys of one section in the given order with one replacement of the file,
/// as the same writes one by one would leave it; false (file untouched) when any key is
/// unusable or the file could not be replaced.
bool writeAll(const std::filesystem::path& file, text::TextView section,
              const std::vector<std::pair<text::Text, text::Text>>& entries);

/// One reading of a file for many look-ups with the rules of `read`: a store that reads
/// hundreds of keys parses the file once.
class Snapshot {
  public:
    /// Reads `file` now; a missing or unreadable file gives a snapshot in which every key is
    /// missing.
    static Snapshot load(const std::filesystem::path& file);

    /// As `read` on the file as it was when loaded.
    text::Text read(text::TextView section, text::TextView key, text::TextView def = {}) const;
    /// As `sectionNames` on the file as it was when loaded.
    std::vector<text::Text> sectionNames() const;

  private:
    std::shared_ptr<const IniDocument> m_doc;
};

}  // namespace orvex::profile
