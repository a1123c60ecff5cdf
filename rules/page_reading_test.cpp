// Whole-form tests of the stages that read what the page says and which rows are personal data:
// the page's own hints, controls owned from outside, image labels, unnamed controls, surveys,
// help text and birth dates in rows of their own, each with a near miss beside it.

#include <gtest/gtest.h>

#include "rules/rules_test_support.h"

namespace orvex::rules {
namespace {

using testing::readDocumented;
using testing::readWithRules;

// Tests that the autocomplete field names and the input types decide what a box takes, that the
// section token shipping leaves a delivery address empty beside an address that is not one, and
// that autocomplete="off" says nothing.
TEST(PageHintsTest, AutocompleteAndInputTypes) {
    const testing::ReadPage hinted = readWithRules(
        "<form><p>お名前<input name=a autocomplete=family-name><input name=b autocomplete=given-name></p>"
        "<p>連絡先<input type=tel name=c></p><p>PW<input type=password name=pw></p>"
        "<p>〒<input name=z autocomplete=postal-code></p>"
        "<p>お届け先〒<input name=sz autocomplete=\"shipping postal-code\"></p></form>");
    EXPECT_EQ(hinted.tagOf("a"), "NAME1");
    EXPECT_EQ(hinted.tagOf("b"), "NAME2");
    EXPECT_EQ(hinted.tagOf("c"), "TEL");
    EXPECT_EQ(hinted.tagOf("pw"), "");
    EXPECT_EQ(hinted.tagOf("z"), "ZIP");
    EXPECT_EQ(hinted.tagOf("sz"), "");

    // Near miss: "off" names no field; the row's own words decide.
    const testing::ReadPage off = readWithRules("<form><p>メールアドレス<input name=m autocomplete=off></p></form>");
    EXPECT_EQ(off.tagOf("m"), "EMAIL");
}

// Tests that controls owned by a form from outside it are read with it, by the form attribute and
// after the parser moved a form out of a table; near miss: a control of another form is not.
TEST(OwnedControlsTest, FormAttributeAndTreeRepair) {
    const testing::ReadPage byAttribute = readWithRules(
        "<form id=f action=x></form><p>お名前<input name=n form=f></p><p>電話番号<input name=t form=g></p>");
    EXPECT_EQ(byAttribute.tagOf("n"), "NAME");
    EXPECT_EQ(byAttribute.tagOf("t"), "");

    const testing::ReadPage repaired = readWithRules(
        "<table><form action=x><tr><td>メールアドレス</td><td><input name=m></td></tr></form></table>");
    EXPECT_EQ(repaired.tagOf("m"), "EMAIL");
}

// Tests that an image's alt text labels its row; near miss: an image without alt text labels
// nothing.
TEST(ImageLabelsTest, AltTextLabelsTheRow) {
    const std::string page = "<form><p><img alt=\"電話番号 必須\"></p><div><input type=text name=t></div>"
                             "<p><img src=x.gif></p><div><input type=text name=u></div></form>";
    EXPECT_EQ(readDocumented(page).tagOf("t"), "");
    const testing::ReadPage read = readWithRules(page);
    EXPECT_EQ(read.tagOf("t"), "TEL");
    EXPECT_EQ(read.tagOf("u"), "");
}

// Tests that an entry the engine could not name takes the page's name of its box when no other
// element shares it; near miss: a shared page name is not taken.
TEST(UnnamedControlsTest, PageNameOfAnUnreadableTag) {
    const std::string unique =
        "<form><p>生年月日 <input type=\"text value=\" \"=\"\" name=wk_year size=4>年"
        "<select name=wk_month><option>4</select>月<select name=wk_day><option>12</select>日</p></form>";
    EXPECT_EQ(readWithRules(unique).tagOf("wk_year"), "BIRTHYEAR");
    const std::string shared = unique + "<input type=hidden name=wk_year>";
    EXPECT_EQ(readWithRules(shared).tagOf("wk_year"), "");
}

// Tests that a survey section, a free-text box and a date that is no birth date keep no entry,
// though their rows hold 年齢 and 職業; near miss: the same rows before the survey are filled.
TEST(NotPersonalTest, SurveysFreeTextAndOtherDates) {
    const testing::ReadPage read = readWithRules(
        "<form><p>年齢<input name=age1 size=3>歳</p><p>ご職業<select name=job1><option>会社員</select></p>"
        "<h3>簡単なアンケート</h3><p>年齢<input name=age2 size=3>歳</p>"
        "<p>ご職業<select name=job2><option>会社員</select></p>"
        "<p>メールアドレス<input name=mail></p>"
        "<p>職歴<textarea name=career></textarea></p>"
        "<p>配送希望日<select name=m><option>1月</select>月<select name=d><option>1日</select>日</p></form>");
    EXPECT_EQ(read.tagOf("age1"), "AGE");
    EXPECT_EQ(read.tagOf("job1"), "JOB");
    EXPECT_EQ(read.tagOf("age2"), "");
    EXPECT_EQ(read.tagOf("job2"), "");
    // A plain person row ends the survey.
    EXPECT_EQ(read.tagOf("mail"), "EMAIL");
    EXPECT_EQ(read.tagOf("career"), "");
    EXPECT_EQ(read.tagOf("m"), "");
    EXPECT_EQ(read.tagOf("d"), "");

    // Near miss: a password's reminder question opens no survey.
    const testing::ReadPage reminder = readWithRules(
        "<form><p>パスワード確認用の質問<select name=q><option>母親の旧姓は？</select></p>"
        "<p>性別<input type=radio name=sex value=1>男性<input type=radio name=sex value=2>女性</p></form>");
    EXPECT_EQ(reminder.tagOf("sex"), "SEX");
}

// Tests that a help sentence under a row does not veto it and that rows of one box for a
// birth-date part each get their part; near misses: a help sentence alone names nothing, and
// date rows without birth words stay as they were.
TEST(OneBoxRowsTest, HelpTextAndBirthDateRows) {
    const testing::ReadPage help = readWithRules(
        "<form><table><tr><td>メールアドレス</td><td><input name=mail1><br>"
        "※携帯電話のアドレスでは受信できない場合があります。</td></tr>"
        "<tr><td>備考</td><td><input name=note><br>※メールでご連絡します。</td></tr></table></form>");
    EXPECT_EQ(help.tagOf("mail1"), "EMAIL");
    EXPECT_EQ(help.tagOf("note"), "");

    const testing::ReadPage rows = readWithRules(
        "<form><table><tr><td>生年月日(年)</td><td><input name=nen></td></tr>"
        "<tr><td>生年月日(月)</td><td><input name=tuki></td></tr>"
        "<tr><td>生年月日(日)</td><td><input name=hi></td></tr></table></form>");
    EXPECT_EQ(rows.tagOf("nen"), "BIRTHYEAR");
    EXPECT_EQ(rows.tagOf("tuki"), "BIRTHMONTH");
    EXPECT_EQ(rows.tagOf("hi"), "BIRTHDAY");
}

}  // namespace
}  // namespace orvex::rules
