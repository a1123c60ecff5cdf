#include "fill/fill_choices.h"

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"

namespace orvex::fill {
namespace {

using testing::loadPage;
using testing::named;
using testing::selectedText;
using testing::single;

// The checked states of the members of group `name`, as "10" for first checked, second not.
std::string checks(page::Document& doc, std::string_view name) {
    std::string out;
    const page::ElementCollection group = named(doc, name).collection();
    for (int i = 0; i < group.length(); ++i) out += group.item(i).status() ? '1' : '0';
    return out;
}

// Tests the age bands of the documented examples and of every mark.
TEST(ParseAgeBandTest, BandsOfEveryMark) {
    EXPECT_EQ(ParseAgeBand(u"20代"), (AgeBand{20, 29}));
    EXPECT_EQ(ParseAgeBand(u"30歳未満"), (AgeBand{0, 29}));
    EXPECT_EQ(ParseAgeBand(u"19歳以下"), (AgeBand{0, 19}));
    EXPECT_EQ(ParseAgeBand(u"60歳以上"), (AgeBand{60, 999}));
    EXPECT_EQ(ParseAgeBand(u"25～29歳"), (AgeBand{25, 38}));
    EXPECT_EQ(ParseAgeBand(u"20"), (AgeBand{20, 1019}));
    EXPECT_EQ(ParseAgeBand(u"～19歳"), (AgeBand{19, 1018}));
    EXPECT_EQ(ParseAgeBand(u"２０代"), (AgeBand{20, 29}));
    EXPECT_EQ(ParseAgeBand(u"35代以下"), (AgeBand{0, 39}));
    EXPECT_EQ(ParseAgeBand(u"35代以上"), (AgeBand{30, 999}));
    // An upper number that ends a decade reaches nine further; a reversed range is swapped.
    EXPECT_EQ(ParseAgeBand(u"20 30"), (AgeBand{20, 39}));
    EXPECT_EQ(ParseAgeBand(u"29-20"), (AgeBand{20, 29}));
    // Near misses: texts without a number give no band.
    EXPECT_FALSE(ParseAgeBand(u"未回答"));
    EXPECT_FALSE(ParseAgeBand(u""));
}

// Tests that of several matching options the last one stays selected.
TEST(MatchAgeBandTest, LastMatchingOptionWins) {
    auto doc = loadPage(
        "<form><select "
        "name=a><option>～19歳<option>20～29歳<option>30～39歳<option>40歳以上</select></form>");
    EXPECT_TRUE(MatchAgeBand(named(*doc, "a"), 35));
    EXPECT_EQ(selectedText(single(*doc, "a")), "30～39歳");
    // Near miss: an age in no band matches nothing.
    auto bands = loadPage("<form><select name=a><option>--<option>20代<option>30代</select></form>");
    EXPECT_FALSE(MatchAgeBand(named(*bands, "a"), 45));
}

// Tests that radio bands are read from their labels, the last match staying checked.
TEST(MatchAgeBandTest, RadioGroupByLabels) {
    auto doc = loadPage(
        "<form><input type=radio name=a value=1>20代<input type=radio name=a value=2>30代"
        "<input type=radio name=a value=3>30歳以上</form>");
    EXPECT_TRUE(MatchAgeBand(named(*doc, "a"), 35));
    EXPECT_EQ(checks(*doc, "a"), "001");
    // Near miss: without labels the values are the bands.
    auto bare = loadPage(
        "<form><div><input type=radio name=a value=20></div><input type=radio name=a value=40>"
        "<input type=radio name=a value=60></form>");
    EXPECT_TRUE(MatchAgeBand(named(*bare, "a"), 35));
    EXPECT_EQ(checks(*bare, "a"), "100");
}

// Tests that FillAge writes a text box and uses the visible member of a hidden pair.
TEST(FillAgeTest, TextBoxAndHiddenPair) {
    auto doc = loadPage(
        "<form><input name=age><input type=hidden name=pair value=h><input name=pair>"
        "<input type=radio name=r value=x><input type=radio name=r value=y></form>");
    FillAge(named(*doc, "age"), u"35");
    FillAge(named(*doc, "pair"), u"35");
    FillAge(named(*doc, "r"), u"35");
    EXPECT_EQ(single(*doc, "age").value(), "35");
    EXPECT_EQ(named(*doc, "pair").collection().item(0).value(), "h");
    EXPECT_EQ(named(*doc, "pair").collection().item(1).value(), "35");
    EXPECT_EQ(checks(*doc, "r"), "00");
}

// Tests the sex radio buttons: labels after the buttons, woman gets the last.
TEST(CheckSexRadioTest, LabelsAfterTheButtons) {
    auto doc =
        loadPage("<form><input type=radio name=s value=m>男性<input type=radio name=s value=f>女性</form>");
    FillSex(named(*doc, "s"), u"女");
    EXPECT_EQ(checks(*doc, "s"), "01");
    FillSex(named(*doc, "s"), u"男");
    EXPECT_EQ(checks(*doc, "s"), "10");
}

// Tests that the first button's own markup decides: 女 in its source means it is the woman's.
TEST(CheckSexRadioTest, FirstButtonsOwnSourceDecides) {
    auto doc = loadPage(
        "<form><input type=radio name=s value=女性>女性<input type=radio name=s value=男性>男性</form>");
    FillSex(named(*doc, "s"), u"女");
    EXPECT_EQ(checks(*doc, "s"), "10");
    // Near miss: a group naming neither sex gets nothing.
    auto none = loadPage("<form><input type=radio name=s value=1>A<input type=radio name=s value=2>B</form>");
    EXPECT_FALSE(CheckSexRadio(named(*none, "s").collection(), u"女"));
    EXPECT_EQ(checks(*none, "s"), "00");
}

// Tests that a sex list gets the option by text and a single box the word itself.
TEST(FillSexTest, ListAndBox) {
    auto doc = loadPage(
        "<form><select name=s><option value=''>--<option value=1>男<option value=2>女</select>"
        "<input name=t></form>");
    FillSex(named(*doc, "s"), u"女");
    FillSex(named(*doc, "t"), u"女");
    EXPECT_EQ(single(*doc, "s").value(), "2");
    EXPECT_EQ(single(*doc, "t").value(), "女");
}

// Tests the marriage radio buttons: 既婚 first means the married person gets the first.
TEST(CheckMarriageRadioTest, MarriedFirst) {
    auto doc =
        loadPage("<form><input type=radio name=m value=1>既婚<input type=radio name=m value=2>未婚</form>");
    FillMarriage(named(*doc, "m"), u"True");
    EXPECT_EQ(checks(*doc, "m"), "10");
    FillMarriage(named(*doc, "m"), u"False");
    EXPECT_EQ(checks(*doc, "m"), "01");
    // Near miss: a word that is not a Boolean leaves the group alone.
    FillMarriage(named(*doc, "m"), u"yes");
    EXPECT_EQ(checks(*doc, "m"), "01");
}

// Tests that the first button's own source with an unmarried word makes it the unmarried one.
TEST(CheckMarriageRadioTest, UnmarriedWordInFirstSource) {
    auto doc = loadPage(
        "<form><input type=radio name=m value=独身>独身<input type=radio name=m value=既婚>既婚</form>");
    EXPECT_TRUE(CheckMarriageRadio(named(*doc, "m").collection(), true));
    EXPECT_EQ(checks(*doc, "m"), "01");
}

// Tests the job choices: by the label after the button in a shared parent.
TEST(MatchJobChoiceTest, LabelAfterButtonInSharedParent) {
    auto doc = loadPage(
        "<form><p><input type=radio name=j value=1>学生<input type=radio name=j value=2>会社員"
        "<input type=radio name=j value=9>その他</p></form>");
    FillJob(named(*doc, "j"), u"会社員", u"");
    EXPECT_EQ(checks(*doc, "j"), "010");
}

// Tests that a group without a matching label falls back to the choice その他.
TEST(MatchJobChoiceTest, OtherChoiceWhenNothingMatches) {
    auto doc = loadPage(
        "<form><p><input type=radio name=j value=学生>学生<input type=radio name=j "
        "value=その他>その他</p></form>");
    FillJob(named(*doc, "j"), u"会社員", u"事務職");
    EXPECT_EQ(checks(*doc, "j"), "01");
    // Near miss: without その他 the second wording is tried and matches its label.
    auto second = loadPage(
        "<form><p><input type=radio name=j value=a>学生<input type=radio name=j value=b>事務職</p></form>");
    FillJob(named(*second, "j"), u"会社員", u"事務職");
    EXPECT_EQ(checks(*second, "j"), "01");
}

// Tests that choices in separate cells are matched through the group labels.
TEST(MatchJobChoiceTest, GroupLabelsInSeparateCells) {
    auto doc = loadPage(
        "<form><table><tr><td><input type=radio name=j value=a>学 生</td><td><input type=radio name=j "
        "value=b>"
        "会社員</td></tr></table></form>");
    EXPECT_TRUE(MatchJobChoice(named(*doc, "j").collection(), u"会社員"));
    EXPECT_EQ(checks(*doc, "j"), "01");
    // Near miss: an empty job matches no choice.
    EXPECT_FALSE(MatchJobChoice(named(*doc, "j").collection(), u""));
}

// Tests that the quotes of the value found by the parent's label are kept, matching no member.
TEST(MatchLabelInParentTest, QuotedValueIsKept) {
    auto doc = loadPage(
        "<form><p><input type=radio name=j value='a b'>会社員<input type=radio name=j value=c>学生</p>"
        "</form>");
    EXPECT_TRUE(MatchLabelInParent(named(*doc, "j").collection(), u"会社員"));
    EXPECT_EQ(checks(*doc, "j"), "00");
    EXPECT_TRUE(MatchLabelInParent(named(*doc, "j").collection(), u"学生"));
    EXPECT_EQ(checks(*doc, "j"), "01");
    EXPECT_FALSE(MatchLabelInParent(named(*doc, "j").collection(), u"主婦"));
}

// Tests that a job list takes the option by text, then the second wording.
TEST(FillJobTest, ListWithSecondWording) {
    auto doc = loadPage(
        "<form><select name=j><option value=''>--<option value=1>学生<option value=5>事務職"
        "</select></form>");
    FillJob(named(*doc, "j"), u"会社員", u"事務職");
    EXPECT_EQ(single(*doc, "j").value(), "5");
    FillJob(page::NamedItem(), u"会社員", u"");  // an empty lookup writes nothing and does not fail
}

}  // namespace
}  // namespace orvex::fill
