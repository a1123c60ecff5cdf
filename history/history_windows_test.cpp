// Tests of the history windows' logic without a display: the list, the edit window and the
// deadlines that stand out.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "history/deadlines.h"
#include "history/edit_hist.h"
#include "history/hist_list.h"
#include "profile/profile.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::history {
namespace {

using text::Text;
using RecPtr = clsRecs::RecPtr;

class HistoryWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(settings::ensureDataDir()); }
    RecPtr record(const char16_t* site, const char16_t* limit = u"", const char16_t* date = u"2024/05/01") {
        auto r = std::make_shared<clsRec>();
        r->CreatedDate = date;
        r->CreatedTime = u"10:00:00";
        r->SiteName = site;
        r->LimitDate = limit;
        EXPECT_TRUE(recs.Record(r));
        return r;
    }
    Text stored(const char16_t* key) const { return profile::read(file, u"data", key, u"<none>"); }

    settings::testing::TempHome home;
    std::filesystem::path file = settings::dataFile("record.ini");
    clsRecs recs;
};

// Tests that the list's lines follow the chosen sort, that line i stands for sorted item i + 1,
// and that the day count counts the records of the clicked record's day.
TEST_F(HistoryWindowsTest, LinesRecordsAndDayCount) {
    record(u"A", u"2024/06/10");
    const RecPtr b = record(u"B", u"", u"2024/05/02");
    record(u"C", u"2024/06/01");
    EXPECT_EQ(histListLines(recs, kSortNewestFirst),
              (std::vector<Text>{u"2024/05/01 10:00:00, 2024/06/01締切, C,", u"2024/05/02 10:00:00,  - ,B,",
                                 u"2024/05/01 10:00:00, 2024/06/10締切, A,"}));
    EXPECT_EQ(histListLines(recs, kSortDeadlineNearestFirst).front(), u"2024/05/01 10:00:00, 2024/06/01締切, C,");
    EXPECT_EQ(recordOfLine(recs, 2), b);
    EXPECT_EQ(recordOfLine(recs, 3), nullptr);
    EXPECT_EQ(recordOfLine(recs, -1), nullptr);
    EXPECT_EQ(inTheDayText(recs, *recordOfLine(recs, 0)), u"2024/05/01  2件応募");
    EXPECT_EQ(inTheDayText(recs, *b), u"2024/05/02  1件応募");
}

// Tests that deleting the selected lines removes their records and renumbers the file, and that
// deleting with no line selected still saves.
TEST_F(HistoryWindowsTest, DeleteLines) {
    record(u"A");
    record(u"B");
    record(u"C");
    histListLines(recs, kSortOldestFirst);
    EXPECT_TRUE(deleteLines(recs, {2, 0}));
    ASSERT_EQ(recs.Count(), 1);
    EXPECT_EQ(recs.Item(1)->SiteName, u"B");
    EXPECT_EQ(stored(u"Count"), u"1");
    EXPECT_EQ(stored(u"data_1"), u"2024/05/01,10:00:00,,B,,");

    ASSERT_TRUE(profile::write(file, u"data", u"Count", u"7"));
    EXPECT_TRUE(deleteLines(recs, {}));
    EXPECT_EQ(stored(u"Count"), u"1");
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(deleteLines(recs, {}));
    ::chmod(file.c_str(), 0644);
}

// Tests the resize rules: 400 twips narrower, 1500 lower, buttons 800 twips from the bottom.
TEST_F(HistoryWindowsTest, ResizeRules) {
    EXPECT_EQ(histListGeometry(600, 400), (HistListGeometry{573, 300, 347}));
    EXPECT_EQ(histListGeometry(10, 10), (HistListGeometry{0, 0, 0}));
}

// Tests the deadline lists and what the edit window shows for records with and without a
// deadline, a year the list lacks staying on the first.
TEST_F(HistoryWindowsTest, EditWindowShowsTheRecord) {
    const std::vector<Text> years = limitYearEntries(2024);
    EXPECT_EQ(years, (std::vector<Text>{u"2024", u"2025", u"2026", u"2027"}));
    const std::vector<Text> months = limitMonthEntries();
    ASSERT_EQ(months.size(), 13u);
    EXPECT_EQ(months.front(), u"-");
    EXPECT_EQ(months[1], u"01");
    EXPECT_EQ(months.back(), u"12");
    ASSERT_EQ(limitDayEntries().size(), 32u);
    EXPECT_EQ(limitDayEntries().back(), u"31");

    clsRec rec;
    rec.CreatedDate = u"2024/05/01";
    rec.CreatedTime = u"09:08:07";
    rec.LimitDate = u"2025/03/09";
    rec.SiteName = u"S";
    EditHistFields f = fieldsOf(rec, years);
    EXPECT_EQ(f.created, u"2024/05/01  09:08:07");
    EXPECT_EQ(f.year, u"2025");
    EXPECT_EQ(f.month, u"03");
    EXPECT_EQ(f.day, u"09");
    EXPECT_EQ(f.siteName, u"S");
    rec.LimitDate = u"2031/01/02";
    f = fieldsOf(rec, years);
    EXPECT_EQ(f.year, u"2024");
    EXPECT_EQ(f.month, u"01");
    rec.LimitDate = u"";
    f = fieldsOf(rec, years);
    EXPECT_EQ(f.year, u"2024");
    EXPECT_EQ(f.month, u"-");
    EXPECT_EQ(f.day, u"-");
}

