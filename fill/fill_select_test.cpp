#include "fill/fill_select.h"

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"

namespace orvex::fill {
namespace {

using testing::loadPage;
using testing::named;
using testing::selectedText;
using testing::single;

// Tests that SetElementValue writes every visible member of a collection and skips hidden ones.
TEST(SetElementValueTest, CollectionSkipsHiddenMembers) {
    auto doc = loadPage("<form><input type=hidden name=a value=h><input name=a><input name=a></form>");
    SetElementValue(named(*doc, "a"), u"x");
    const page::ElementCollection members = named(*doc, "a").collection();
    EXPECT_EQ(members.item(0).value(), "h");
    EXPECT_EQ(members.item(1).value(), "x");
    EXPECT_EQ(members.item(2).value(), "x");
}

// Tests that text boxes and text areas that are not rendered are never written.
TEST(SetElementValueTest, InvisibleTextBoxesStayEmpty) {
    auto doc = loadPage(
        "<form><input name=a style='display:none'><div style='visibility: hidden'><textarea "
        "name=b></textarea>"
        "</div><input name=c></form>");
    SetElementValue(named(*doc, "a"), u"x");
    SetElementValue(named(*doc, "b"), u"x");
    SetElementValue(named(*doc, "c"), u"x");
    EXPECT_EQ(single(*doc, "a").value(), "");
    EXPECT_EQ(single(*doc, "b").value(), "");
    EXPECT_EQ(single(*doc, "c").value(), "x");
}

// Tests that a list takes a text as its value only when an option has exactly that value.
TEST(SetElementValueTest, ListNeedsAnOptionWithTheValue) {
    auto doc = loadPage(
        "<form><select name=p><option value=''>--<option value=13>東京都</select>"
        "<select name=q><option value=''>--<option value=13>東京都</select></form>");
    SetElementValue(named(*doc, "p"), u"13");
    SetElementValue(named(*doc, "q"), u"東京都");
    EXPECT_EQ(single(*doc, "p").value(), "13");
    EXPECT_EQ(single(*doc, "q").selectedIndex(), 0);
}

// Tests that FillElement leaves radio buttons and check boxes alone and writes boxes and lists.
TEST(FillElementTest, WritesBoxesAndListsOnly) {
    auto doc = loadPage(
        "<form><input type=radio name=r value=1><input type=checkbox name=c value=1>"
        "<input name=t><select name=s><option value=1>1月<option value=4>4月</select></form>");
    FillElement(named(*doc, "r"), u"4", u"");
    FillElement(named(*doc, "c"), u"4", u"");
    FillElement(named(*doc, "t"), u"4", u"");
    FillElement(named(*doc, "s"), u"4", u"");
    EXPECT_EQ(single(*doc, "r").value(), "1");
    EXPECT_EQ(single(*doc, "c").value(), "1");
    EXPECT_EQ(single(*doc, "t").value(), "4");
    EXPECT_EQ(single(*doc, "s").value(), "4");
}

// Tests that a prefecture list is chosen by option text and takes that option's value code.
TEST(SelectOptionByTextTest, PrefectureByTextTakesItsValueCode) {
    auto doc = loadPage(
        "<form><select name=p><option value=''>選択<option value=12>千葉県<option value=13>東京都"
        "<option value=14>神奈川県</select></form>");
    EXPECT_TRUE(SelectOptionByText(single(*doc, "p"), u"東京都"));
    EXPECT_EQ(single(*doc, "p").value(), "13");
    // Near miss: a prefecture the list does not offer changes nothing.
    EXPECT_FALSE(SelectOptionByText(single(*doc, "p"), u"沖縄県"));
    EXPECT_EQ(single(*doc, "p").value(), "13");
    EXPECT_FALSE(SelectOptionByText(single(*doc, "p"), u""));
}

// Tests that a list without the suffix is found through the alternative and keeps its value.
TEST(SelectOptionByTextTest, AlternativeWithoutSuffix) {
    auto doc = loadPage(
        "<form><select name=p><option value=0>--<option value=1>大阪<option value=2>東京</select></form>");
    FillSelectElement(named(*doc, "p"), u"東京都", u"東京");
    EXPECT_EQ(single(*doc, "p").value(), "2");
    // Near miss: without an alternative the list stays.
    auto other = loadPage(
        "<form><select name=p><option value=0>--<option value=1>大阪<option value=2>東京</select></form>");
    FillSelectElement(named(*other, "p"), u"東京都", u"");
    EXPECT_EQ(single(*other, "p").value(), "0");
}

// Tests the first "value=" after the match: an option without a value takes the next one's.
TEST(SelectOptionByTextTest, FirstValueAfterTheMatchBelongsToTheNextOption) {
    auto doc = loadPage(
        "<form><select name=p><option value=''>--<option>東京都<option value=14>神奈川県</select></form>");
    EXPECT_TRUE(SelectOptionByText(single(*doc, "p"), u"東京都"));
    EXPECT_EQ(selectedText(single(*doc, "p")), "神奈川県");
    // Near miss: when no later option has a value, the option scan picks the right one.
    auto plain = loadPage("<form><select name=p><option>--<option>東京都<option>神奈川県</select></form>");
    EXPECT_TRUE(SelectOptionByText(single(*plain, "p"), u"東京都"));
    EXPECT_EQ(selectedText(single(*plain, "p")), "東京都");
}

// Tests that option texts written with spaces are found with the spaces outside tags removed.
TEST(SelectOptionByTextTest, SpacesInsideOptionTexts) {
    auto doc = loadPage(
        "<form><select name=p><option value=''>--<option value=\"a b\">東 京 都<option value=x>大 阪</select>"
        "</form>");
    // The quoted value "a b" is read whole: both ends are quotes.
    EXPECT_TRUE(SelectOptionByText(single(*doc, "p"), u"東京都"));
    EXPECT_EQ(single(*doc, "p").value(), "a b");
}

// Tests the full-width retry: a month list reading １月, ２月, ... is found for 4 as ４.
TEST(SelectOptionByTextTest, FullWidthRetryFindsMonths) {
    auto doc =
        loadPage("<form><select name=m><option>--<option>１月<option>４月<option>５月</select></form>");
    EXPECT_TRUE(SelectOptionByText(single(*doc, "m"), u"4"));
    EXPECT_EQ(selectedText(single(*doc, "m")), "４月");
    // Near miss: a month the list does not have.
    EXPECT_FALSE(SelectOptionByText(single(*doc, "m"), u"7"));
}

// Tests that a multiple-choice list is not scanned by option text.
TEST(SelectOptionByTextTest, MultipleChoiceListIsNotScanned) {
    auto doc = loadPage("<form><select name=m multiple><option>a<option>東京都</select></form>");
    EXPECT_FALSE(SelectOptionByText(single(*doc, "m"), u"東京都"));
    EXPECT_EQ(single(*doc, "m").selectedIndex(), -1);
}

// Tests that a list already on the value is left alone and a collection of lists is written.
TEST(FillSelectElementTest, ListOnTheValueStaysAndCollectionsAreWritten) {
    auto doc = loadPage(
        "<form><select name=p><option value=東京都>東京都<option value=x selected>x</select>"
        "<select name=p><option value=1>大阪府<option value=2>東京都</select>"
        "<input type=hidden name=p value=h></form>");
    FillSelectElement(named(*doc, "p"), u"東京都", u"東京");
    const page::ElementCollection lists = named(*doc, "p").collection();
    EXPECT_EQ(lists.item(0).value(), "東京都");
    EXPECT_EQ(lists.item(1).value(), "2");
    EXPECT_EQ(lists.item(2).value(), "h");
}

}  // namespace
}  // namespace orvex::fill
