#include "palette/data_buttons.h"

#include <gtest/gtest.h>

namespace orvex::palette {
namespace {

fill::clsUserInfo hanako() {
    fill::clsUserInfo p;
    p.Name1 = u"山田";
    p.Name2 = u"花子";
    p.NameKana1 = u"やまだ";
    p.NameKana2 = u"はなこ";
    p.NameRome1 = u"Yamada";
    p.NameRome2 = u"Hanako";
    p.HandleName = u"はなちゃん";
    p.Job1 = u"会社員";
    p.Job2 = u"事務職";
    p.Zip1 = u"100";
    p.Zip2 = u"0001";
    p.Prefecture = u"東京都";
    p.Address1 = u"千代田区";
    p.Address2 = u"千代田1-1";
    p.Address3 = u"ビル101";
    p.Tel1 = u"03";
    p.Tel2 = u"1234";
    p.Tel3 = u"5678";
    p.Email1 = u"hanako";
    p.Email2 = u"example.jp";
    return p;
}

// Tests the texts of a complete person: names, readings as stored and in katakana, romaji, the
// postal code with and without its hyphen, the address joins, telephone and e-mail.
TEST(DataButtonsTest, CompletePerson) {
    const auto t = dataButtonTexts(hanako());
    EXPECT_EQ(t[0], u"山田　花子");
    EXPECT_EQ(t[2], u"花子");
    EXPECT_EQ(t[3], u"やまだ　はなこ");
    EXPECT_EQ(t[5], u"はなこ");
    EXPECT_EQ(t[6], u"ヤマダ　ハナコ");
    EXPECT_EQ(t[8], u"ハナコ");
    EXPECT_EQ(t[9], u"Yamada Hanako");
    EXPECT_EQ(t[12], u"はなちゃん");
    EXPECT_EQ(t[14], u"事務職");
    EXPECT_EQ(t[15], u"100-0001");
    EXPECT_EQ(t[16], u"1000001");
    EXPECT_EQ(t[17], u"東京都 千代田区 千代田1-1 ビル101");
    EXPECT_EQ(t[18], u"千代田区 千代田1-1 ビル101");
    EXPECT_EQ(t[19], u"東京都");
    EXPECT_EQ(t[22], u"ビル101");
    EXPECT_EQ(t[23], u"03-1234-5678");
    EXPECT_EQ(t[26], u"5678");
    EXPECT_EQ(t[27], u"hanako@example.jp");
    EXPECT_EQ(t[29], u"example.jp");
    EXPECT_EQ(kDataButtons[0].field, std::string("FullName"));
    EXPECT_EQ(kDataButtons[27].field, std::string("Email"));
}

// Tests that a reading stored in katakana stays katakana on the "as stored" buttons, and that
// the katakana buttons leave what is not hiragana alone.
TEST(DataButtonsTest, ReadingsAsStoredAndInKatakana) {
    fill::clsUserInfo p = hanako();
    p.NameKana1 = u"ヤマダ";
    p.NameKana2 = u"hanako";
    const auto t = dataButtonTexts(p);
    EXPECT_EQ(t[4], u"ヤマダ");
    EXPECT_EQ(t[7], u"ヤマダ");
    EXPECT_EQ(t[8], u"hanako");
}

// Tests that a person with every field empty gives 30 empty texts, though the full names are a
// lone separator, while a name with one part keeps its separator.
TEST(DataButtonsTest, EmptyPersonGivesEmptyButtons) {
    for (const text::Text& t : dataButtonTexts(fill::clsUserInfo{})) EXPECT_EQ(t, u"");
    fill::clsUserInfo family;
    family.Name1 = u"山田";
    EXPECT_EQ(dataButtonTexts(family)[0], u"山田　");
}

// Tests that the address joins leave out missing parts, so single blanks stand between the parts
// that are there; the postal code without a hyphen joins what is there.
TEST(DataButtonsTest, AddressJoinsSkipMissingParts) {
    fill::clsUserInfo p = hanako();
    p.Address2.clear();
    p.Zip2.clear();
    const auto t = dataButtonTexts(p);
    EXPECT_EQ(t[17], u"東京都 千代田区 ビル101");
    EXPECT_EQ(t[18], u"千代田区 ビル101");
    EXPECT_EQ(t[15], u"");
    EXPECT_EQ(t[16], u"100");
}

}  // namespace
}  // namespace orvex::palette
