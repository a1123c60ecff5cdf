// Whole-form tests of the filling by Orvex's rules: choices matched the way a person picks them,
// a birth date into a date input, the controls the stages left empty in the report, and the
// choice between the two rule sets. Each has a near miss beside it.

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"
#include "fill/page_fill.h"
#include "settings/globals.h"

namespace orvex::fill {
namespace {

using engine::RuleSet;
using testing::loadPage;
using testing::named;
using testing::selectedText;
using testing::single;

class OrvexFillTest : public ::testing::Test {
  protected:
    PageFillReport fill(const std::string& html, RuleSet rules = RuleSet::Orvex) {
        doc = loadPage(html);
        return readAndFillPage(*doc, &person, rules);
    }
    // The checked states of group `name`, as "010" for the second of three checked.
    std::string checks(std::string_view name) {
        std::string out;
        const page::ElementCollection group = named(*doc, name).collection();
        for (int i = 0; i < group.length(); ++i) out += group.item(i).status() ? '1' : '0';
        return out;
    }
    std::unique_ptr<page::Document> doc;
    clsUserInfo person = testing::samplePerson();  // 会社員 / 事務職, a married woman of 35
};

// Tests that an occupation is matched in its other wordings, in a joined choice and by its
// second wording without 職, and that nothing is chosen (no "other") when no choice fits.
TEST_F(OrvexFillTest, OccupationInItsWordings) {
    fill("<form>ご職業<select name=a><option value=''>選択<option value=1>学生・フリーター<option value=2>会社勤務"
         "<option value=9>その他</select></form>");
    EXPECT_EQ(selectedText(single(*doc, "a")), "会社勤務");
    fill("<form>職業<input type=radio name=b value=1>学生<input type=radio name=b value=2>会社員・公務員"
         "<input type=radio name=b value=3>その他</form>");
    EXPECT_EQ(checks("b"), "010");
    fill("<form>職業<select name=c><option value=''>選択<option value=8>総務・人事・事務<option value=9>その他"
         "</select></form>");
    EXPECT_EQ(selectedText(single(*doc, "c")), "総務・人事・事務");

    const PageFillReport none =
        fill("<form>職業<select name=d><option value=''>選択<option value=1>正社員<option value=2>派遣"
             "<option value=9>その他</select></form>");
    EXPECT_EQ(selectedText(single(*doc, "d")), "選択");
    ASSERT_EQ(none.forms[0].misses.size(), 1U);
    EXPECT_EQ(none.forms[0].misses[0].reason, MissReason::NoMatchingOption);
}

// Tests that the age takes the narrowest band that holds it, and that no band is chosen when
// none holds it.
TEST_F(OrvexFillTest, AgeBandThatHoldsTheAge) {
    fill("<form>年齢<select name=a><option>選択<option>30代<option>35歳以上<option>40代</select></form>");
    EXPECT_EQ(selectedText(single(*doc, "a")), "30代");
    fill("<form>年齢<select name=b><option>選択<option>10代<option>20代</select></form>");
    EXPECT_EQ(selectedText(single(*doc, "b")), "選択");
}

// Tests that sex and marriage buttons are picked by their captions, after or before the buttons,
// and that a button whose group the page broke is judged with the buttons beside it; near miss:
// captions that say neither are left to the documented writer.
TEST_F(OrvexFillTest, SexAndMarriageByCaptions) {
    const std::string page =
        "<form>性別<input type=radio name=s value=1>男性<input type=radio name=s value=2>女性"
        "<input type=radio name=s value=3>回答しない<br>"
        "未既婚<input type=radio name=m value=1>未婚<input type=radio name=m value=2>既婚"
        "<input type=radio name=m value=3>その他<br></form>";
    fill(page, RuleSet::Documented);
    EXPECT_EQ(checks("s"), "001");
    fill(page);
    EXPECT_EQ(checks("s"), "010");
    EXPECT_EQ(checks("m"), "010");

    fill("<form><table><tr><td>性別</td><td>男性<label><input type=radio name=t value=1></label> "
         "女性<label><input type=radio name=t value=2></label></td></tr></table></form>");
    EXPECT_EQ(checks("t"), "01");

    const PageFillReport broken = fill(
        "<form><div>性別 <input type=radio name=g value=0 id=g0><label for=g0>男性</label>"
        "<input type=radio id=g1 value=1><label for=g1>女性</label></div></form>");
    EXPECT_FALSE(single(*doc, "g").status());
    EXPECT_TRUE(doc->all().item("g1").element().status());
    EXPECT_EQ(single(*doc, "g").value(), "0");  // never the sex word as a button's value
    EXPECT_FALSE(broken.forms[0].writes.empty());
}

// Tests that a birth date goes into a date input as year-month-day, while a text box gets it as
// written; and that an era chosen with radio buttons makes the year box take the era's year.
TEST_F(OrvexFillTest, DateInputAndEraButtons) {
    fill("<form>生年月日<input type=date name=d></form>");
    EXPECT_EQ(single(*doc, "d").value(), "1985-04-12");
    fill("<form>生年月日<input type=text name=t size=20></form>");
    EXPECT_EQ(single(*doc, "t").value(), "1985/4/12");

    const std::string era = "<form>生年月日 <input type=radio name=era value=s>昭和<input type=radio name=era value=h>平成 "
                            "<input type=text name=y size=2>年<input type=text name=mo size=2>月"
                            "<input type=text name=da size=2>日</form>";
    fill(era, RuleSet::Documented);
    EXPECT_EQ(single(*doc, "y").value(), "");
    fill(era);
    EXPECT_EQ(checks("era"), "10");
    EXPECT_EQ(single(*doc, "y").value(), "60");
    EXPECT_EQ(single(*doc, "mo").value(), "4");
    EXPECT_EQ(single(*doc, "da").value(), "12");
}

// Tests that the entries a stage took back are in the report with their reason and detail, and
// that the documented rules leave no such record.
TEST_F(OrvexFillTest, LeftEmptyControlsAreReported) {
    const auto rows = [](const std::string& p) {
        return "<tr><th>お名前</th><td>姓<input name=" + p + "sei> 名<input name=" + p +
               "mei></td></tr><tr><th>郵便番号</th><td><input name=" + p + "z1 size=3>-<input name=" + p +
               "z2 size=4></td></tr><tr><th>電話番号</th><td><input name=" + p + "tel></td></tr>";
    };
    const std::string page = "<form><table><tr><th colspan=2>お届け先</th></tr>" + rows("d_") +
                             "<tr><th colspan=2>ご注文者情報</th></tr>" + rows("o_") + "</table></form>";
    const PageFillReport orvex = fill(page);
    int secondBlock = 0;
    for (const FillMiss& miss : orvex.forms[0].misses) {
        if (miss.reason != MissReason::SecondBlock) continue;
        ++secondBlock;
        EXPECT_EQ(miss.detail, "お届け先");
        ASSERT_TRUE(miss.element);
        EXPECT_EQ(miss.element->name.substr(0, 2), "d_");
    }
    EXPECT_GE(secondBlock, 3);
    EXPECT_EQ(single(*doc, "d_sei").value(), "");
    EXPECT_EQ(single(*doc, "o_sei").value(), "山田");
    EXPECT_EQ(single(*doc, "o_tel").value(), "03-1234-5678");
    EXPECT_FALSE(orvex.forms[0].stageNotes.empty());

    const PageFillReport documented = fill(page, RuleSet::Documented);
    EXPECT_EQ(single(*doc, "d_sei").value(), "山田");
    EXPECT_TRUE(documented.forms[0].stageNotes.empty());
    for (const FillMiss& miss : documented.forms[0].misses) EXPECT_NE(miss.reason, MissReason::SecondBlock);
}

// Tests that the setting Rules chooses the rule set, Orvex's for any name that is no rule set.
TEST(RuleSetChoiceTest, SettingChoosesTheRules) {
    settings::Globals& g = settings::globals();
    const text::Text kept = g.Rules;
    g.Rules = u"documented";
    EXPECT_EQ(configuredRules(), RuleSet::Documented);
    g.Rules = u"orvex";
    EXPECT_EQ(configuredRules(), RuleSet::Orvex);
    g.Rules = u"Documented";
    EXPECT_EQ(configuredRules(), RuleSet::Orvex);
    g.Rules = kept;
    EXPECT_EQ(settings::Globals().Rules, u"orvex");
}

}  // namespace
}  // namespace orvex::fill
