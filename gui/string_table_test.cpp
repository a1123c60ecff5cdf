#include "gui/string_table.h"

#include <gtest/gtest.h>

namespace orvex::gui {
namespace {

// Tests that the first and last entries are there and the numbers just outside are not.
TEST(StringTableTest, EntriesCoverExactlyTheirRange) {
    EXPECT_EQ(stringEntry(1000), text::TextView(u"ファイル(&F)"));
    EXPECT_EQ(stringEntry(1058), text::TextView(u"更新日時"));
    EXPECT_FALSE(stringEntry(999));
    EXPECT_FALSE(stringEntry(1059));
    EXPECT_FALSE(stringEntry(-1000));
}

// Tests that the template menu items are among the menu entries.
TEST(StringTableTest, TemplateMenuItemsAreMenuEntries) {
    bool newItem = false, open = false, exit = false;
    for (const StringEntry& e : kStringTable) {
        if (e.id > kLastMenuStringId) continue;
        newItem |= e.text == u"新規作成(&N)";
        open |= e.text == u"開く(&O)...";
        exit |= e.text == u"終了(&X)";
    }
    EXPECT_TRUE(newItem && open && exit);
}

// Tests that a tag is a number only as a whole, blanks and a sign allowed.
TEST(StringTableTest, WholeNumberTakesOnlyNumbers) {
    EXPECT_EQ(wholeNumber(u" 1001 "), 1001);
    EXPECT_EQ(wholeNumber(u"-3"), -3);
    EXPECT_FALSE(wholeNumber(u"1001a"));
    EXPECT_FALSE(wholeNumber(u""));
    EXPECT_FALSE(wholeNumber(u"-"));
    EXPECT_EQ(wholeNumber(u"99999999999999999999"), std::numeric_limits<long>::max());
}

// Tests that the leading number of a tag reads up to the first other character.
TEST(StringTableTest, LeadingNumberStopsAtOtherCharacters) {
    EXPECT_EQ(leadingNumber(u"1005abc"), 1005);
    EXPECT_EQ(leadingNumber(u"abc1005"), 0);
    EXPECT_EQ(leadingNumber(u" -7"), -7);
}

// Tests the two tag rules: labels and menus need a whole number, other controls a positive start.
TEST(StringTableTest, TagRulesPickEntries) {
    EXPECT_EQ(entryForNumericTag(u"1010"), text::TextView(u"終了(&X)"));
    EXPECT_FALSE(entryForNumericTag(u"1010x"));
    EXPECT_EQ(entryForPositiveTag(u"1010x"), text::TextView(u"終了(&X)"));
    EXPECT_FALSE(entryForPositiveTag(u"-1010"));
    EXPECT_FALSE(entryForPositiveTag(u"5"));
}

}  // namespace
}  // namespace orvex::gui
