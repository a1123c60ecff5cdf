#pragma once
// The history edit window without a display: the entries of its deadline lists, what the window
// shows for a record, what the record takes back (a deadline only when month and day are both
// chosen), and OK's storing of the record.

#include <memory>
#include <vector>

#include "history/recs.h"
#include "text/text.h"

namespace orvex::history {

// The entry of the month and day lists that means "not chosen".
inline constexpr text::TextView kNoDatePart = u"-";
// Years the deadline list offers: this year and the next three.
inline constexpr int kLimitYears = 4;

/// cmbLimitYear: `thisYear` and the next three years, four digits each.
std::vector<text::Text> limitYearEntries(int thisYear);
/// cmbLimitMonth: "-" then "01" to "12".
std::vector<text::Text> limitMonthEntries();
/// cmbLimitDay: "-" then "01" to "31".
std::vector<text::Text> limitDayEntries();

/// What the edit window shows: the texts of its label, of the chosen list entries and of its
/// text boxes.
struct EditHistFields {
    text::Text created;
    text::Text year;
    text::Text month = text::Text(kNoDatePart);
    text::Text day = text::Text(kNoDatePart);
    text::Text siteName;
    text::Text url;
    text::Text contents;
    friend bool operator==(const EditHistFields&, const EditHistFields&) = default;
};

/// The window for `rec` over the year list `years`: the entry date and time joined by two
/// blanks; the deadline's year when the list has it (else the first year), its two-digit month
/// and day; without a usable deadline the first year and "-" twice. The three texts as stored.
EditHistFields fieldsOf(const clsRec& rec, const std::vector<text::Text>& years);

/// Copies the texts into `rec` and, when neither month nor day is "-", the deadline built from
/// the three in the short date form; with a "-" the deadline stays as it was. False, with `rec`
/// untouched, when the three name no real day.
bool applyFields(const EditHistFields& shown, clsRec& rec);

/// OK of the edit window: applyFields, then for a stored record (id not 0) Save and Notify, for a
/// new one Record (which numbers, saves and announces it). False when the day is not real or the
/// record could not be written; the window then stays open.
bool commitEdit(clsRecs& store, const std::shared_ptr<clsRec>& rec, const EditHistFields& shown);

}  // namespace orvex::history
