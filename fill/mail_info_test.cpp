#include <gtest/gtest.h>

#include "fill/store_test_support.h"
#include "fill/user_info.h"

namespace orvex::fill {
namespace {

clsUserInfo hanako() {
    clsUserInfo person({}, testing::fixedToday({2024, 6, 15}));
    person.Name1 = u"山田";
    person.Name2 = u"花子";
    person.NameKana1 = u"やまだ";
    person.NameKana2 = u"はなこ";
    person.Female = true;
    person.BirthYear = u"1985";
    person.BirthMonth = u"4";
    person.BirthDay = u"12";
    person.Job1 = u"会社員";
    person.Email1 = u"hanako";
    person.Email2 = u"example.jp";
    person.Zip1 = u"150";
    person.Zip2 = u"0001";
    person.Prefecture = u"東京都";
    person.Address1 = u"渋谷区神宮前";
    person.Address2 = u"1-2-3";
    person.Address3 = u"ハイツ101";
    person.Tel1 = u"03";
    person.Tel2 = u"1234";
    person.Tel3 = u"5678";
    return person;
}

// Tests that the mail line lists the person's data with encoded spaces and without the prefecture.
TEST(MailInfoTest, LineOfAPerson) {
    EXPECT_EQ(
        hanako().GetMailInfo(),
        u"山田%20花子(やまだ%20はなこ)%20%20|%20女%20|%201985/4/12生%2039歳%20会社員%20|%20"
        u"hanako@example.jp%20|%20〒150-0001%20渋谷区神宮前%201-2-3%20ハイツ101%20|%20TEL%2003-1234-5678");
}

// Tests that characters that would change a mail link's structure are percent-encoded, while
// other marks and full-width spaces stay.
TEST(MailInfoTest, StructuralCharactersEncoded) {
    clsUserInfo person = hanako();
    person.Address3 = u"A&B #2 ?x+y 100%";
    person.Job1 = u"会社員/営業=課\u3000長";
    const text::Text line = person.GetMailInfo();
    EXPECT_NE(line.find(u"A%26B%20%232%20%3Fx%2By%20100%25%20|"), text::Text::npos);
    EXPECT_NE(line.find(u"会社員/営業=課\u3000長%20|"), text::Text::npos);
    for (char16_t c : {u' ', u'&', u'#', u'?', u'+'}) EXPECT_EQ(line.find(c), text::Text::npos);
}

// Tests that an empty person still gives the fixed frame of the line with age 0.
TEST(MailInfoTest, EmptyPerson) {
    clsUserInfo person({}, testing::fixedToday({2024, 6, 15}));
    EXPECT_EQ(person.GetMailInfo(),
              u"%20(%20)%20%20|%20男%20|%20生%200歳%20%20|%20%20|%20〒%20%20%20%20|%20TEL%20");
}

}  // namespace
}  // namespace orvex::fill
