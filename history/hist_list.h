#pragma once
// The history list window without a display: its lines in the chosen order, which record a line
// stands for, the day count of a record, the deletion of the selected lines, and where the list
// and buttons go when the window is resized.

#include <vector>

#include "history/recs.h"
#include "text/text.h"

namespace orvex::history {

/// Sorts the store's view by `sortType` and returns one line per sorted record (ListFormat).
std::vector<text::Text> histListLines(clsRecs& recs, int sortType);

/// The record of list line `line` (from 0): sorted item line + 1; null out of range.
clsRecs::RecPtr recordOfLine(const clsRecs& recs, int line);

/// lblIntheday for `rec`: its CreatedDate, two blanks, the number of records of that day and
/// "件応募".
text::Text inTheDayText(const clsRecs& recs, const clsRec& rec);

/// Removes the records of `selectedLines` (lines of the sorted view, any order), last line first,
/// from the store's list, then saves the store, also when no line was selected. False when the
/// save did not happen (the records are gone from the list all the same).
bool deleteLines(clsRecs& recs, std::vector<int> selectedLines);

/// Where the list and the buttons stand in a window of the given inner size, in pixels.
struct HistListGeometry {
    int listWidth = 0;
    int listHeight = 0;
    int buttonTop = 0;  ///< cmdEdit and cmdDelete
    friend bool operator==(const HistListGeometry&, const HistListGeometry&) = default;
};

// Twips per pixel at 96 dots per inch, in which the list's margins are given.
inline constexpr int kTwipsPerPixel = 15;

/// The list 400 twips narrower and 1500 twips lower than the window, the buttons 800 twips above
/// its bottom; sizes never below 0.
HistListGeometry histListGeometry(int windowWidth, int windowHeight);

}  // namespace orvex::history