// Tests that a deadline with a "-" month or day leaves LimitDate unchanged, a full one sets it
// in the short date form, and a day that does not exist changes nothing.
TEST_F(HistoryWindowsTest, DashLeavesTheDeadline) {
    clsRec rec;
    rec.LimitDate = u"2024/07/07";
    EditHistFields f = fieldsOf(rec, limitYearEntries(2024));
    f.month = u"-";
    f.day = u"15";
    f.contents = u"10名様";
    ASSERT_TRUE(applyFields(f, rec));
    EXPECT_EQ(rec.LimitDate, u"2024/07/07");
    EXPECT_EQ(rec.Contents, u"10名様");
    f.month = u"08";
    f.day = u"-";
    ASSERT_TRUE(applyFields(f, rec));
    EXPECT_EQ(rec.LimitDate, u"2024/07/07");
    f.day = u"15";
    ASSERT_TRUE(applyFields(f, rec));
    EXPECT_EQ(rec.LimitDate, u"2024/08/15");
    f.month = u"02";
    f.day = u"30";
    f.contents = u"lost";
    EXPECT_FALSE(applyFields(f, rec));
    EXPECT_EQ(rec.LimitDate, u"2024/08/15");
    EXPECT_EQ(rec.Contents, u"10名様");
}

// Tests that OK records a new record (numbered, saved, announced once) and saves and announces a
// stored one under its id, and that a write that fails is an error.
TEST_F(HistoryWindowsTest, CommitRecordsOrNotifies) {
    std::vector<RecPtr> changed;
    recs.subscribeChanged([&changed](const RecPtr& r) { changed.push_back(r); });
    record(u"old");
    auto fresh = std::make_shared<clsRec>();
    fresh->CreatedDate = u"2024/05/03";
    EditHistFields f = fieldsOf(*fresh, limitYearEntries(2024));
    f.siteName = u"new, site";
    ASSERT_TRUE(commitEdit(recs, fresh, f));
    EXPECT_EQ(fresh->id, 2);
    EXPECT_EQ(stored(u"Count"), u"2");
    EXPECT_EQ(stored(u"data_2"), u"2024/05/03,,,new， site,,");
    EXPECT_EQ(stored(u"data_0"), u"<none>");
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed.back(), fresh);

    f = fieldsOf(*fresh, limitYearEntries(2024));
    f.contents = u"1名様";
    ASSERT_TRUE(commitEdit(recs, fresh, f));
    EXPECT_EQ(fresh->id, 2);
    EXPECT_EQ(recs.Count(), 2);
    EXPECT_EQ(stored(u"data_2"), u"2024/05/03,,,new， site,,1名様");
    EXPECT_EQ(changed.size(), 3u);

    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(commitEdit(recs, fresh, f));
    ::chmod(file.c_str(), 0644);
    EXPECT_EQ(changed.size(), 3u);
}

// Tests which deadlines close soon (today to three days ahead), which have passed and which are
// later, the day count across a month end, and the notice and tips.
TEST_F(HistoryWindowsTest, Deadlines) {
    const Date today{2024, 2, 28};
    clsRec rec;
    auto state = [&](const char16_t* limit) {
        rec.LimitDate = limit;
        return deadlineState(rec, today);
    };
    EXPECT_EQ(state(u"2024/02/28"), DeadlineState::Soon);
    EXPECT_EQ(state(u"2024/03/02"), DeadlineState::Soon);  // leap day between
    EXPECT_EQ(state(u"2024/03/03"), DeadlineState::Later);
    EXPECT_EQ(state(u"2024/02/27"), DeadlineState::Past);
    EXPECT_EQ(state(u""), DeadlineState::None);
    EXPECT_EQ(state(u"近日"), DeadlineState::None);
    EXPECT_EQ(daysBetween({2023, 12, 31}, {2024, 1, 1}), 1);

    rec.LimitDate = u"2024/02/28";
    EXPECT_EQ(deadlineTip(rec, today), u"今日が締切です");
    rec.LimitDate = u"2024/03/01";
    EXPECT_EQ(deadlineTip(rec, today), u"締切まであと2日です");
    rec.LimitDate = u"2024/01/01";
    EXPECT_EQ(deadlineTip(rec, today), u"締切を過ぎています");
    rec.LimitDate = u"2024/04/01";
    EXPECT_EQ(deadlineTip(rec, today), u"");

    record(u"a", u"2024/02/29");
    record(u"b", u"2024/02/27");
    record(u"c", u"2024/03/01");
    record(u"d");
    EXPECT_EQ(dueSoonCount(recs, today), 2);
    EXPECT_EQ(dueSoonNotice(2), u"締切が近い応募が2件あります（今日から3日以内）。応募履歴で確かめて下さい。");
    EXPECT_EQ(dueSoonNotice(0), u"");
}

}  // namespace
}  // namespace orvex::history
