#pragma once
// One profile file in memory: its lines as they were read, with the sections and keys
// recognised in them, so that a change rewrites one line and leaves every other byte alone.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/text.h"

namespace orvex::profile {

class IniDocument {
  public:
    /// Parses a whole file (UTF-8 with or without a byte-order mark, else CP932); never fails:
    /// lines that are neither section headers nor keys are kept as they are.
    static IniDocument parse(std::string_view bytes);

    /// The value of the first `key` in the first section named `section` (both compared
    /// without regard to case, blanks around them ignored), blanks around it removed; nullptr
    /// when there is no such key. The pointer is valid until the document changes.
    const text::Text* find(text::TextView section, text::TextView key) const;

    /// Section names in file order, each once in its first spelling; unnamed sections left out.
    std::vector<text::Text> sectionNames() const;

    /// Sets `key` in the first section named `section`: rewrites the key's first line, or adds
    /// the key after the section's last key, or adds the section at the end. A NUL ends the
    /// value and line breaks in it become blanks, so a value can never add lines. False (and
    /// nothing changed) when the section or key is blank or could not be read back as written.
    bool set(text::TextView section, text::TextView key, text::TextView value);

    /// Removes every section named `section` with all its lines; true when one was removed.
    bool removeSection(text::TextView section);

    /// The file's bytes: UTF-8, the byte-order mark and line ends as they were read.
    std::string serialize() const;

    /// True when the file was read as CP932 (it was not valid UTF-8).
    bool isLegacyEncoding() const { return m_legacy; }

  private:
    enum class Kind { Other, Section, Key };
    struct Line {
        Kind kind = Kind::Other;
        std::string raw;    // the line's UTF-8 text without its end
        std::string eol;    // "\n", "\r\n", "\r", or "" for a last line without one
        text::Text folded;  // section name or key, trimmed and lower-cased, for matching
        text::Text name;    // section name or key as written, trimmed
        text::Text value;   // key lines: the value with blanks around it removed
    };

    static Line parseLine(std::string raw, std::string eol, text::Text decoded);
    // The line "name=value"; `name` must already be known to read back as a key.
    static Line keyLine(text::TextView name, text::TextView value, std::string eol);
    // Where sections and keys are, so that look-ups in big files do not scan every line.
    struct Index {
        std::unordered_map<text::Text, size_t> sections;  // folded name → its first header line
        std::unordered_map<text::Text, size_t> keys;      // keyOf(header, folded key) → first key line
        std::unordered_map<size_t, size_t> lastKey;       // header line → its section's last key line
    };
    static text::Text keyOf(size_t header, text::TextView foldedKey);
    void buildIndex();
    // Index of the first header of `section` (already folded); npos when there is none.
    size_t findSection(text::TextView folded) const;
    // Index of the first line of `key` (folded) in the section at `header`; npos when none.
    size_t findKey(size_t header, text::TextView folded) const;
    // Index one past the last line of the section whose header is at `header`.
    size_t sectionEnd(size_t header) const;

    std::vector<Line> m_lines;
    std::optional<Index> m_index;  // dropped when lines move; look-ups then scan
    std::string m_newline = "\n";  // line end of added lines: the file's first one
    bool m_bom = false;
    bool m_legacy = false;
};

}  // namespace orvex::profile
