#pragma once
// The entry history: all records of "record.ini" in file order, a sorted view for the history
// windows, and a notification when a record was added or changed.

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "history/rec.h"

namespace orvex::history {

// Sort types of the sorted view (the index of the history window's sort list).
inline constexpr int kSortNewestFirst = 0;
inline constexpr int kSortOldestFirst = 1;
inline constexpr int kSortDeadlineNearestFirst = 2;
inline constexpr int kSortDeadlineFarthestFirst = 3;

// Most records a file is taken to hold: a larger "Count" is treated as unreadable.
inline constexpr int32_t kMaxRecords = 100000;

class clsRecs {
  public:
    using RecPtr = std::shared_ptr<clsRec>;
    using ChangedHandler = std::function<void(const RecPtr&)>;

    /// An empty, not yet loaded store of "record.ini" in the data directory.
    clsRecs();

    /// Reads "Count" and, when above 0, replaces both lists with records 1 to Count read from the
    /// file (when "Count" is 0 or missing the lists stay as they were); marks the store loaded.
    /// A "Count" that is not a number from 0 to kMaxRecords counts the lines "data_1", "data_2"…
    /// present instead, so a damaged count never hides or overwrites stored records.
    void Load();

    /// Writes "Count" and every record, renumbering ids in list order; keys beyond the new count
    /// stay in the file. False when nothing was stored (the file is then unchanged).
    bool Save();

    /// Stores `objRec` as record Count + 1 of the file (read now, so it works unloaded), appends it
    /// to the list, writes the new "Count" and raises Changed. False when the file could not be
    /// written; the record is appended and announced all the same.
    bool Record(const RecPtr& objRec);

    /// Rebuilds the sorted view: kSortOldestFirst list order, kSortDeadlineNearestFirst and
    /// kSortDeadlineFarthestFirst by deadline (records without a usable one last, in list order),
    /// any other type newest first.
    void Sort(int type);

    /// Number of records in the list.
    int Count() const { return static_cast<int>(m_records.size()); }
    /// The record at 1-based `index` of the list; nullptr when out of range.
    RecPtr Item(int index) const;
    /// Number of records in the sorted view.
    int SortedCount() const { return static_cast<int>(m_sorted.size()); }
    /// The record at 1-based `index` of the sorted view; nullptr when out of range.
    RecPtr SortedItem(int index) const;

    /// True once Load has run.
    bool IsLoaded() const { return m_loaded; }

    /// Loads the store when not loaded yet, then shows the history list through the handler the
    /// GUI installed (nothing is shown without one).
    void ShowList();

    /// Removes the record at 1-based `index` of the list; nothing when out of range.
    void Remove(int index);
    /// Removes the first list entry that is `objRec` itself; the sorted view is not touched.
    void RemoveMe(const clsRec& objRec);

    /// Number of records whose CreatedDate is exactly `objRec`'s, itself included.
    int InTheDay(const clsRec& objRec) const;

    /// Raises Changed for `objRec`.
    void Notify(const RecPtr& objRec);

    /// Calls `handler` on every Changed until unsubscribed; returns the subscription's number.
    int subscribeChanged(ChangedHandler handler);
    /// Ends a subscription; unknown numbers are ignored.
    void unsubscribeChanged(int subscription);

    /// Installs the GUI's history list window for ShowList.
    static void setShowListHandler(std::function<void(clsRecs&)> handler);

    /// The store's file.
    const std::filesystem::path& file() const { return m_file; }

  private:
    void raiseChanged(const RecPtr& rec);

    std::vector<RecPtr> m_records;
    std::vector<RecPtr> m_sorted;
    std::filesystem::path m_file;
    bool m_loaded = false;
    std::vector<std::pair<int, ChangedHandler>> m_changed;
    int m_nextSubscription = 1;
};

/// The one history store of the program, created on first use.
clsRecs& sharedRecs();

}  // namespace orvex::history
