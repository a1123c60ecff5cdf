#include "fill/filling_tags.h"

#include <gtest/gtest.h>

#include <map>

#include "fill/store_test_support.h"
#include "fill/tag_table.h"

namespace orvex::fill {
namespace {

clsUserInfo hanako() {
    clsUserInfo person({}, testing::fixedToday({2024, 6, 15}));
    person.Name1 = u"山田";
    person.Name2 = u"花子";
    person.NameKana1 = u"やまだ";
    person.NameKana2 = u"はなこ";
    person.NameRome1 = u"Yamada";
    person.NameRome2 = u"Hanako";
    person.HandleName = u"はな";
    person.Female = true;
    person.BirthYear = u"1985";
    person.BirthMonth = u"4";
    person.BirthDay = u"12";
    person.Marriage = true;
    person.Job1 = u"会社員";
    person.Job2 = u"事務";
    person.Zip1 = u"150";
    person.Zip2 = u"0001";
    person.Prefecture = u"東京都";
    person.Address1 = u"渋谷区";
    person.Address2 = u"1-2-3";
    person.Address3 = u"ハイツ101";
    person.Tel1 = u"03";
    person.Tel2 = u"1234";
    person.Tel3 = u"5678";
    person.Fax1 = u"03";
    person.Fax2 = u"1234";
    person.Fax3 = u"5679";
    person.Email1 = u"hanako";
    person.Email2 = u"example.jp";
    return person;
}

// The value of every tag word of the table for hanako().
const std::map<std::u16string_view, std::u16string_view> kExpected = {
    {u"NAME", u"山田\u3000花子"},
    {u"NAME1", u"山田"},
    {u"NAME2", u"花子"},
    {u"NAMEHIRAGANA", u"やまだ\u3000はなこ"},
    {u"NAMEHIRAGANA1", u"やまだ"},
    {u"NAMEHIRAGANA2", u"はなこ"},
    {u"NAMEKATAKANA", u"ヤマダ\u3000ハナコ"},
    {u"NAMEKATAKANA1", u"ヤマダ"},
    {u"NAMEKATAKANA2", u"ハナコ"},
    {u"NAMEROME", u"Yamada Hanako"},
    {u"NAMEROME1", u"Yamada"},
    {u"NAMEROME2", u"Hanako"},
    {u"HANDLENAME", u"はな"},
    {u"BIRTHDATE", u"1985/4/12"},
    {u"BIRTHYEAR", u"1985"},
    {u"BIRTHYEAR1", u"1"},
    {u"BIRTHYEAR2", u"9"},
    {u"BIRTHYEAR3", u"8"},
    {u"BIRTHYEAR4", u"5"},
    {u"BIRTHYEAR12", u"19"},
    {u"BIRTHYEAR23", u"98"},
    {u"BIRTHYEAR34", u"85"},
    {u"BIRTHYEAR234", u"985"},
    {u"BIRTHYEAR21", u""},
    {u"BIRTHYEAR22", u""},
    {u"BIRTHYEARTYPE", u"昭和"},
    {u"BIRTHMONTH", u"4"},
    {u"BIRTHMONTH1", u"0"},
    {u"BIRTHMONTH2", u"4"},
    {u"BIRTHDAY", u"12"},
    {u"BIRTHDAY1", u"1"},
    {u"BIRTHDAY2", u"2"},
    {u"AGE", u"39"},
    {u"AGE1", u"3"},
    {u"AGE2", u"9"},
    {u"SEX", u"女"},
    {u"ZIP", u"150-0001"},
    {u"ZIPCODE", u"150-0001"},
    {u"ZIPT", u"〒150-0001"},
    {u"ZIP1", u"150"},
    {u"ZIPCODE1", u"150"},
    {u"ZIP2", u"0001"},
    {u"ZIPCODE2", u"0001"},
    {u"ZIPCODEND", u"1500001"},
    {u"ZIPOPT", u""},
    {u"ZIPADDRESS", u"〒東京都 150-0001 渋谷区 1-2-3 ハイツ101"},
    {u"PREF", u"東京都"},
    {u"PREFSEL", u"東京都"},
    {u"PREFECTURE", u"東京都"},
    {u"ADDRESS", u"東京都 渋谷区 1-2-3 ハイツ101"},
    {u"ADDRESS123", u"渋谷区 1-2-3 ハイツ101"},
    {u"ADDRESS1", u"渋谷区"},
    {u"ADDRESS2", u"1-2-3"},
    {u"ADDRESS3", u"ハイツ101"},
    {u"TEL", u"03-1234-5678"},
    {u"TEL1", u"03"},
    {u"TEL2", u"1234"},
    {u"TEL3", u"5678"},
    {u"TEL23", u"1234-5678"},
    {u"FAX", u"03-1234-5679"},
    {u"FAX1", u"03"},
    {u"FAX2", u"1234"},
    {u"FAX3", u"5679"},
    {u"EMAIL", u"hanako@example.jp"},
    {u"EMAIL1", u"hanako"},
    {u"EMAIL2", u"example.jp"},
    {u"JOB", u"会社員"},
    {u"MARRIAGE", u"True"},
};

text::Text value(const clsUserInfo& person, text::TextView word) {
    return TagWordValue(person, word);
}

text::Text valueOfEntry(const clsUserInfo& person, text::TextView entry) {
    const std::optional<FillingTagEntry> parsed = parseFillingTagEntry(entry);
    return parsed ? ComposeValue(person, parsed->words) : u"<bad>";
}

// Tests that every word of the table gives its value, with and without the convention prefix,
// and that the table and the expectations list the same words.
TEST(FillingTagsTest, EveryTableWord) {
    const clsUserInfo person = hanako();
    EXPECT_EQ(kExpected.size(), std::size(kTagWords));
    for (const TagWordRow& row : kTagWords) {
        SCOPED_TRACE(text::toUtf8(row.word));
        const auto expected = kExpected.find(row.word);
        ASSERT_NE(expected, kExpected.end());
        EXPECT_EQ(value(person, row.word), expected->second);
        EXPECT_EQ(value(person, u"KV0" + text::Text(row.word)), expected->second);
    }
}

// Tests that words are matched exactly: case, blanks, a second prefix or a near name give nothing.
TEST(FillingTagsTest, NearMissWords) {
    const clsUserInfo person = hanako();
    for (const char16_t* word :
         {u"", u"name1", u"kv0NAME1", u"Kv0NAME1", u"KV0KV0NAME1", u"NAME1 ", u" NAME1", u"BIRTHYEAR5",
          u"ZIP3", u"TEL4", u"ADDRESS4", u"NAMEKANA", u"JOB1", u"SYM"})
        EXPECT_EQ(value(person, word), u"") << text::toUtf8(word);
}

// Tests that symbol words give their text and digit-box words give nothing.
TEST(FillingTagsTest, SymbolAndYearDigitWords) {
    const clsUserInfo person = hanako();
    EXPECT_EQ(value(person, u"SYM_-"), u"-");
    EXPECT_EQ(value(person, u"SYM_年 月"), u"年 月");
    EXPECT_EQ(value(person, u"KV0SYM_/"), u"/");
    EXPECT_EQ(value(person, u"SYM_"), u"");
    EXPECT_EQ(value(person, u"sym_-"), u"");
    EXPECT_EQ(value(person, u"SYM_NAME1"), u"NAME1");
    EXPECT_EQ(value(person, u"BIRTHYEARCNT"), u"");
    EXPECT_EQ(value(person, u"BIRTHYEARCNT42"), u"");
    EXPECT_EQ(value(person, u"KV0BIRTHYEARCNT21"), u"");
}

// Tests the values of a sparse person: parts that are missing and short values.
TEST(FillingTagsTest, SparsePerson) {
    clsUserInfo person({}, testing::fixedToday({2024, 6, 15}));
    person.Zip1 = u"123";
    person.Tel2 = u"1234";
    person.BirthYear = u"85";
    person.BirthMonth = u"12";
    EXPECT_EQ(value(person, u"ZIP"), u"");
    EXPECT_EQ(value(person, u"ZIP1"), u"123");
    EXPECT_EQ(value(person, u"ZIPCODEND"), u"123");
    EXPECT_EQ(value(person, u"ZIPT"), u"〒");
    EXPECT_EQ(value(person, u"TEL"), u"-1234-");
    EXPECT_EQ(value(person, u"TEL23"), u"1234-");
    EXPECT_EQ(value(person, u"FAX"), u"");
    EXPECT_EQ(value(person, u"EMAIL"), u"");
    EXPECT_EQ(value(person, u"BIRTHYEAR34"), u"");
    EXPECT_EQ(value(person, u"BIRTHYEAR234"), u"5");
    EXPECT_EQ(value(person, u"BIRTHYEAR12"), u"85");
    EXPECT_EQ(value(person, u"BIRTHMONTH1"), u"1");
    EXPECT_EQ(value(person, u"BIRTHMONTH2"), u"2");
    EXPECT_EQ(value(person, u"BIRTHDAY1"), u"");
    EXPECT_EQ(value(person, u"BIRTHDAY2"), u"");
    EXPECT_EQ(value(person, u"BIRTHDATE"), u"85/12/");
    EXPECT_EQ(value(person, u"AGE"), u"0");
    EXPECT_EQ(value(person, u"AGE1"), u"0");
    EXPECT_EQ(value(person, u"AGE2"), u"0");
    EXPECT_EQ(value(person, u"SEX"), u"男");
    EXPECT_EQ(value(person, u"MARRIAGE"), u"False");
    EXPECT_EQ(value(person, u"ADDRESS"), u"   ");
    EXPECT_EQ(value(person, u"NAME"), u"\u3000");
    EXPECT_EQ(value(person, u"NAMEROME"), u" ");
}

// Tests that the age digits pad a one-digit age and that era words follow the birth date.
TEST(FillingTagsTest, AgeDigitsAndEra) {
    clsUserInfo person({}, testing::fixedToday({2026, 6, 15}));
    person.BirthYear = u"2019";
    person.BirthMonth = u"5";
    person.BirthDay = u"1";
    EXPECT_EQ(value(person, u"AGE"), u"7");
    EXPECT_EQ(value(person, u"AGE1"), u"0");
    EXPECT_EQ(value(person, u"AGE2"), u"7");
    EXPECT_EQ(value(person, u"BIRTHYEARTYPE"), u"令和");
    person.BirthMonth = u"4";
    person.BirthDay = u"30";
    EXPECT_EQ(value(person, u"BIRTHYEARTYPE"), u"平成");
    person.BirthYear = u"１９８５";
    EXPECT_EQ(value(person, u"BIRTHYEAR"), u"１９８５");
    EXPECT_EQ(value(person, u"BIRTHYEAR34"), u"８５");
    EXPECT_EQ(value(person, u"BIRTHYEARTYPE"), u"");
}

// Tests that an entry splits at its last "=", that "=+" reads as "=", and that words keep order
// with empty words kept.
TEST(FillingTagsTest, ParseEntries) {
    auto entry = parseFillingTagEntry(u"kvnt3=ZIP1");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->tokenName, u"kvnt3");
    EXPECT_EQ(entry->words, std::vector<text::Text>{u"ZIP1"});

