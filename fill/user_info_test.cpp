#include "fill/user_info.h"

#include <gtest/gtest.h>

#include "fill/store_test_support.h"

namespace orvex::fill {
namespace {

using testing::fixedToday;

clsUserInfo bornOn(const char16_t* year, const char16_t* month, const char16_t* day, CalendarDate today) {
    clsUserInfo person({}, fixedToday(today));
    person.BirthYear = year;
    person.BirthMonth = month;
    person.BirthDay = day;
    return person;
}

// Tests that the joined names put a full-width space in the kanji and kana names and an ASCII one
// in the roman name, also when parts are empty.
TEST(UserInfoTest, FullNames) {
    clsUserInfo person;
    person.Name1 = u"山田";
    person.Name2 = u"花子";
    person.NameKana1 = u"やまだ";
    person.NameKana2 = u"はなこ";
    person.NameRome1 = u"Yamada";
    person.NameRome2 = u"Hanako";
    EXPECT_EQ(person.FullName(), u"山田\u3000花子");
    EXPECT_EQ(person.FullNameKana(), u"やまだ\u3000はなこ");
    EXPECT_EQ(person.FullNameRome(), u"Yamada Hanako");
    EXPECT_EQ(clsUserInfo().FullName(), u"\u3000");
    EXPECT_EQ(clsUserInfo().FullNameRome(), u" ");
}

// Tests that the postal code and the e-mail address need both parts, while telephone, fax and
// birth date need only one.
TEST(UserInfoTest, JoinedParts) {
    clsUserInfo person;
    EXPECT_EQ(person.Zip(), u"");
    EXPECT_EQ(person.Tel(), u"");
    EXPECT_EQ(person.Fax(), u"");
    EXPECT_EQ(person.Email(), u"");
    EXPECT_EQ(person.BirthDate(), u"");

    person.Zip1 = u"123";
    person.Tel2 = u"1234";
    person.Fax3 = u"9";
    person.Email1 = u"taro";
    person.BirthMonth = u"4";
    EXPECT_EQ(person.Zip(), u"");
    EXPECT_EQ(person.Tel(), u"-1234-");
    EXPECT_EQ(person.Fax(), u"--9");
    EXPECT_EQ(person.Email(), u"");
    EXPECT_EQ(person.BirthDate(), u"/4/");

    person.Zip2 = u"4567";
    person.Tel1 = u"03";
    person.Tel3 = u"5678";
    person.Email2 = u"example.jp";
    person.BirthYear = u"1985";
    person.BirthDay = u"12";
    EXPECT_EQ(person.Zip(), u"123-4567");
    EXPECT_EQ(person.Tel(), u"03-1234-5678");
    EXPECT_EQ(person.Email(), u"taro@example.jp");
    EXPECT_EQ(person.BirthDate(), u"1985/4/12");
}

// Tests that the sex word follows Female.
TEST(UserInfoTest, Sex) {
    clsUserInfo person;
    EXPECT_EQ(person.Sex(), u"男");
    person.Female = true;
    EXPECT_EQ(person.Sex(), u"女");
}

// Tests that a birthday today already counts and one tomorrow does not.
TEST(UserInfoTest, AgeAroundTheBirthday) {
    const CalendarDate today{2024, 6, 15};
    EXPECT_EQ(bornOn(u"1990", u"6", u"15", today).Age(), 34);
    EXPECT_EQ(bornOn(u"1990", u"6", u"16", today).Age(), 33);
    EXPECT_EQ(bornOn(u"1990", u"6", u"14", today).Age(), 34);
    EXPECT_EQ(bornOn(u"1990", u"7", u"1", today).Age(), 33);
    EXPECT_EQ(bornOn(u"1990", u"5", u"31", today).Age(), 34);
    EXPECT_EQ(bornOn(u"1990", u"06", u"015", today).Age(), 34);
    EXPECT_EQ(bornOn(u"2024", u"6", u"15", today).Age(), 0);
    EXPECT_EQ(bornOn(u"2017", u"1", u"1", today).Age(), 7);
}

// Tests that a 29 February birthday is reached on 1 March in a common year and on 29 February
// in a leap year.
TEST(UserInfoTest, AgeOfLeapDayBirth) {
    EXPECT_EQ(bornOn(u"2000", u"2", u"29", {2023, 2, 28}).Age(), 22);
    EXPECT_EQ(bornOn(u"2000", u"2", u"29", {2023, 3, 1}).Age(), 23);
    EXPECT_EQ(bornOn(u"2000", u"2", u"29", {2024, 2, 28}).Age(), 23);
    EXPECT_EQ(bornOn(u"2000", u"2", u"29", {2024, 2, 29}).Age(), 24);
}

// Tests that an incomplete or unconvertible birth date gives age 0.
TEST(UserInfoTest, AgeWithoutUsableDate) {
    const CalendarDate today{2024, 6, 15};
    EXPECT_EQ(bornOn(u"", u"6", u"15", today).Age(), 0);
    EXPECT_EQ(bornOn(u"1990", u"", u"15", today).Age(), 0);
    EXPECT_EQ(bornOn(u"1990", u"6", u"", today).Age(), 0);
    EXPECT_EQ(bornOn(u"１９９０", u"6", u"15", today).Age(), 0);
    EXPECT_EQ(bornOn(u"1990", u"六", u"15", today).Age(), 0);
    EXPECT_EQ(bornOn(u"-32768", u"1", u"1", today).Age(), 0);
    EXPECT_EQ(bornOn(u"1990", u"6", u"15", {2024, 6, 15}).Age(), 34);
}

// Tests that the clock given at creation is asked at every read of the age.
TEST(UserInfoTest, AgeFollowsTheClock) {
    CalendarDate today{2024, 6, 14};
    clsUserInfo person({}, [&today] { return today; });
    person.BirthYear = u"1990";
    person.BirthMonth = u"6";
    person.BirthDay = u"15";
    EXPECT_EQ(person.Age(), 33);
    today.day = 15;
    EXPECT_EQ(person.Age(), 34);
}

}  // namespace
}  // namespace orvex::fill
