#include "profile/ini_document.h"

#include <gtest/gtest.h>

namespace orvex::profile {
namespace {

using text::Text;

Text valueOf(const IniDocument& doc, text::TextView section, text::TextView key) {
    const Text* v = doc.find(section, key);
    return v ? *v : Text(u"<missing>");
}

// Tests that sections and keys match without regard to case, full-width letters included,
// and that a key is looked up in its own section only.
TEST(IniDocumentTest, MatchesSectionAndKeyWithoutCase) {
    const IniDocument doc = IniDocument::parse("[User0]\nName1=山田\n[ＵＳＥＲ]\nKey=wide\n[Other]\nX=1\n");
    EXPECT_EQ(valueOf(doc, u"USER0", u"NAME1"), u"山田");
    EXPECT_EQ(valueOf(doc, u"user0", u"name1"), u"山田");
    EXPECT_EQ(valueOf(doc, u"ｕｓｅｒ", u"key"), u"wide");
    EXPECT_EQ(valueOf(doc, u"USER0", u"X"), u"<missing>");
    EXPECT_EQ(valueOf(doc, u"USER1", u"Name1"), u"<missing>");
}

// Tests that the first of duplicate sections and the first of duplicate keys win: a key that
// only a later duplicate section holds is not found.
TEST(IniDocumentTest, FirstDuplicateWins) {
    const IniDocument doc = IniDocument::parse("[A]\nk=first\nk=second\n[a]\nk=third\nonly=later\n");
    EXPECT_EQ(valueOf(doc, u"A", u"k"), u"first");
    EXPECT_EQ(valueOf(doc, u"A", u"only"), u"<missing>");
    EXPECT_EQ(doc.sectionNames(), std::vector<Text>({u"A"}));
}

// Tests that blanks around keys and values are not part of them while a full-width space is,
// and that "=" inside a value stays.
TEST(IniDocumentTest, TrimsAsciiBlanksOnly) {
    const IniDocument doc = IniDocument::parse("  [ S ]  \n\t key \t=  a=b  \nw=\u3000x\u3000\n");
    EXPECT_EQ(valueOf(doc, u"S", u"key"), u"a=b");
    EXPECT_EQ(valueOf(doc, u"S", u"w"), u"\u3000x\u3000");
}

// Tests that comments, lines without "=", lines with an empty key and keys before the first
// section are ignored by look-ups.
TEST(IniDocumentTest, IgnoresLinesThatAreNotKeys) {
    const IniDocument doc = IniDocument::parse("top=1\n[S]\n;k=comment\njust text\n=novalue\nk=real\n");
    EXPECT_EQ(valueOf(doc, u"S", u"k"), u"real");
    EXPECT_EQ(valueOf(doc, u"S", u";k"), u"<missing>");
    EXPECT_EQ(valueOf(doc, u"", u"top"), u"<missing>");
}

// Tests odd section headers: "]" inside a name, an unclosed bracket, an empty name.
TEST(IniDocumentTest, ReadsOddSectionNames) {
    const IniDocument doc = IniDocument::parse("[a]b]\nk=1\n[unclosed\nk=2\n[]\nk=3\n[x] trailing\nk=4\n");
    EXPECT_EQ(valueOf(doc, u"a]b", u"k"), u"1");  // the unclosed line belongs to "a]b"
    EXPECT_EQ(valueOf(doc, u"unclosed", u"k"), u"<missing>");
    EXPECT_EQ(valueOf(doc, u"x", u"k"), u"4");
    EXPECT_EQ(doc.sectionNames(), std::vector<Text>({u"a]b", u"x"}));
}

// Tests that a change rewrites only its own line: comments, other keys, CRLF line ends, the
// byte-order mark and the key's own spelling survive.
TEST(IniDocumentTest, SetRewritesOneLineOnly) {
    const std::string before =
        "\xEF\xBB\xBF; my notes\r\n[Bar]\r\nBarPosition = 0 ; top\r\n\r\n[Clip]\r\nA=x\r\n";
    IniDocument doc = IniDocument::parse(before);
    ASSERT_TRUE(doc.set(u"BAR", u"barposition", u"1"));
    EXPECT_EQ(doc.serialize(), "\xEF\xBB\xBF; my notes\r\n[Bar]\r\nBarPosition=1\r\n\r\n[Clip]\r\nA=x\r\n");
    IniDocument same = IniDocument::parse(before);
    EXPECT_EQ(same.serialize(), before);
}

// Tests that a new key goes after the last key of its section (before blank lines and comments
// that lead into the next section) and a new section goes to the end after a blank line.
TEST(IniDocumentTest, SetAddsKeysAndSections) {
    IniDocument doc = IniDocument::parse("[A]\na=1\n\n; about B\n[B]\nb=2");
    ASSERT_TRUE(doc.set(u"a", u"new", u"n"));
    ASSERT_TRUE(doc.set(u"C", u"c", u"3"));
    EXPECT_EQ(doc.serialize(), "[A]\na=1\nnew=n\n\n; about B\n[B]\nb=2\n\n[C]\nc=3\n");
    IniDocument empty = IniDocument::parse("");
    ASSERT_TRUE(empty.set(u"S", u"k", u"v"));
    EXPECT_EQ(empty.serialize(), "[S]\nk=v\n");
    IniDocument headerOnly = IniDocument::parse("[S]");
    ASSERT_TRUE(headerOnly.set(u"S", u"k", u""));
    EXPECT_EQ(headerOnly.serialize(), "[S]\nk=\n");
}

// Tests that a value cannot add lines (line breaks become blanks, a NUL ends it) and that keys
// and sections which could not be read back as written are refused without any change.
TEST(IniDocumentTest, SetRefusesWhatWouldBreakTheFile) {
    IniDocument doc = IniDocument::parse("[S]\nk=old\n");
    ASSERT_TRUE(doc.set(u"S", u"k", u"a\nCount=0\rb"));
    EXPECT_EQ(valueOf(doc, u"S", u"k"), u"a Count=0 b");
    EXPECT_EQ(valueOf(doc, u"S", u"Count"), u"<missing>");
    ASSERT_TRUE(doc.set(u"S", u"k", text::TextView(u"ab\0cd", 5)));
    EXPECT_EQ(valueOf(doc, u"S", u"k"), u"ab");
    const std::string before = doc.serialize();
    EXPECT_FALSE(doc.set(u"S", u"a=b", u"v"));
    EXPECT_FALSE(doc.set(u"S", u"", u"v"));
    EXPECT_FALSE(doc.set(u"S", u";c", u"v"));
    EXPECT_FALSE(doc.set(u"S", u"x\ny", u"v"));
    EXPECT_FALSE(doc.set(u" ", u"k", u"v"));
    EXPECT_FALSE(doc.set(u"S\n[T", u"k", u"v"));
    EXPECT_EQ(doc.serialize(), before);
}

// Tests that look-ups stay right through a series of changes: keys added at the end, keys added
// in the middle (moving later lines), new sections, and a removal.
TEST(IniDocumentTest, LookupsStayRightAfterChanges) {
    IniDocument doc = IniDocument::parse("[A]\na=1\n[B]\nb=2\n");
    ASSERT_TRUE(doc.set(u"B", u"b2", u"x"));  // end of file
    ASSERT_TRUE(doc.set(u"C", u"c", u"y"));   // new section
    ASSERT_TRUE(doc.set(u"C", u"c2", u"z"));  // end of file again
    ASSERT_TRUE(doc.set(u"A", u"a2", u"w"));  // middle: B and C move down
    ASSERT_TRUE(doc.set(u"B", u"b", u"3"));   // rewrite after the move
    EXPECT_EQ(valueOf(doc, u"A", u"a2"), u"w");
    EXPECT_EQ(valueOf(doc, u"B", u"b"), u"3");
    EXPECT_EQ(valueOf(doc, u"B", u"b2"), u"x");
    EXPECT_EQ(valueOf(doc, u"C", u"c2"), u"z");
    EXPECT_EQ(valueOf(doc, u"C", u"a2"), u"<missing>");
    EXPECT_EQ(doc.serialize(), "[A]\na=1\na2=w\n[B]\nb=3\nb2=x\n\n[C]\nc=y\nc2=z\n");
    EXPECT_TRUE(doc.removeSection(u"B"));
    ASSERT_TRUE(doc.set(u"C", u"c3", u"v"));
    EXPECT_EQ(valueOf(doc, u"C", u"c3"), u"v");
    EXPECT_EQ(valueOf(doc, u"B", u"b"), u"<missing>");
    const IniDocument reread = IniDocument::parse(doc.serialize());
    EXPECT_EQ(valueOf(reread, u"C", u"c3"), u"v");
}

// Tests that removing a section removes every duplicate with its lines and nothing else.
TEST(IniDocumentTest, RemoveSectionRemovesAllDuplicates) {
    IniDocument doc = IniDocument::parse("; head\n[L]\na=1\n[K]\nk=1\n[l]\nb=2\n");
    EXPECT_TRUE(doc.removeSection(u"L"));
    EXPECT_EQ(doc.serialize(), "; head\n[K]\nk=1\n");
    EXPECT_FALSE(doc.removeSection(u"L"));
    EXPECT_EQ(doc.serialize(), "; head\n[K]\nk=1\n");
}

// Tests that a file that is not UTF-8 is read as CP932 and rewritten as UTF-8, while a UTF-8
// file (or one with a byte-order mark) is not taken for CP932.
TEST(IniDocumentTest, ReadsLegacyCp932) {
    IniDocument legacy = IniDocument::parse("[\x83\x86\x81\x5B\x83\x55]\r\nName=\x8E\x52\x93\x63\r\n");
    EXPECT_TRUE(legacy.isLegacyEncoding());
    EXPECT_EQ(valueOf(legacy, u"ユーザ", u"Name"), u"山田");
    EXPECT_EQ(legacy.serialize(), "[ユーザ]\r\nName=山田\r\n");
    EXPECT_FALSE(IniDocument::parse("[ユーザ]\nName=山田\n").isLegacyEncoding());
    EXPECT_FALSE(IniDocument::parse("\xEF\xBB\xBF[S]\nk=\x80\n").isLegacyEncoding());
}

// Tests that a lone CR counts as a line end and is kept as such.
TEST(IniDocumentTest, KeepsLoneCarriageReturns) {
    IniDocument doc = IniDocument::parse("[S]\rk=1\rj=2");
    EXPECT_EQ(valueOf(doc, u"S", u"j"), u"2");
    ASSERT_TRUE(doc.set(u"S", u"k", u"9"));
    EXPECT_EQ(doc.serialize(), "[S]\rk=9\rj=2");
}

}  // namespace
}  // namespace orvex::profile
