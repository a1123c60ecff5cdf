#include "profile/encoding.h"

#include <gtest/gtest.h>

namespace orvex::profile {
namespace {

// Tests that well-formed UTF-8, Japanese included, is accepted and an empty input too.
TEST(EncodingTest, AcceptsWellFormedUtf8) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("Name=\xE5\xB1\xB1\xE7\x94\xB0"));       // 山田
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80 \xEF\xBF\xBD \x7F"));  // emoji, U+FFFD, DEL
    EXPECT_TRUE(isValidUtf8(std::string_view("a\0b", 3)));
}

// Tests that overlong forms, surrogates, values above U+10FFFF, stray continuation bytes and
// sequences cut at the end are rejected.
TEST(EncodingTest, RejectsMalformedUtf8) {
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));                  // overlong NUL
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));              // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));              // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));          // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("a\x80"));                     // stray continuation
    EXPECT_FALSE(isValidUtf8("\xE5\xB1"));                  // cut at the end
    EXPECT_FALSE(isValidUtf8("\xE5\x41\x41"));              // continuation missing
    EXPECT_FALSE(isValidUtf8("\x93\xFA\x96\x7B\x8C\xEA"));  // 日本語 in Shift_JIS
}

// Tests that CP932 text decodes with Windows' table: NEC specials, the wave dash as U+FF5E,
// and trail bytes that look like "\" or "[".
TEST(EncodingTest, DecodesCp932WithWindowsTable) {
    EXPECT_EQ(decodeCp932("\x93\xFA\x96\x7B\x8C\xEA"), u"日本語");
    EXPECT_EQ(decodeCp932("\x83\x5C\x95\x5C"), u"ソ表");
    EXPECT_EQ(decodeCp932("\x87\x40"), u"①");
    EXPECT_EQ(decodeCp932("\x81\x60"), u"\uFF5E");
    EXPECT_EQ(decodeCp932("\xB1\xB2"), u"ｱｲ");  // half-width katakana are single bytes
    EXPECT_EQ(decodeCp932(""), u"");
}

// Tests that broken CP932 input decodes without failing: a lone lead byte still yields text.
TEST(EncodingTest, DecodesBrokenCp932WithSubstitutes) {
    const text::Text t = decodeCp932("ab\x93");
    ASSERT_GE(t.size(), 3u);
    EXPECT_EQ(t.substr(0, 2), u"ab");
}

}  // namespace
}  // namespace orvex::profile
