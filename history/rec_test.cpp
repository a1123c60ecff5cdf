#include "history/rec.h"

#include <gtest/gtest.h>

#include "history/recs.h"
#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::history {
namespace {

using text::Text;

class RecTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(settings::ensureDataDir()); }
    settings::testing::TempHome home;
};

clsRec withLimit(const char16_t* limit) {
    clsRec r;
    r.LimitDate = limit;
    return r;
}

// Tests that commas in site, address and contents become full-width in the record itself and
// that date fields are written unchanged, in the order of the file's line.
TEST_F(RecTest, SaveReplacesCommasInTheRecord) {
    clsRec r;
    r.id = 3;
    r.CreatedDate = u"2024/05/01";
    r.CreatedTime = u"09:08:07";
    r.LimitDate = u"2024/06/30";
    r.URL = u"http://example.jp/?a=1,2";
    r.SiteName = u"懸賞,サイト";
    r.Contents = u"A賞, B賞";
    ASSERT_TRUE(r.Save());
    EXPECT_EQ(r.SiteName, u"懸賞，サイト");
    EXPECT_EQ(r.URL, u"http://example.jp/?a=1，2");
    EXPECT_EQ(r.Contents, u"A賞， B賞");
    EXPECT_EQ(profile::read(r.file(), u"data", u"data_3"),
              u"2024/05/01,09:08:07,2024/06/30,懸賞，サイト,http://example.jp/?a=1，2,A賞， B賞");
}

// Tests that a short line fills only the fields it has, a missing line changes nothing, and extra
// fields are ignored.
TEST_F(RecTest, LoadFillsWhatTheLineHas) {
    ASSERT_TRUE(profile::testing::spit(settings::dataFile("record.ini"),
                                       "[data]\ndata_1=2024/01/02,10:00:00\ndata_2=a,b,c,d,e,f,g\n"));
    clsRec r;
    r.id = 1;
    r.SiteName = u"kept";
    r.Load();
    EXPECT_EQ(r.CreatedDate, u"2024/01/02");
    EXPECT_EQ(r.CreatedTime, u"10:00:00");
    EXPECT_EQ(r.SiteName, u"kept");
    r.id = 9;
    r.Load();
    EXPECT_EQ(r.CreatedDate, u"2024/01/02");
    r.id = 2;
    r.Load();
    EXPECT_EQ(r.SiteName, u"d");
    EXPECT_EQ(r.URL, u"e");
    EXPECT_EQ(r.Contents, u"f");
    r.LoadLine(u",,,,,");
    EXPECT_EQ(r.CreatedDate, u"");
    EXPECT_EQ(r.Contents, u"");
}

// Tests the creation stamp's forms.
TEST_F(RecTest, RecordCreatedTimeFormats) {
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 0;
    when.tm_mday = 5;
    when.tm_hour = 7;
    when.tm_min = 3;
    when.tm_sec = 9;
    clsRec r;
    r.RecordCreatedTime(when);
    EXPECT_EQ(r.CreatedDate, u"2024/01/05");
    EXPECT_EQ(r.CreatedTime, u"07:03:09");
    r.RecordCreatedTime();
    EXPECT_EQ(r.CreatedDate.size(), 10u);
    EXPECT_EQ(r.CreatedTime.size(), 8u);
}

// Tests the history list's line with and without a deadline.
TEST_F(RecTest, ListFormatMarksDeadline) {
    clsRec r;
    r.CreatedDate = u"2024/05/01";
    r.CreatedTime = u"12:00:00";
    r.SiteName = u"サイト";
    r.Contents = u"旅行";
    EXPECT_EQ(r.ListFormat(), u"2024/05/01 12:00:00,  - ,サイト,旅行");
    r.LimitDate = u"2024/06/30";
    EXPECT_EQ(r.ListFormat(), u"2024/05/01 12:00:00, 2024/06/30締切, サイト,旅行");
}

// Tests the deadline comparison: targets without a usable deadline always follow, a record
// without one never goes first, and equal deadlines put this record first in both directions.
TEST_F(RecTest, LimitBeforeRules) {
    const clsRec may = withLimit(u"2024/05/01");
    const clsRec june = withLimit(u"2024/06/01");
    const clsRec none = withLimit(u"");
    const clsRec bad = withLimit(u"someday");
    EXPECT_TRUE(may.IsLimitTimeValid());
    EXPECT_FALSE(none.IsLimitTimeValid());
    EXPECT_FALSE(bad.IsLimitTimeValid());
    EXPECT_TRUE(may.blnLimitBefore(none, true));
    EXPECT_TRUE(bad.blnLimitBefore(none, false));
    EXPECT_TRUE(may.blnLimitBefore(bad, false));
    EXPECT_FALSE(bad.blnLimitBefore(may, true));
    EXPECT_TRUE(may.blnLimitBefore(june, true));
    EXPECT_FALSE(june.blnLimitBefore(may, true));
    EXPECT_TRUE(june.blnLimitBefore(may, false));
    EXPECT_FALSE(may.blnLimitBefore(june, false));
    EXPECT_TRUE(may.blnLimitBefore(withLimit(u"2024-5-1"), true));
    EXPECT_TRUE(may.blnLimitBefore(withLimit(u"2024-5-1"), false));
}

// Tests that Edit goes through the installed handler and reports false without one.
TEST_F(RecTest, EditUsesInstalledHandler) {
    clsRec r;
    EXPECT_FALSE(r.Edit());
    clsRec::setEditHandler([](clsRec& rec) {
        rec.Contents = u"edited";
        return true;
    });
    EXPECT_TRUE(r.Edit());
    EXPECT_EQ(r.Contents, u"edited");
    clsRec::setEditHandler({});
}

}  // namespace
}  // namespace orvex::history
