#include "palette/phrases.h"

#include <gtest/gtest.h>

#include "profile/test_support.h"

namespace orvex::palette {
namespace {

using profile::testing::slurp;
using profile::testing::spit;
using profile::testing::TempDir;

// Tests the storable form of answers: one blank per line break (a CR LF pair is one), a NUL ends
// the phrase, blanks around it go, blanks inside and full-width blanks stay.
TEST(PhrasesTest, StorableForm) {
    EXPECT_EQ(storablePhrase(u"よろしく\r\nお願いします"), u"よろしく お願いします");
    EXPECT_EQ(storablePhrase(u"a\n\nb\rc"), u"a  b c");
    EXPECT_EQ(storablePhrase(text::Text(u"ab\0cd", 5)), u"ab");
    EXPECT_EQ(storablePhrase(u" \t応募します\t \r\n"), u"応募します");
    EXPECT_EQ(storablePhrase(u"　全角　"), u"　全角　");
    EXPECT_EQ(storablePhrase(u""), u"");
}

// Tests that a 600-character answer is cut to the 511 units a read gives back, and that a
// character outside the BMP is never cut in half.
TEST(PhrasesTest, LongAnswersAreCut) {
    EXPECT_EQ(storablePhrase(text::Text(600, u'あ')), text::Text(511, u'あ'));
    EXPECT_EQ(storablePhrase(text::Text(510, u'あ') + u"😀"), text::Text(510, u'あ'));
    EXPECT_EQ(storablePhrase(text::Text(509, u'あ') + u"😀"), text::Text(509, u'あ') + u"😀");
}

// Tests that every storable phrase reads back exactly as stored, awkward ones too, and that an
// empty answer replaces the phrase with an empty one.
TEST(PhrasesTest, StoredPhrasesReadBackUnchanged) {
    TempDir dir;
    const auto file = dir / "system.ini";
    const text::Text answers[] = {
        text::Text(600, u'長'), u"行1\r\n行2", u"[BAR]", u";始まり", u"a=b&c", u"  "};
    for (const text::Text& answer : answers) {
        const text::Text phrase = storablePhrase(answer);
        ASSERT_TRUE(writePhrase(file, 1, phrase));
        EXPECT_EQ(readPhrases(file)[1], phrase);
    }
    ASSERT_TRUE(writePhrase(file, 4, u"最後"));
    ASSERT_TRUE(writePhrase(file, 4, u""));
    EXPECT_EQ(readPhrases(file)[4], u"");
    EXPECT_NE(slurp(file).find("CAPTION5=\n"), std::string::npos);
}

// Tests that the phrases come from keys CAPTION1 to CAPTION5 of section CLIP, in any case, and
// that other sections' keys of the same name are not taken.
TEST(PhrasesTest, ReadsTheClipSection) {
    TempDir dir;
    const auto file = dir / "system.ini";
    ASSERT_TRUE(spit(file, "[BAR]\nCAPTION1=no\n[clip]\ncaption1=一\nCAPTION5=五\nCAPTION6=六\n"));
    const auto p = readPhrases(file);
    EXPECT_EQ(p[0], u"一");
    EXPECT_EQ(p[1], u"");
    EXPECT_EQ(p[4], u"五");
}

// Tests that a damaged "system.ini" is harmless: garbage before the section still lets the
// phrases be read, a directory in the file's place reads as no phrases and refuses the write, and
// a slot out of range writes nothing.
TEST(PhrasesTest, DamagedFile) {
    TempDir dir;
    const auto file = dir / "system.ini";
    static const char kDamaged[] = "\xff\xfe\x00\x81garbage\n[CLIP\nCAPTION1=x\n[CLIP]\nCAPTION2=abc\n";
    ASSERT_TRUE(spit(file, std::string(kDamaged, sizeof kDamaged - 1)));
    const auto p = readPhrases(file);
    EXPECT_EQ(p[1], u"abc");
    EXPECT_EQ(p[0], u"");
    const std::string before = slurp(file);
    EXPECT_FALSE(writePhrase(file, 5, u"x"));
    EXPECT_FALSE(writePhrase(file, -1, u"x"));
    EXPECT_EQ(slurp(file), before);

    const auto folder = dir / "folder.ini";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(readPhrases(folder)[0], u"");
    EXPECT_FALSE(writePhrase(folder, 0, u"x"));
}

}  // namespace
}  // namespace orvex::palette