    entry = parseFillingTagEntry(u"kvnt5=+ADDRESS1+ADDRESS2+ADDRESS3");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->tokenName, u"kvnt5");
    EXPECT_EQ(entry->expression, u"ADDRESS1+ADDRESS2+ADDRESS3");
    EXPECT_EQ(entry->words, (std::vector<text::Text>{u"ADDRESS1", u"ADDRESS2", u"ADDRESS3"}));

    entry = parseFillingTagEntry(u"a=b=NAME1");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->tokenName, u"a=b");
    EXPECT_EQ(entry->words, std::vector<text::Text>{u"NAME1"});

    entry = parseFillingTagEntry(u"x=+y=+NAME");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->tokenName, u"x=y");

    entry = parseFillingTagEntry(u"kvnt1=NAME1++NAME2+");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->words, (std::vector<text::Text>{u"NAME1", u"", u"NAME2", u""}));
}

// Tests entries that name no input or have no expression: parsed, but empty; no "=" is refused.
TEST(FillingTagsTest, BadEntries) {
    const clsUserInfo person = hanako();
    EXPECT_FALSE(parseFillingTagEntry(u""));
    EXPECT_FALSE(parseFillingTagEntry(u"kvnt1"));
    EXPECT_FALSE(parseFillingTagEntry(u"kvnt1+NAME"));
    EXPECT_FALSE(parseFillingTagEntry(u"kvnt1＝NAME"));

    auto entry = parseFillingTagEntry(u"=NAME");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->tokenName, u"");
    EXPECT_EQ(valueOfEntry(person, u"kvnt1="), u"");
    EXPECT_EQ(valueOfEntry(person, u"kvnt1=+"), u"");
    EXPECT_EQ(valueOfEntry(person, u"kvnt1=UNKNOWN+NAME1"), u"山田");
    EXPECT_EQ(valueOfEntry(person, u"kvnt1=name1"), u"");
}

