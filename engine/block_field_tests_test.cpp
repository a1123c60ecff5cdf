#include <gtest/gtest.h>

#include "engine/decider_test_support.h"

namespace orvex::engine {
namespace {

using namespace decider_testing;

using decider_testing::u8;
using Tags = std::vector<std::string>;

std::optional<Tags> u8(const std::optional<std::vector<Text>>& list) {
    if (!list) return std::nullopt;
    return decider_testing::u8(*list);
}

std::vector<Text> names(std::initializer_list<std::string_view> list) {
    std::vector<Text> out;
    for (const std::string_view n : list) out.push_back(u16(n));
    return out;
}

// Tests that a short hyphen between the first two inputs makes a zip pair whatever the widths,
// and that a long text or a hyphen after the second input does not.
TEST(BlockFieldTestsTest, Is2ZipHyphen) {
    EXPECT_TRUE(block({box(1, "8"), "-", box(2, "30")}).Is2Zip());
    EXPECT_TRUE(block({box(1, "8"), " － ", box(2, "30")}).Is2Zip());
    EXPECT_TRUE(block({box(1, "8"), "―$CR$", box(2, "30")}).Is2Zip());
    EXPECT_FALSE(block({box(1, "8"), "ハイフン-", box(2, "30")}).Is2Zip());
    EXPECT_FALSE(block({box(1, "8"), box(2, "30"), "-"}).Is2Zip());
    EXPECT_FALSE(block({"〒-", box(1, "8"), box(2, "30")}).Is2Zip());
}

// Tests the width rule of the zip pair, with sizes rounded half to even and bad sizes as 20.
TEST(BlockFieldTestsTest, Is2ZipWidths) {
    EXPECT_TRUE(block({box(1, "3"), box(2, "4")}).Is2Zip());
    EXPECT_FALSE(block({box(1, "3"), box(2, "5")}).Is2Zip());    // 4.5 < 5
    EXPECT_TRUE(block({box(1, "3.5"), box(2, "6")}).Is2Zip());   // 3.5 rounds to 4
    EXPECT_FALSE(block({box(1, "2.5"), box(2, "4")}).Is2Zip());  // 2.5 rounds to 2
    EXPECT_FALSE(block({box(1, "8"), box(2, "11")}).Is2Zip());
    EXPECT_FALSE(block({box(1), box(2, "4")}).Is2Zip());       // missing size: 20
    EXPECT_FALSE(block({box(1, "0"), box(2, "4")}).Is2Zip());  // zero: 20
    EXPECT_FALSE(block({box(1, "x"), box(2, "4")}).Is2Zip());  // not a number: 20
    EXPECT_TRUE(block({box(1, "\"5\""), box(2, "7px")}).Is2Zip());
    // A single narrow input passes: the second width starts at 0.
    EXPECT_TRUE(block({box(1, "5")}).Is2Zip());
}

// Tests that IsZipAndCity looks at the first input that is not a select list.
TEST(BlockFieldTestsTest, IsZipAndCity) {
    EXPECT_TRUE(block({list(1), box(2, "30")}).IsZipAndCity());
    EXPECT_FALSE(block({box(2, "20")}).IsZipAndCity());
    EXPECT_FALSE(block({box(2, "7"), box(3, "60")}).IsZipAndCity());
    EXPECT_FALSE(block({list(1), "住所"}).IsZipAndCity());
}

// Tests that IsZipAndOther compares the first width with a third of the second.
TEST(BlockFieldTestsTest, IsZipAndOther) {
    EXPECT_TRUE(block({box(1, "8"), box(2, "40")}).IsZipAndOther());
    EXPECT_TRUE(block({box(1, "13"), box(2, "40")}).IsZipAndOther());
    EXPECT_FALSE(block({box(1, "14"), box(2, "40")}).IsZipAndOther());
    EXPECT_FALSE(block({box(1, "8")}).IsZipAndOther());  // the missing second counts as 0
}

// Tests that only a short hyphen or closing bracket between the first two inputs makes a
// phone pair.
TEST(BlockFieldTestsTest, Is2Tel) {
    EXPECT_TRUE(block({box(1, "40"), "-", box(2, "40")}).Is2Tel());
    EXPECT_TRUE(block({"(", box(1), ")", box(2)}).Is2Tel());
    EXPECT_TRUE(block({box(1), "）$CR$", box(2)}).Is2Tel());
    EXPECT_FALSE(block({box(1), "(", box(2)}).Is2Tel());
    EXPECT_FALSE(block({box(1), "市外局番-", box(2)}).Is2Tel());
    EXPECT_FALSE(block({box(1), box(2), "-", box(3)}).Is2Tel());
}

// Tests that EmailConfirm sees re-entry words or a line end after the first input.
TEST(BlockFieldTestsTest, EmailConfirm) {
    EXPECT_TRUE(block({"メール（確認）", box(1), box(2)}).EmailConfirm());
    EXPECT_TRUE(block({"メール", box(1), "$CR$", box(2)}).EmailConfirm());
    EXPECT_FALSE(block({"メール", box(1), "@", box(2)}).EmailConfirm());
    EXPECT_FALSE(block({"メール$CR$", box(1), "@", box(2), "$CR$"}).EmailConfirm());
}

// Tests that Is2Age wants like inputs with at most a short mark between the first two.
TEST(BlockFieldTestsTest, Is2Age) {
    EXPECT_TRUE(block({"年齢", list(1), "～", list(2)}).Is2Age());
    EXPECT_FALSE(block({"年齢", list(1), "歳", list(2)}).Is2Age());
    EXPECT_TRUE(block({list(1), "から", "まで", list(2)}).Is2Age());  // each text is short
    EXPECT_FALSE(block({list(1), "以上から", list(2)}).Is2Age());
    EXPECT_FALSE(block({list(1), "～", box(2)}).Is2Age());
}

// Tests the "19" tests of the birth block.
TEST(BlockFieldTestsTest, Check19AndOneBirthTag) {
    EXPECT_TRUE(block({"１９", box(1)}).Check19());
    EXPECT_TRUE(block({"1 9", box(1)}).Check19());  // blanks are gone from stored text
    EXPECT_FALSE(block({"2000", box(1)}).Check19());
    EXPECT_EQ(u8(block({"生年月日 19", box(1), "年"}).CheckOneBirthTag()), "BIRTHYEAR34");
    EXPECT_EQ(u8(block({"生年月日", box(1), "年 19"}).CheckOneBirthTag()), "BIRTHDATE");
    EXPECT_EQ(u8(block({"19", box(1)}).CheckOneBirthTag()), "BIRTHDATE");
}

// Tests how CheckNameKanaStruct splits inputs at the first reading or kanji label after an
// input, and leaves the types alone without a split.
TEST(BlockFieldTestsTest, CheckNameKanaStruct) {
    std::int32_t type1 = 7, count1 = 0, type2 = 7, count2 = 0;
    block({"お名前", box(1), box(2), "フリガナ", box(3), box(4)})
        .CheckNameKanaStruct(type1, count1, type2, count2);
    EXPECT_EQ(std::vector<int>({type1, type2, count1, count2}), std::vector<int>({0, 1, 2, 2}));

    type1 = type2 = 7;
    block({"フリガナ", box(1), "漢字", box(2)}).CheckNameKanaStruct(type1, count1, type2, count2);
    EXPECT_EQ(std::vector<int>({type1, type2, count1, count2}), std::vector<int>({1, 0, 1, 1}));

    // "半角カナ" is removed before the test, so it splits nothing.
    type1 = type2 = 7;
    block({"フリガナ", box(1), "半角カナ", box(2)}).CheckNameKanaStruct(type1, count1, type2, count2);
    EXPECT_EQ(std::vector<int>({type1, type2, count1, count2}), std::vector<int>({7, 7, 2, 0}));
}

// Tests the two-input name walk: label between, before, or absent, and a walk past the names.
TEST(BlockFieldTestsTest, DecideNameKana2) {
    const auto n2 = names({"kvnt1", "kvnt2"});
    EXPECT_EQ(u8(block({"氏名", box(1), "ふりがな", box(2)}).DecideNameKana2(n2, u"NAMEHIRAGANA")),
              Tags({"=NAME", "=NAMEHIRAGANA"}));
    EXPECT_EQ(u8(block({"ふりがな", box(1), box(2)}).DecideNameKana2(n2, u"NAMEHIRAGANA")),
              Tags({"=NAMEHIRAGANA1", "=NAMEHIRAGANA2"}));
    EXPECT_EQ(u8(block({"氏名", box(1), "半角カタカナ", box(2)}).DecideNameKana2(n2, u"NAMEHIRAGANA")),
              Tags({"=NAME1", "=NAME2"}));
    // A select before the boxes shifts the walk past the end of the names.
    EXPECT_EQ(u8(block({list(9), box(1), box(2)}).DecideNameKana2(n2, u"NAMEHIRAGANA")), std::nullopt);
    // A tag whose name does not line up is skipped.
    EXPECT_EQ(u8(block({box(1), box(3)}).DecideNameKana2(n2, u"NAMEHIRAGANA")), Tags({"=NAME1"}));
}

// Tests the four-input name walk for a label in the middle, before all, and past the names.
TEST(BlockFieldTestsTest, DecideNameKana4) {
    const auto n4 = names({"kvnt1", "kvnt2", "kvnt3", "kvnt4"});
    const Tags kanjiFirst = {"=NAME1", "=NAME2", "=NAMEKATAKANA1", "=NAMEKATAKANA2"};
    EXPECT_EQ(
        u8(block({"氏名", box(1), box(2), "カナ", box(3), box(4)}).DecideNameKana4(n4, u"NAMEKATAKANA")),
        kanjiFirst);
    EXPECT_EQ(u8(block({box(1), box(2), box(3), box(4)}).DecideNameKana4(n4, u"NAMEKATAKANA")), kanjiFirst);
    EXPECT_EQ(u8(block({"カナ", box(1), box(2), box(3), box(4)}).DecideNameKana4(n4, u"NAMEKATAKANA")),
              Tags({"=NAMEKATAKANA1", "=NAMEKATAKANA2", "=NAME1", "=NAME2"}));
    EXPECT_EQ(u8(block({box(1), box(2), box(3), box(4), box(5)}).DecideNameKana4(n4, u"NAMEKATAKANA")),
              std::nullopt);
    EXPECT_EQ(u8(block({box(5), box(6), box(7), box(8)}).DecideNameKana4(n4, u"NAMEKATAKANA")), Tags{});
}

// Tests the birth layout reader on the common layouts.
TEST(BlockFieldTestsTest, DecideBirthDateLayouts) {
    const auto n3 = names({"kvnt1", "kvnt2", "kvnt3"});
    EXPECT_EQ(u8(block({"19", box(1), "年", box(2), "月", box(3), "日"}).DecideBirthDate(n3)),
              Tags({"=BIRTHYEAR34", "=BIRTHMONTH", "=BIRTHDAY"}));
    EXPECT_EQ(u8(block({box(1), "年", box(2), "月", box(3), "日"}).DecideBirthDate(n3)),
              Tags({"=BIRTHYEAR", "=BIRTHMONTH", "=BIRTHDAY"}));
    // The day input needs no 日 after it.
    EXPECT_EQ(u8(block({box(1), "年", box(2), "月", box(3)}).DecideBirthDate(n3)),
              Tags({"=BIRTHYEAR", "=BIRTHMONTH", "=BIRTHDAY"}));
    // No 月 label: both later inputs are month inputs, no day input.
    EXPECT_EQ(u8(block({box(1), "年", box(2), box(3), "日"}).DecideBirthDate(n3)), std::nullopt);

    const auto n4 = names({"kvnt1", "kvnt2", "kvnt3", "kvnt4"});
    EXPECT_EQ(u8(block({box(1), box(2), "年", box(3), "月", box(4), "日"}).DecideBirthDate(n4)),
              Tags({"=BIRTHYEARCNT21", "=BIRTHYEARCNT22", "=BIRTHMONTH", "=BIRTHDAY"}));
    EXPECT_EQ(u8(block({box(1), "年", box(2), box(3), "月", box(4), "日"}).DecideBirthDate(n4)),
              Tags({"=BIRTHYEAR", "=BIRTHMONTH1", "=BIRTHMONTH2", "=BIRTHDAY"}));
    // An input after the day label with an age word: the age.
    EXPECT_EQ(u8(block({box(1), "年", box(2), "月", box(3), "日", box(4), "歳"}).DecideBirthDate(n4)),
              Tags({"=BIRTHYEAR", "=BIRTHMONTH", "=BIRTHDAY", "=AGE"}));
    EXPECT_EQ(u8(block({box(1), "年", box(2), "月", box(3), "日", box(4)}).DecideBirthDate(n4)),
              Tags({"=BIRTHYEAR", "=BIRTHMONTH", "=BIRTHDAY"}));
    // More inputs than names: nothing.
    EXPECT_EQ(u8(block({box(1), "年", box(2), "月", box(3), "日", box(4)}).DecideBirthDate(n3)),
              std::nullopt);
    // A 19 after the year input leaves the year tag as it was.
    EXPECT_EQ(u8(block({box(1), "年", box(2), "月 19", box(3), "日"}).DecideBirthDate(n3)),
              Tags({"=BIRTHYEAR", "=BIRTHMONTH", "=BIRTHDAY"}));
}

}  // namespace
}  // namespace orvex::engine
