#include "history/recs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"
#include "text/strings.h"

namespace orvex::history {
namespace {

using profile::testing::spit;
using text::Text;
using RecPtr = clsRecs::RecPtr;

class RecsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(settings::ensureDataDir()); }
    static RecPtr rec(const char16_t* site, const char16_t* limit = u"",
                      const char16_t* date = u"2024/05/01") {
        auto r = std::make_shared<clsRec>();
        r->CreatedDate = date;
        r->CreatedTime = u"10:00:00";
        r->SiteName = site;
        r->LimitDate = limit;
        return r;
    }
    static std::vector<Text> sortedSites(const clsRecs& recs) {
        std::vector<Text> out;
        for (int i = 1; i <= recs.SortedCount(); ++i) out.push_back(recs.SortedItem(i)->SiteName);
        return out;
    }
    Text stored(const char16_t* key) const { return profile::read(file, u"data", key, u"<none>"); }
    settings::testing::TempHome home;
    std::filesystem::path file = settings::dataFile("record.ini");
};

// Tests that a missing or empty file loads as no records and the first Record gets id 1 and
// writes 1 under "Count".
TEST_F(RecsTest, FirstRecordOfEmptyFile) {
    clsRecs recs;
    EXPECT_FALSE(recs.IsLoaded());
    recs.Load();
    EXPECT_TRUE(recs.IsLoaded());
    EXPECT_EQ(recs.Count(), 0);
    ASSERT_TRUE(spit(file, ""));
    recs.Load();
    EXPECT_EQ(recs.Count(), 0);
    const RecPtr r = rec(u"first");
    EXPECT_TRUE(recs.Record(r));
    EXPECT_EQ(r->id, 1);
    EXPECT_EQ(stored(u"Count"), u"1");
    EXPECT_EQ(stored(u"data_1"), u"2024/05/01,10:00:00,,first,,");
    EXPECT_EQ(recs.Count(), 1);
    EXPECT_EQ(recs.Item(1), r);
}

// Tests that Record takes the next id from the file, not from the list, so it works unloaded.
TEST_F(RecsTest, RecordCountsFromTheFile) {
    ASSERT_TRUE(spit(file, "[data]\nCount=2\ndata_1=a\ndata_2=b\n"));
    clsRecs recs;
    const RecPtr r = rec(u"third");
    EXPECT_TRUE(recs.Record(r));
    EXPECT_EQ(r->id, 3);
    EXPECT_EQ(recs.Count(), 1);
    EXPECT_EQ(stored(u"Count"), u"3");
    EXPECT_EQ(stored(u"data_1"), u"a");
}

// Tests that deleting the second of three and saving renumbers: "Count" 2, the former third under
// number 2, and the old third line left in the file unread.
TEST_F(RecsTest, SaveAfterRemoveRenumbers) {
    clsRecs recs;
    for (const char16_t* s : {u"one", u"two", u"three"}) ASSERT_TRUE(recs.Record(rec(s)));
    recs.Remove(2);
    ASSERT_TRUE(recs.Save());
    EXPECT_EQ(recs.Item(2)->id, 2);
    EXPECT_EQ(stored(u"Count"), u"2");
    EXPECT_EQ(stored(u"data_2"), u"2024/05/01,10:00:00,,three,,");
    EXPECT_EQ(stored(u"data_3"), u"2024/05/01,10:00:00,,three,,");
    clsRecs again;
    again.Load();
    ASSERT_EQ(again.Count(), 2);
    EXPECT_EQ(again.Item(2)->SiteName, u"three");
}

