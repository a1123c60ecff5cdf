#include "history/edit_hist.h"

#include <cstdio>

#include "history/short_date.h"
#include "text/strings.h"

namespace orvex::history {
namespace {

// Months and days the lists offer.
constexpr int kMonths = 12;
constexpr int kDays = 31;

text::Text twoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return text::fromUtf8(buf);
}

std::vector<text::Text> partEntries(int last) {
    std::vector<text::Text> entries{text::Text(kNoDatePart)};
    for (int i = 1; i <= last; ++i) entries.push_back(twoDigits(i));
    return entries;
}

}  // namespace

std::vector<text::Text> limitYearEntries(int thisYear) {
    std::vector<text::Text> years;
    for (int i = 0; i < kLimitYears; ++i) years.push_back(text::number(thisYear + i));
    return years;
}

std::vector<text::Text> limitMonthEntries() {
    return partEntries(kMonths);
}

std::vector<text::Text> limitDayEntries() {
    return partEntries(kDays);
}

EditHistFields fieldsOf(const clsRec& rec, const std::vector<text::Text>& years) {
    EditHistFields f;
    f.created = rec.CreatedDate + u"  " + rec.CreatedTime;
    if (!years.empty()) f.year = years.front();
    if (const std::optional<Date> limit = parseDate(rec.LimitDate)) {
        // A year the list lacks leaves it on its first entry.
        const text::Text year = text::number(limit->year);
        for (const text::Text& y : years)
            if (y == year) f.year = y;
        f.month = twoDigits(limit->month);
        f.day = twoDigits(limit->day);
    }
    f.siteName = rec.SiteName;
    f.url = rec.URL;
    f.contents = rec.Contents;
    return f;
}

bool applyFields(const EditHistFields& shown, clsRec& rec) {
    text::Text limit = rec.LimitDate;
    if (shown.month != kNoDatePart && shown.day != kNoDatePart) {
        limit = toShortDate(shown.year + u"/" + shown.month + u"/" + shown.day);
        if (limit.empty()) return false;
    }
    rec.SiteName = shown.siteName;
    rec.URL = shown.url;
    rec.Contents = shown.contents;
    rec.LimitDate = limit;
    return true;
}

bool commitEdit(clsRecs& store, const std::shared_ptr<clsRec>& rec, const EditHistFields& shown) {
    if (!rec || !applyFields(shown, *rec)) return false;
    // A new record gets its number and its line from Record; it is not written under 0 first.
    if (rec->id == 0) return store.Record(rec);
    if (!rec->Save()) return false;
    store.Notify(rec);
    return true;
}

}  // namespace orvex::history