// Tests that composed expressions join values with nothing between them.
TEST(FillingTagsTest, ComposedExpressions) {
    const clsUserInfo person = hanako();
    EXPECT_EQ(valueOfEntry(person, u"kvnt5=+ADDRESS1+ADDRESS2+ADDRESS3"), u"渋谷区1-2-3ハイツ101");
    EXPECT_EQ(valueOfEntry(person, u"kvnt6=ZIP+PREF+ADDRESS1+ADDRESS2+ADDRESS3"),
              u"150-0001東京都渋谷区1-2-3ハイツ101");
    EXPECT_EQ(valueOfEntry(person, u"kvnt7=ZIPT+PREF+ADDRESS1+ADDRESS2+ADDRESS3"),
              u"〒150-0001東京都渋谷区1-2-3ハイツ101");
    EXPECT_EQ(valueOfEntry(person, u"kvnt8=+TEL2+SYM_-+TEL3"), u"1234-5678");
    EXPECT_EQ(valueOfEntry(person, u"kvnt9=+FAX2+SYM_-+FAX3"), u"1234-5679");
    EXPECT_EQ(valueOfEntry(person, u"kvnt2=+ADDRESS1+ADDRESS2"), u"渋谷区1-2-3");
    EXPECT_EQ(valueOfEntry(person, u"sex=SEX"), u"女");
    EXPECT_EQ(valueOfEntry(person, u"KV0BIRTHYEAR=KV0BIRTHYEAR+SYM_年"), u"1985年");
    EXPECT_EQ(ComposeValue(person, {}), u"");
}

}  // namespace
}  // namespace orvex::fill
