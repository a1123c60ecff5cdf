#include "history/short_date.h"

#include <gtest/gtest.h>

namespace orvex::history {
namespace {

// Tests the accepted forms of a date and their short form.
TEST(ShortDateTest, ParsesAcceptedForms) {
    EXPECT_EQ(toShortDate(u"2024/5/1"), u"2024/05/01");
    EXPECT_EQ(toShortDate(u"2024/05/01"), u"2024/05/01");
    EXPECT_EQ(toShortDate(u"2024-12-31"), u"2024/12/31");
    EXPECT_EQ(toShortDate(u"2024.2.29"), u"2024/02/29");
    EXPECT_EQ(toShortDate(u" ２０２４／３／９\u3000"), u"2024/03/09");
    EXPECT_EQ(toShortDate(u"2024年3月9日"), u"2024/03/09");
}

// Tests that text which names no real day, or is in another form, is not a date.
TEST(ShortDateTest, RejectsNonDates) {
    for (const char16_t* s : {u"", u"-", u"2023/2/29", u"2024/13/1", u"2024/0/1", u"2024/4/31", u"24/5/1",
                              u"20245/1/1", u"2024/5", u"2024/5/1/", u"2024/5-1", u"2024年3月9",
                              u"2024/5/1 12:00", u"0099/1/1", u"abcd/1/1", u"2024/005/1"}) {
        EXPECT_FALSE(parseDate(s).has_value()) << text::toUtf8(s);
    }
}

// Tests that dates compare by year, then month, then day.
TEST(ShortDateTest, ComparesChronologically) {
    EXPECT_LT(*parseDate(u"2023/12/31"), *parseDate(u"2024/1/1"));
    EXPECT_LT(*parseDate(u"2024/1/31"), *parseDate(u"2024/2/1"));
    EXPECT_EQ(*parseDate(u"2024/2/01"), *parseDate(u"2024-02-1"));
}

}  // namespace
}  // namespace orvex::history
