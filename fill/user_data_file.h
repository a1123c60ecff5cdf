#pragma once
// The profile file that holds the persons and address records, and key access shared by both.

#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "profile/profile.h"
#include "text/text.h"

namespace orvex::fill {

/// Name of the file in the data directory that holds persons and address records.
inline constexpr std::string_view kUserDataFileName = "userdata.ini";
/// Number of person sections and of address sections the file can hold.
inline constexpr int kUserDataSlots = 10;

/// The section name of person `index`: "USER" followed by the index in decimal.
text::Text GetPersonTag(int index);
/// The section name of address record `index`: "ADDRESS" for 0, "ADDRESS" and the index otherwise.
text::Text GetAddressTag(int index);

/// Whether the user data file can be read before a record reads it key by key.
enum class FileState { Missing, Readable, Unreadable };

/// Missing when nothing is at `file`; Unreadable when something is there that cannot be opened
/// and read as a file; Readable otherwise. Never throws.
FileState probeFile(const std::filesystem::path& file);

/// The text of `key` in `section` of a file read once, `def` when the key is missing or empty.
text::Text ReadKey(const profile::Snapshot& file, text::TextView section, text::TextView key,
                   text::TextView def);

/// The changed keys of one section, written together with one replacement of the file, so that
/// a save either happens as a whole or leaves the file as it was.
class SectionWriter {
  public:
    SectionWriter(std::filesystem::path file, text::TextView section);

    /// Queues key=newText when `newText` differs from `oldText` (exact comparison); else nothing.
    void WriteKeyIfChanged(text::TextView key, text::TextView newText, text::TextView oldText);
    /// Writes the queued keys in order; true when nothing was queued or the write succeeded,
    /// false when the file could not be replaced (it is then unchanged).
    bool commit() const;

  private:
    std::filesystem::path m_file;
    text::Text m_section;
    std::vector<std::pair<text::Text, text::Text>> m_changed;
};

/// "True" or "False", the stored form of a Boolean.
text::Text booleanText(bool value);
/// True for "True", false for "False" (either in any case); false when the text is neither.
bool parseBoolean(text::TextView stored, bool& out);

}  // namespace orvex::fill
