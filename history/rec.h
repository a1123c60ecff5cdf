#pragma once
// One entry of the history: which page was entered for, what for, when, and by when the
// draw closes; stored as one line of "record.ini".

#include <ctime>
#include <filesystem>
#include <functional>

#include "text/text.h"

namespace orvex::profile {
class Snapshot;
}

namespace orvex::history {

class clsRec {
  public:
    /// An empty record (id 0, not stored yet) of "record.ini" in the data directory.
    clsRec();

    text::Text CreatedDate;  // yyyy/mm/dd
    text::Text CreatedTime;  // hh:mm:ss
    text::Text LimitDate;    // the deadline in the short date form; empty when none
    text::Text URL;
    text::Text SiteName;
    text::Text Contents;
    int32_t id = 0;  // position in the file, from 1; 0 while not stored

    /// Reads line "data_" + id and assigns its comma-separated fields in the order CreatedDate,
    /// CreatedTime, LimitDate, SiteName, URL, Contents; fields the line lacks (all, for a
    /// missing line) keep their values.
    void Load();
    /// As Load, from a file already read.
    void Load(const profile::Snapshot& file);
    /// Assigns the fields of one stored line as Load does.
    void LoadLine(text::TextView line);

    /// Writes the record line under "data_" + id; false when it was not stored. Commas in
    /// SiteName, URL and Contents become "，" in the record itself first.
    bool Save();
    /// The stored line, after turning the commas of SiteName, URL and Contents into "，" in the
    /// record itself.
    text::Text RecordLine();

    /// Sets CreatedDate and CreatedTime to the current local date and time.
    void RecordCreatedTime();
    /// Sets CreatedDate and CreatedTime from `when` (local time).
    void RecordCreatedTime(const std::tm& when);

    /// True when LimitDate is a date; false for an empty or unconvertible one.
    bool IsLimitTimeValid() const;

    /// Whether this record goes before `objTargetRec` in a deadline sort: always when the
    /// target has no usable deadline, never when this one has none; otherwise when the target's
    /// deadline is on or after this one's (`blnNew2Old`) or on or before it (not `blnNew2Old`).
    bool blnLimitBefore(const clsRec& objTargetRec, bool blnNew2Old) const;

    /// The history list's line: "date time, " then "deadline締切, " or " - ," then
    /// "site,contents".
    text::Text ListFormat() const;

    /// Opens the record's edit window through the handler the GUI installed; false when there is
    /// none or the edit was cancelled.
    bool Edit();
    /// Asks the shared store to remove this record.
    void Remove();

    /// Installs the GUI's edit window for Edit (it returns whether the record was changed).
    static void setEditHandler(std::function<bool(clsRec&)> handler);

    /// The record's file.
    const std::filesystem::path& file() const { return m_file; }

  private:
    std::filesystem::path m_file;
};

/// The key of record `id` in the section: "data_" followed by the number.
text::Text recordKey(int32_t id);

// The section that holds the whole history.
inline constexpr text::TextView kRecordSection = u"data";

}  // namespace orvex::history
