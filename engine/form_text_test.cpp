#include "engine/form_text.h"

#include <random>

#include <gtest/gtest.h>

#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

// The comment rule done the plain way, by repeated search and erase on the whole text.
Text removeCommentsPlainly(Text text) {
    for (;;) {
        const std::size_t a = text.find(u"<!--");
        const std::size_t b = text.find(u"-->");
        if (a == Text::npos || b == Text::npos || b < a) return text;
        text.erase(a, b + 3 - a);
    }
}

std::string strip(std::string_view html) {
    return s8(removeComments(t16(html)));
}

// Tests the basic cut and the stop at a "-->" that stands before the first "<!--".
TEST(RemoveCommentsTest, CutsCommentsUntilAPairFails) {
    EXPECT_EQ(strip("abc<!-- x -->def"), "abcdef");
    EXPECT_EQ(strip("a<!--1-->b<!--2-->c"), "abc");
    EXPECT_EQ(strip("a-->b<!--c-->d"), "a-->b<!--c-->d");
    EXPECT_EQ(strip("a<!--1-->b-->c<!--2-->d"), "ab-->c<!--2-->d");
    EXPECT_EQ(strip("<!-->x"), "x");
}

// Tests that an unterminated comment stays in the text.
TEST(RemoveCommentsTest, KeepsUnterminatedComment) {
    EXPECT_EQ(strip("a<!-- open <INPUT name=x>"), "a<!-- open <INPUT name=x>");
    EXPECT_EQ(strip(""), "");
}

// Tests that a comment mark made by joining the text around a cut is found like any other.
TEST(RemoveCommentsTest, FindsMarksMadeByACut) {
    EXPECT_EQ(strip("<!<!--x-->--y-->z"), "z");
    EXPECT_EQ(strip("a<!--x-->-<!--y-->->b"), "a-->b");
    EXPECT_EQ(strip("-<!--x-->->b<!--c"), "-->b<!--c");  // the joined "-->" stops the loop
}

// Tests that the one-pass cut agrees with the plain rule on many random texts.
TEST(RemoveCommentsTest, AgreesWithPlainRule) {
    std::mt19937 random(12345);
    const char16_t alphabet[] = {u'<', u'!', u'-', u'>', u'a'};
    for (int round = 0; round < 20000; ++round) {
        Text text;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) text.push_back(alphabet[random() % 5]);
        ASSERT_EQ(s8(removeComments(text)), s8(removeCommentsPlainly(text))) << s8(text);
    }
}

// Tests that line ends and "&nbsp;" go while other character references stay.
TEST(PrepareFormTextTest, RemovesLineEndsAndNbsp) {
    EXPECT_EQ(s8(prepareFormText(t16("a\r\nb&nbsp;c&amp;d"))), "abc&amp;d");
    // A "&nbsp;" split by a line end is whole once the line end is gone.
    EXPECT_EQ(s8(prepareFormText(t16("x&nb\nsp;y"))), "xy");
    EXPECT_EQ(s8(prepareFormText(t16("<!--\n-->a"))), "a");
}

}  // namespace
}  // namespace orvex::engine