// Tests that 1,000 records with Japanese text, commas and empty fields read back identically.
TEST_F(RecsTest, ThousandRecordsRoundTrip) {
    // The store gets its 1,000 record objects from a file of placeholders in one write, then
    // every field is given its test value in memory.
    std::string placeholders = "[data]\nCount=1000\n";
    for (int i = 1; i <= 1000; ++i) placeholders += "data_" + std::to_string(i) + "=p,p,p,p,p,p\n";
    ASSERT_TRUE(spit(file, placeholders));
    clsRecs recs;
    recs.Load();
    ASSERT_EQ(recs.Count(), 1000);
    for (int i = 1; i <= 1000; ++i) {
        const RecPtr& r = recs.Item(i);
        r->CreatedDate = u"2024/05/" + Text(i % 28 < 9 ? u"0" : u"") + text::number(i % 28 + 1);
        r->CreatedTime = u"12:34:56";
        r->LimitDate = i % 3 == 0 ? Text() : Text(u"2024/06/30");
        r->URL = i % 5 == 0 ? Text() : u"http://example.jp/entry?id=" + text::number(i) + u",x";
        r->SiteName = u"懸賞サイト「春」, 第" + text::number(i) + u"回";
        r->Contents = i % 7 == 0 ? Text() : Text(u"旅行券，ギフト券, 3万円");
    }
    ASSERT_TRUE(recs.Save());
    clsRecs back;
    back.Load();
    ASSERT_EQ(back.Count(), 1000);
    for (int i = 1; i <= 1000; ++i) {
        const RecPtr& a = recs.Item(i);
        const RecPtr& b = back.Item(i);
        ASSERT_EQ(b->id, i);
        EXPECT_EQ(b->CreatedDate, a->CreatedDate) << i;
        EXPECT_EQ(b->CreatedTime, a->CreatedTime) << i;
        EXPECT_EQ(b->LimitDate, a->LimitDate) << i;
        EXPECT_EQ(b->URL, a->URL) << i;
        EXPECT_EQ(b->SiteName, a->SiteName) << i;
        EXPECT_EQ(b->Contents, a->Contents) << i;
    }
    EXPECT_EQ(recs.Item(10)->SiteName, u"懸賞サイト「春」， 第10回");
}

// Tests the four sorts and that any other type sorts newest first.
TEST_F(RecsTest, SortsByEntryAndDeadline) {
    clsRecs recs;
    recs.Record(rec(u"a", u"2024/06/10"));
    recs.Record(rec(u"b", u""));
    recs.Record(rec(u"c", u"2024/06/01"));
    recs.Record(rec(u"d", u"not a date"));
    recs.Record(rec(u"e", u"2024/06/10"));
    recs.Record(rec(u"f", u"2024/07/01"));
    recs.Sort(kSortNewestFirst);
    EXPECT_EQ(sortedSites(recs), std::vector<Text>({u"f", u"e", u"d", u"c", u"b", u"a"}));
    recs.Sort(kSortOldestFirst);
    EXPECT_EQ(sortedSites(recs), std::vector<Text>({u"a", u"b", u"c", u"d", u"e", u"f"}));
    recs.Sort(kSortDeadlineNearestFirst);
    EXPECT_EQ(sortedSites(recs), std::vector<Text>({u"c", u"e", u"a", u"f", u"b", u"d"}));
    recs.Sort(kSortDeadlineFarthestFirst);
    EXPECT_EQ(sortedSites(recs), std::vector<Text>({u"f", u"e", u"a", u"c", u"b", u"d"}));
    recs.Sort(7);
    EXPECT_EQ(sortedSites(recs).front(), u"f");
    recs.Sort(-1);
    EXPECT_EQ(sortedSites(recs).front(), u"f");
    EXPECT_EQ(recs.SortedItem(0), nullptr);
    EXPECT_EQ(recs.SortedItem(7), nullptr);
}

// Tests that a first record without a deadline is placed first but then passed by every later
// record with a deadline.
TEST_F(RecsTest, DeadlineSortStartsWithFirstRecord) {
    clsRecs recs;
    recs.Record(rec(u"undated", u""));
    recs.Record(rec(u"dated", u"2024/06/01"));
    recs.Sort(kSortDeadlineNearestFirst);
    EXPECT_EQ(sortedSites(recs), std::vector<Text>({u"dated", u"undated"}));
}

// Tests that RemoveMe removes the very object only, once, and leaves the sorted view alone.
TEST_F(RecsTest, RemoveMeRemovesTheSameObject) {
    clsRecs recs;
    const RecPtr a = rec(u"x");
    const RecPtr twin = rec(u"x");
    recs.Record(a);
    recs.Record(rec(u"y"));
    recs.Sort(kSortOldestFirst);
    recs.RemoveMe(*twin);
    EXPECT_EQ(recs.Count(), 2);
    recs.RemoveMe(*a);
    EXPECT_EQ(recs.Count(), 1);
    EXPECT_EQ(recs.Item(1)->SiteName, u"y");
    EXPECT_EQ(recs.SortedCount(), 2);
    recs.Remove(5);
    recs.Remove(0);
    EXPECT_EQ(recs.Count(), 1);
}

// Tests that the shared store is one object and that a record removes itself from it.
TEST_F(RecsTest, RecordRemovesItselfFromSharedStore) {
    clsRecs& shared = sharedRecs();
    EXPECT_EQ(&shared, &sharedRecs());
    const RecPtr r = rec(u"me");
    shared.Record(r);
    const int before = shared.Count();
    r->Remove();
    EXPECT_EQ(shared.Count(), before - 1);
}

