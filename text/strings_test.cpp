#include "text/strings.h"

#include <gtest/gtest.h>

namespace orvex::text {
namespace {

// Tests 1-based searching with the first occurrence and 0 for absence or a start past the end.
TEST(StringsTest, FindIsOneBased) {
    EXPECT_EQ(find(u"abcabc", u"bc"), 2);
    EXPECT_EQ(find(u"abcabc", u"bc", 3), 5);
    EXPECT_EQ(find(u"abcabc", u"x"), 0);
    EXPECT_EQ(find(u"abc", u"c", 10), 0);
    EXPECT_EQ(find(u"abc", u"", 4), 4);
    EXPECT_EQ(find(u"abc", u"", 5), 0);
    EXPECT_EQ(findLast(u"abcabc", u"bc"), 5);
}

// Tests that mid/left/right clamp out-of-range arguments instead of failing.
TEST(StringsTest, SubstringsClamp) {
    EXPECT_EQ(mid(u"東京都港区", 3), u"都港区");
    EXPECT_EQ(mid(u"東京都港区", 3, 1), u"都");
    EXPECT_EQ(mid(u"abc", 0, 2), u"ab");
    EXPECT_EQ(mid(u"abc", 4), u"");
    EXPECT_EQ(mid(u"abc", 2, 100), u"bc");
    EXPECT_EQ(left(u"abc", 5), u"abc");
    EXPECT_EQ(left(u"abc", -1), u"");
    EXPECT_EQ(right(u"abc", 2), u"bc");
    EXPECT_EQ(right(u"abc", 9), u"abc");
}

// Tests replacement scans left to right without re-reading replaced text.
TEST(StringsTest, ReplaceAll) {
    EXPECT_EQ(replaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
    EXPECT_EQ(replaceAll(u"a,b,,c", u",", u"，"), u"a，b，，c");
    EXPECT_EQ(replaceAll(u"abc", u"", u"x"), u"abc");
}

// Tests blank handling: both blanks removed, trim only the half-width one.
TEST(StringsTest, Blanks) {
    EXPECT_EQ(removeBlanks(u" 山田　太郎 "), u"山田太郎");
    EXPECT_EQ(trim(u"  a b  "), u"a b");
    EXPECT_EQ(trim(u"　a　"), u"　a　");
    EXPECT_EQ(trim(u"   "), u"");
}

// Tests splitting keeps empty fields.
TEST(StringsTest, Split) {
    EXPECT_EQ(split(u"a,,b,", u","), (std::vector<Text>{u"a", u"", u"b", u""}));
    EXPECT_EQ(split(u"", u","), (std::vector<Text>{u""}));
}

// Tests number parsing: whole-string parse rejects junk and overflow; leading parse saturates.
TEST(StringsTest, Numbers) {
    long long v = 0;
    EXPECT_TRUE(parseInt(u" 1975 ", v));
    EXPECT_EQ(v, 1975);
    EXPECT_TRUE(parseInt(u"-3", v));
    EXPECT_EQ(v, -3);
    EXPECT_FALSE(parseInt(u"19a", v));
    EXPECT_FALSE(parseInt(u"", v));
    EXPECT_FALSE(parseInt(u"99999999999999999999", v));
    EXPECT_FALSE(parseInt(u"１９", v));  // full-width digits are not numbers here
    EXPECT_EQ(leadingNumber(u"20歳以上"), 20);
    EXPECT_EQ(leadingNumber(u"歳"), 0);
    EXPECT_EQ(leadingNumber(u"99999999999999999999999"), 9223372036854775807LL);
    EXPECT_TRUE(isDigits(u"0123"));
    EXPECT_FALSE(isDigits(u""));
    EXPECT_EQ(number(-42), u"-42");
}

}  // namespace
}  // namespace orvex::text
