#include "text/text.h"

#include <gtest/gtest.h>

namespace orvex::text {
namespace {

// Tests that UTF-8 round-trips, including characters outside the BMP (two code units each).
TEST(TextTest, Utf8RoundTripCountsUtf16Units) {
    Text t = fromUtf8("山田 𠮷野家");
    EXPECT_EQ(t.size(), 7u);  // 𠮷 is a surrogate pair
    EXPECT_EQ(toUtf8(t), "山田 𠮷野家");
}

// Tests that invalid UTF-8 and unpaired surrogates become U+FFFD instead of failing, and NUL survives.
TEST(TextTest, InvalidSequencesAreReplaced) {
    EXPECT_EQ(fromUtf8(std::string_view("a\xff\xfe"
                                        "b",
                                        4)),
              u"a\uFFFD\uFFFDb");
    EXPECT_EQ(fromUtf8(std::string_view("\xe5\xb1", 2)), u"\uFFFD");
    EXPECT_EQ(fromUtf8(std::string_view("a\0b", 3)), Text(u"a\0b", 3));
    EXPECT_EQ(toUtf8(Text(1, u'\xD800')), "\xEF\xBF\xBD");
}

// Tests that lower-casing covers full-width Latin letters and keeps every length.
TEST(TextTest, LowerCaseIncludesFullWidth) {
    EXPECT_EQ(toLower(u"NAME ＮＡＭＥ お名前 ÀÉ"), u"name ｎａｍｅ お名前 àé");
    EXPECT_EQ(toUpper(u"ｍａｉｌ mail"), u"ＭＡＩＬ MAIL");
    Text mixed = u"ＡＢＣ Ω";  // the fast path hands over to the full mapping mid-text
    lowerInPlace(mixed);
    EXPECT_EQ(mixed, u"ａｂｃ ω");
    Text special = u"İ";  // would grow under full case mapping
    EXPECT_EQ(toLower(special).size(), special.size());
}

// Tests half-width conversion of ASCII variants, blanks, voiced katakana and punctuation.
TEST(TextTest, HalfWidth) {
    EXPECT_EQ(toHalfWidth(u"０９０－１２３４　ＡＢ＠ｃ．ｊｐ"), u"090-1234 AB@c.jp");
    EXPECT_EQ(toHalfWidth(u"ヤマダ　タロウ"), u"ﾔﾏﾀﾞ ﾀﾛｳ");
    EXPECT_EQ(toHalfWidth(u"パ。「」、・ー"), u"ﾊﾟ｡｢｣､･ｰ");
    EXPECT_EQ(toHalfWidth(u"山田"), u"山田");  // no half-width form: unchanged
}

// Tests full-width conversion composes a half-width letter with its voiced mark.
TEST(TextTest, FullWidth) {
    EXPECT_EQ(toFullWidth(u"ﾔﾏﾀﾞ ﾊﾟﾝ 12-a"), u"ヤマダ　パン　１２－ａ");
    EXPECT_EQ(toFullWidth(u"ﾞ"), u"゛");  // a lone mark has nothing to compose with
}

// Tests that kana conversion touches only kana and keeps small ヵ/ヶ and other text as typed.
TEST(TextTest, KanaConversion) {
    EXPECT_EQ(toKatakana(u"やまだ たろう ゔゝ ABC ー"), u"ヤマダ タロウ ヴヽ ABC ー");
    EXPECT_EQ(toHiragana(u"ヤマダ タロウ ヴヵヶヽ ABC"), u"やまだ たろう ゔゕゖゝ ABC");
    EXPECT_EQ(toHiragana(u"ﾔﾏﾀﾞ ABC"), u"やまだ ABC");  // half-width katakana widened, ASCII not
    EXPECT_EQ(toKatakana(u"ｶﾞ"), u"ｶﾞ");
}

// Tests that empty input gives empty output everywhere.
TEST(TextTest, EmptyInput) {
    EXPECT_EQ(fromUtf8(""), u"");
    EXPECT_EQ(toUtf8(u""), "");
    EXPECT_EQ(toHalfWidth(u""), u"");
    EXPECT_EQ(toHiragana(u""), u"");
}

}  // namespace
}  // namespace orvex::text
