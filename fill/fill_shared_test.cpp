#include "fill/fill_shared.h"

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"

namespace orvex::fill {
namespace {

using testing::loadPage;
using testing::named;
using testing::single;

// Tests that spaces go outside tags only, both widths, and that tag attributes keep theirs.
TEST(FillSharedTest, RemoveSpacesOutsideTagsKeepsSpacesInTags) {
    EXPECT_EQ(RemoveSpacesOutsideTags(u"<OPTION value=13>東 京\u3000都</OPTION> "),
              u"<OPTION value=13>東京都</OPTION>");
    EXPECT_EQ(RemoveSpacesOutsideTags(u""), u"");
    // Near miss: a ">" inside text ends nothing that was not open.
    EXPECT_EQ(RemoveSpacesOutsideTags(u"a > b"), u"a>b");
}

// Tests that NextNumber skips everything before the first digit and reads one run of digits.
TEST(FillSharedTest, NextNumberReadsTheFirstRunOfDigits) {
    EXPECT_EQ(NextNumber(u"～29歳"), 29);
    EXPECT_EQ(NextNumber(u"abc12x34"), 12);
    EXPECT_EQ(NextNumber(u"歳以上"), 0);
    EXPECT_EQ(NextNumber(u"99999999999999999999999"), std::numeric_limits<long long>::max());
}

// Tests that a hidden pair needs exactly two members of different types, one hidden.
TEST(FillSharedTest, HiddenPairAndItsVisibleMember) {
    auto doc = loadPage(
        "<form><input type=hidden name=sex value=x><input type=text name=sex>"
        "<input type=radio name=two><input type=radio name=two>"
        "<input type=hidden name=h3><input type=text name=h3><input type=text name=h3></form>");
    const page::NamedItem pair = named(*doc, "sex");
    ASSERT_TRUE(pair.isCollection());
    EXPECT_TRUE(IsHiddenPair(pair.collection()));
    EXPECT_EQ(VisibleOfHiddenPair(pair.collection()).type(), "text");
    // Near misses: same types, and three members.
    EXPECT_FALSE(IsHiddenPair(named(*doc, "two").collection()));
    EXPECT_FALSE(VisibleOfHiddenPair(named(*doc, "two").collection()));
    EXPECT_FALSE(IsHiddenPair(named(*doc, "h3").collection()));
}

// Tests that like inputs count among the parent's children only.
TEST(FillSharedTest, SharesParentWithLikeInputs) {
    auto doc = loadPage(
        "<form><div><input type=radio name=a value=1>x<input type=radio name=a value=2>y</div>"
        "<div><input type=radio name=b value=1></div><div><input type=radio name=b value=2></div></form>");
    EXPECT_TRUE(SharesParentWithLikeInputs(named(*doc, "a").collection().item(0)));
    EXPECT_FALSE(SharesParentWithLikeInputs(named(*doc, "b").collection().item(0)));
    EXPECT_FALSE(SharesParentWithLikeInputs(page::Element()));
}

// Tests that group labels are read after each input, inline tags removed, by key and position.
TEST(FillSharedTest, GroupLabelsReadTheTextAfterEachInput) {
    auto doc = loadPage(
        "<form><table><tr><td><input type=radio name=age value=1><font color=red>20代</font></td>"
        "<td><input type=radio name=age value=2></td>"
        "<td><input type=radio name=age value=3><span>３０ 代</span></td></tr></table></form>");
    const page::ElementCollection group = named(*doc, "age").collection();
    const std::optional<GroupLabelList> labels = GroupLabels(group.item(0), group.item(2), false);
    ASSERT_TRUE(labels);
    // The unlabelled middle member gets no entry, so positions count labelled members only.
    EXPECT_EQ(labels->count(), 2);
    EXPECT_EQ(labels->at(1), u"20代");
    EXPECT_EQ(labels->at(2), u"３０ 代");
    EXPECT_EQ(labels->byKey(u"3"), u"３０ 代");
    EXPECT_FALSE(labels->byKey(u"2"));
    EXPECT_FALSE(labels->at(3));
    const std::optional<GroupLabelList> squeezed = GroupLabels(group.item(0), group.item(2), true);
    EXPECT_EQ(squeezed->byKey(u"3"), u"３０代");
}

// Tests that no labels come back when the members share no ancestor within five parents.
TEST(FillSharedTest, GroupLabelsNeedACommonAncestorWithinFiveLevels) {
    auto doc = loadPage(
        "<form><div><div><div><div><div><div><input type=radio name=q value=1>a</div></div></div></div></div>"
        "</div><input type=radio name=q value=2>b</form>");
    const page::ElementCollection group = named(*doc, "q").collection();
    EXPECT_FALSE(GroupLabels(group.item(0), group.item(1), false));
    // Near miss: one level less deep finds the FORM.
    auto near = loadPage(
        "<form><div><div><div><div><input type=radio name=q value=1>a</div></div></div></div>"
        "<input type=radio name=q value=2>b</form>");
    const page::ElementCollection nearGroup = named(*near, "q").collection();
    EXPECT_TRUE(GroupLabels(nearGroup.item(0), nearGroup.item(1), false));
}

// Tests that the inline tag removal leaves tags that merely begin with the same letters.
TEST(FillSharedTest, RemoveInlineTagsOnlyTakesTheFourInlineTags) {
    EXPECT_EQ(RemoveInlineTags(u"<FONT size=2>a</FONT><TT>b</TT><TD>c</TD><STRONG>d</STRONG>"), u"ab<TD>c</TD>d");
    EXPECT_EQ(RemoveInlineTags(u"<TTX>e"), u"<TTX>e");
}

// Tests that a list takes a value only when an option has it, and an invisible box none.
TEST(FillSharedTest, AssignValueFollowsTheObjectModel) {
    auto doc = loadPage(
        "<form><select name=s><option value=1>one<option value=2 selected>two</select>"
        "<input name=t><input name=u style='display:none'></form>");
    page::Element list = single(*doc, "s");
    EXPECT_FALSE(assignValue(list, u"3"));
    EXPECT_EQ(list.value(), "2");
    EXPECT_TRUE(assignValue(list, u"1"));
    EXPECT_EQ(list.value(), "1");
    EXPECT_TRUE(assignValue(single(*doc, "t"), u"x"));
    EXPECT_FALSE(assignValue(single(*doc, "u"), u"x"));
    EXPECT_EQ(single(*doc, "u").value(), "");
}

}  // namespace
}  // namespace orvex::fill