// Tests that InTheDay counts records by the exact text of their creation date.
TEST_F(RecsTest, InTheDayCountsSameDate) {
    clsRecs recs;
    const RecPtr a = rec(u"a", u"", u"2024/05/01");
    recs.Record(a);
    recs.Record(rec(u"b", u"", u"2024/05/01"));
    recs.Record(rec(u"c", u"", u"2024/5/1"));
    EXPECT_EQ(recs.InTheDay(*a), 2);
    EXPECT_EQ(recs.InTheDay(*rec(u"z", u"", u"2024/05/02")), 0);
}

// Tests that Changed reaches subscribers on Record and Notify until they unsubscribe, and that a
// throwing subscriber does not stop the others.
TEST_F(RecsTest, ChangedNotifiesSubscribers) {
    clsRecs recs;
    std::vector<Text> seen;
    const int first = recs.subscribeChanged([](const RecPtr&) { throw 1; });
    const int second = recs.subscribeChanged([&seen](const RecPtr& r) { seen.push_back(r->SiteName); });
    const RecPtr r = rec(u"new");
    recs.Record(r);
    recs.Notify(r);
    recs.unsubscribeChanged(second);
    recs.unsubscribeChanged(99);
    recs.Notify(r);
    recs.unsubscribeChanged(first);
    EXPECT_EQ(seen, std::vector<Text>({u"new", u"new"}));
}

// Tests that a damaged "Count" neither hides stored records nor lets Record overwrite them, while
// "Count" 0 loads nothing and keeps the lists.
TEST_F(RecsTest, DamagedCountKeepsRecords) {
    for (const char* count : {"abc", "-5", "99999999999", "1e3"}) {
        ASSERT_TRUE(
            spit(file, std::string("[data]\nCount=") + count + "\ndata_1=d,t,,one\ndata_2=d,t,,two\n"));
        clsRecs recs;
        recs.Load();
        ASSERT_EQ(recs.Count(), 2) << count;
        const RecPtr r = rec(u"three");
        EXPECT_TRUE(recs.Record(r));
        EXPECT_EQ(r->id, 3) << count;
        EXPECT_EQ(stored(u"data_1"), u"d,t,,one");
    }
    ASSERT_TRUE(spit(file, "[data]\nCount=0\ndata_1=d,t,,one\n"));
    clsRecs recs;
    recs.Record(rec(u"kept"));
    ASSERT_TRUE(spit(file, "[data]\nCount=0\ndata_1=d,t,,one\n"));
    recs.Load();
    EXPECT_EQ(recs.Count(), 1);
    EXPECT_EQ(recs.Item(1)->SiteName, u"kept");
}

// Tests that saves that cannot be stored report false and leave the file, while Record still
// keeps and announces the record in memory.
TEST_F(RecsTest, FailedWritesReportFalse) {
    clsRecs recs;
    ASSERT_TRUE(recs.Record(rec(u"one")));
    const std::string before = profile::testing::slurp(file);
    ::chmod(file.c_str(), 0444);
    int changed = 0;
    recs.subscribeChanged([&changed](const RecPtr&) { ++changed; });
    EXPECT_FALSE(recs.Record(rec(u"two")));
    EXPECT_EQ(recs.Count(), 2);
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(recs.Save());
    EXPECT_FALSE(recs.Item(1)->Save());
    EXPECT_EQ(profile::testing::slurp(file), before);
    ::chmod(file.c_str(), 0644);
    EXPECT_TRUE(recs.Save());
    EXPECT_EQ(stored(u"Count"), u"2");
}

// Tests that ShowList loads an unloaded store before handing it to the installed window.
TEST_F(RecsTest, ShowListLoadsFirst) {
    ASSERT_TRUE(spit(file, "[data]\nCount=1\ndata_1=d,t,,one\n"));
    clsRecs recs;
    recs.ShowList();  // no window installed: loads, shows nothing
    EXPECT_TRUE(recs.IsLoaded());
    int shownWith = -1;
    clsRecs::setShowListHandler([&shownWith](clsRecs& r) { shownWith = r.Count(); });
    clsRecs other;
    other.ShowList();
    EXPECT_EQ(shownWith, 1);
    clsRecs::setShowListHandler({});
}

}  // namespace
}  // namespace orvex::history
