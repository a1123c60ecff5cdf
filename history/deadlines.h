#pragma once
// Deadlines that need the user's eye: entries whose draw closes today or within the next three
// days stand out in the history list, entries whose deadline has passed are greyed, and the
// program says once at start-up how many entries close soon.

#include <optional>

#include "history/recs.h"
#include "history/short_date.h"
#include "text/text.h"

namespace orvex::history {

// Days after today that still count as closing soon.
inline constexpr int kSoonDays = 3;

enum class DeadlineState {
    None,   ///< no usable deadline
    Soon,   ///< today or within kSoonDays days
    Later,  ///< further ahead
    Past,   ///< before today
};

/// Today in the local time zone; 1970-01-01 when the clock cannot be read.
Date localDate();

/// Whole days from `from` to `to` (negative when `to` is earlier).
int daysBetween(const Date& from, const Date& to);

/// The state of `rec`'s deadline on `today`.
DeadlineState deadlineState(const clsRec& rec, const Date& today);

/// Days left until `rec`'s deadline on `today`; nothing without a usable deadline.
std::optional<int> daysLeft(const clsRec& rec, const Date& today);

/// The number of records of the store's list that close soon on `today`.
int dueSoonCount(const clsRecs& recs, const Date& today);

/// The start-up notice for `dueSoon` entries; empty when there are none.
text::Text dueSoonNotice(int dueSoon);

/// The tool tip of a list line of `rec` on `today`: days left for one closing soon, a note for
/// one past its deadline, empty otherwise.
text::Text deadlineTip(const clsRec& rec, const Date& today);

}  // namespace orvex::history
