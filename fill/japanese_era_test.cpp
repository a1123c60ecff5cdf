#include "fill/japanese_era.h"

#include <gtest/gtest.h>

#include "fill/user_info.h"

namespace orvex::fill {
namespace {

struct EraCase {
    const char16_t* year;
    const char16_t* month;
    const char16_t* day;
    const char16_t* era;
    int eraYear;
};

// Dates on both sides of every era change, plus the far ends of the table.
constexpr EraCase kEraCases[] = {
    {u"1868", u"1", u"1", u"大正", -43},  {u"1912", u"7", u"30", u"大正", 1},
    {u"1925", u"12", u"31", u"大正", 14}, {u"1926", u"1", u"1", u"昭和", 1},
    {u"1988", u"12", u"31", u"昭和", 63}, {u"1989", u"1", u"1", u"昭和", 64},
    {u"1989", u"1", u"7", u"昭和", 64},   {u"1989", u"1", u"8", u"平成", 1},
    {u"1989", u"01", u"08", u"平成", 1},  {u"1989", u"2", u"1", u"平成", 1},
    {u"1990", u"1", u"1", u"平成", 2},    {u"2018", u"12", u"31", u"平成", 30},
    {u"2019", u"1", u"1", u"平成", 31},   {u"2019", u"4", u"30", u"平成", 31},
    {u"2019", u"5", u"1", u"令和", 1},    {u"2019", u"12", u"31", u"令和", 1},
    {u"2020", u"1", u"1", u"令和", 2},    {u"2024", u"2", u"29", u"令和", 6},
};

// Tests that every era change falls on its date, for the era name and the era year alike.
TEST(JapaneseEraTest, EraChangesFallOnTheirDates) {
    for (const EraCase& c : kEraCases) {
        clsUserInfo person;
        person.BirthYear = c.year;
        person.BirthMonth = c.month;
        person.BirthDay = c.day;
        SCOPED_TRACE(text::toUtf8(person.BirthDate()));
        EXPECT_EQ(person.BirthYearType(), c.era);
        ASSERT_TRUE(person.BirthYearJapan().has_value());
        EXPECT_EQ(*person.BirthYearJapan(), c.eraYear);
    }
}

// Tests that month and day are consulted only where an era changes within the year.
TEST(JapaneseEraTest, MonthAndDayOnlyWhereNeeded) {
    EXPECT_EQ(eraOfBirthDate(u"1985", u"", u"")->name, u"昭和");
    EXPECT_EQ(eraOfBirthDate(u"1989", u"3", u"")->name, u"平成");
    EXPECT_EQ(eraOfBirthDate(u"2019", u"4", u"")->name, u"平成");
    EXPECT_EQ(eraOfBirthDate(u"2019", u"5", u"")->name, u"令和");
    EXPECT_FALSE(eraOfBirthDate(u"1989", u"", u"1"));
    EXPECT_FALSE(eraOfBirthDate(u"1989", u"1", u""));
    EXPECT_FALSE(eraOfBirthDate(u"2019", u"x", u"1"));
}

// Tests that a month outside 1..12 in a year of change counts as the newer era.
TEST(JapaneseEraTest, InvalidMonthCountsAsNewerEra) {
    EXPECT_EQ(eraOfBirthDate(u"1989", u"0", u"5")->name, u"平成");
    EXPECT_EQ(eraOfBirthDate(u"2019", u"13", u"1")->name, u"令和");
    EXPECT_EQ(eraOfBirthDate(u"2019", u"0", u"1")->name, u"令和");
}

// Tests that a year that is not a 16-bit number gives no era and no era year.
TEST(JapaneseEraTest, UnconvertibleYear) {
    for (const char16_t* year : {u"", u"19８5", u"１９８５", u"1985年", u"40000", u"abc"}) {
        clsUserInfo person;
        person.BirthYear = year;
        person.BirthMonth = u"1";
        person.BirthDay = u"1";
        EXPECT_EQ(person.BirthYearType(), u"");
        EXPECT_FALSE(person.BirthYearJapan().has_value());
    }
    EXPECT_EQ(eraOfBirthDate(u" 1985 ", u"", u"")->year, 60);
}

}  // namespace
}  // namespace orvex::fill
