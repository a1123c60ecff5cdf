#include "engine/html_items.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/tag_reader.h"
#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

std::vector<std::string> tokensOf(clsHTMLItems& engine, std::string_view html) {
    engine.readTokens(t16(html));
    return s8(engine.tokens());
}

std::vector<std::string> tokensOf(std::string_view html) {
    clsHTMLItems engine;
    return tokensOf(engine, html);
}

// Tests that an empty form gives nothing and the result False.
TEST(InterpretHTMLMainTest, EmptyForm) {
    clsHTMLItems engine;
    EXPECT_FALSE(engine.InterpretHTMLMain(u""));
    EXPECT_TRUE(engine.Blocks.empty());
    engine.readTokens(u"");
    EXPECT_TRUE(engine.tokens().empty());
}

// Tests that buttons and hidden inputs never reach the token list, while an untyped input does.
TEST(TokenizeTest, DropsButtonsAndHiddenInputs) {
    EXPECT_EQ(tokensOf("<INPUT type=hidden name=id value=1><INPUT type=submit><INPUT type=reset>"
                       "<INPUT type=button value=x><INPUT name=q>"),
              (std::vector<std::string>{"<INPUT orgnm=q name=kvnt1>"}));
    // Any tag with such a type is dropped, not only INPUT.
    EXPECT_EQ(tokensOf("<BUTTON type=submit>send</BUTTON>"), (std::vector<std::string>{"send"}));
}

// Tests the rename of quoted names and that GetAttribute reads both names back.
TEST(TokenizeTest, GeneratedNamesKeepPageName) {
    clsHTMLItems engine;
    EXPECT_EQ(tokensOf(engine, "<INPUT type=\"text\" name=\"zip1\">"),
              (std::vector<std::string>{"<INPUT type=\"text\" orgnm=\"zip1\" name=kvnt1>"}));
    EXPECT_EQ(s8(GetAttribute(engine.tokens()[0], u"orgnm")), "zip1");
    EXPECT_EQ(s8(GetAttribute(engine.tokens()[0], u"name")), "kvnt1");
    EXPECT_EQ(tokensOf("<INPUT type=text name=tel size=4>"),
              (std::vector<std::string>{"<INPUT type=text orgnm=tel size=4 name=kvnt1>"}));
    // A "name=" inside another attribute is left alone.
    EXPECT_EQ(tokensOf("<INPUT data-name=a title=\" name=b\" name=c>"),
              (std::vector<std::string>{"<INPUT data-name=a title=\" name=b\" orgnm=c name=kvnt1>"}));
}

// Tests that an unterminated tag at the end of the form loses its last character to the rename
// (the character taken for the closing ">"), while the name map keeps the whole page name.
TEST(TokenizeTest, UnterminatedTagRename) {
    clsHTMLItems engine;
    EXPECT_EQ(tokensOf(engine, "x<INPUT name=abc"),
              (std::vector<std::string>{"x", "<INPUT orgnm=ab name=kvnt1>"}));
    EXPECT_EQ(s8(engine.lookupGeneratedName(u"kvnt1")->pageName), "abc");
    // Near miss: a closed tag loses only its ">".
    EXPECT_EQ(tokensOf("x<INPUT name=abc>"), (std::vector<std::string>{"x", "<INPUT orgnm=abc name=kvnt1>"}));
}

// Tests occurrence numbers of a repeated page name and their lookup.
TEST(TokenizeTest, RepeatedNamesAndLookup) {
    clsHTMLItems engine;
    tokensOf(engine, "<INPUT name=tel>-<INPUT name=tel>");
    ASSERT_TRUE(engine.lookupGeneratedName(u"kvnt2"));
    EXPECT_EQ(s8(engine.lookupGeneratedName(u"kvnt1")->pageName), "tel");
    EXPECT_EQ(engine.lookupGeneratedName(u"kvnt1")->count, 1);
    EXPECT_EQ(engine.lookupGeneratedName(u"kvnt2")->count, 2);
    EXPECT_EQ(engine.NameCounts.at(u"tel").count, 2);
    EXPECT_FALSE(engine.lookupGeneratedName(u"kvnt3"));
    EXPECT_FALSE(engine.lookupGeneratedName(u"tel"));
}

// Tests that radio buttons keep their names and are counted, and that anchors use up numbers.
TEST(TokenizeTest, RadioButtonsAndAnchors) {
    clsHTMLItems engine;
    tokensOf(engine, "<INPUT type=radio name=sex>男<INPUT type=radio name=sex>女<INPUT type=radio name=sex>");
    EXPECT_EQ(engine.NameCounts.at(u"sex").count, 3);
    EXPECT_TRUE(engine.GeneratedNames.empty());
    EXPECT_EQ(engine.tokens()[0], u"<INPUT type=radio name=sex>");

    clsHTMLItems anchored;
    EXPECT_EQ(tokensOf(anchored, "<A name=top></A><INPUT type=text name=q>"),
              (std::vector<std::string>{"<INPUT type=text orgnm=q name=kvnt2>"}));
    EXPECT_EQ(s8(anchored.lookupGeneratedName(u"kvnt1")->pageName), "top");
}

// Tests the marks a select list gets from its options.
TEST(TokenizeTest, SelectListMarks) {
    EXPECT_EQ(tokensOf("<SELECT name=p><OPTION value=13>東 京都</OPTION></SELECT>"),
              (std::vector<std::string>{"<SELECT orgnm=p name=kvnt1 special=pref>", "$CR$"}));
    // Option tag and caption both hold "昭和": one mark each.
    EXPECT_EQ(
        tokensOf("<SELECT name=y><OPTION value=昭和50>昭和50年</SELECT>"),
        (std::vector<std::string>{"<SELECT orgnm=y name=kvnt1 special=yeartype special=yeartype>", "$CR$"}));
    clsHTMLItems ages;
    EXPECT_EQ(tokensOf(ages, "<SELECT name=a><OPTION>20代<OPTION>30代</SELECT>"),
              (std::vector<std::string>{"<SELECT orgnm=a name=kvnt1 special=age special=age>"}));
    EXPECT_TRUE(ages.HasAgeSelect);
    // Near misses: "東" without "東京" takes the first branch and marks nothing; plain options
    // leave nothing.
    clsHTMLItems plain;
    EXPECT_EQ(tokensOf(plain, "<SELECT name=s><OPTION>東北 20代<OPTION>男性</SELECT>after"),
              (std::vector<std::string>{"<SELECT orgnm=s name=kvnt1>", "after"}));
    EXPECT_FALSE(plain.HasAgeSelect);
}

// Tests text areas, line ends in and out of table cells, and absolute separators.
TEST(TokenizeTest, FilterStates) {
    EXPECT_EQ(tokensOf("<TEXTAREA name=c>hello</TEXTAREA>x"),
              (std::vector<std::string>{"<TEXTAREA orgnm=c name=kvnt1>", "x"}));
    EXPECT_EQ(tokensOf("<TD>Name<BR></TD>"), (std::vector<std::string>{"Name", "$CR$", "$CR$"}));
    EXPECT_EQ(tokensOf("Name<BR>"), (std::vector<std::string>{"Name", "<BR>"}));
    EXPECT_EQ(tokensOf("<TABLE><TR><TD>氏名</TD><TD><INPUT name=nm></TD></TR></TABLE><HR>"),
              (std::vector<std::string>{"<ABSSEP>", "$CR$", "氏名", "$CR$", "$CR$",
                                        "<INPUT orgnm=nm name=kvnt1>", "$CR$", "<BR>", "<ABSSEP>"}));
    EXPECT_EQ(tokensOf("<P>a<LI>b<FONT color=red>c</FONT><H3>d"),
              (std::vector<std::string>{"<BR>", "a", "<BR>", "b", "c", "<BR>", "d"}));
    // Element names compare exactly: lower-case tags are dropped like any unknown element.
    EXPECT_EQ(tokensOf("a<br>b"), (std::vector<std::string>{"a", "b"}));
}

// Tests comment removal, line ends and "&nbsp;" in the pipeline, and the form flags.
TEST(TokenizeTest, PreparationAndFlags) {
    clsHTMLItems engine;
    EXPECT_EQ(tokensOf(engine, "abc<!-- <INPUT name=x> -->def\r\n&nbsp;フリガナ"),
              (std::vector<std::string>{"abcdefフリガナ"}));
    EXPECT_TRUE(engine.boolKatakanaFurigana);
    EXPECT_FALSE(engine.HasConventionPrefix);
    EXPECT_TRUE(engine.GeneratedNames.empty());
    tokensOf(engine, "<INPUT name=kv0name1>");
    EXPECT_FALSE(engine.boolKatakanaFurigana);  // reset by the next run
    EXPECT_TRUE(engine.HasConventionPrefix);
    // Names given by an earlier run stay; numbering goes on.
    EXPECT_EQ(s8(engine.tokens()[0]), "<INPUT orgnm=kv0name1 name=kvnt1>");
}

// Tests a whole table form up to its scored blocks: the zip line comes before the phone line.
TEST(InterpretHTMLMainTest, BuildsScoredBlocks) {
    clsHTMLItems engine;
    const std::string form =
        "<TABLE><TR><TD>郵便番号</TD><TD><INPUT name=zip1>-<INPUT name=zip2></TD></TR>"
        "<TR><TD>電話番号</TD><TD><INPUT name=tel></TD></TR></TABLE>";
    engine.readTokens(t16(form));
    engine.buildBlocks();
    int zipBlock = 0, telBlock = 0;
    for (int i = 1; engine.blockAt(i); ++i) {
        if (engine.blockAt(i)->GetCheckAnd(kZip) == 2) zipBlock = i;
        if (engine.blockAt(i)->GetCheckAnd(kTel) == 2) telBlock = i;
    }
    EXPECT_GT(zipBlock, 0);
    EXPECT_GT(telBlock, zipBlock);
    EXPECT_EQ(engine.blockAt(0), nullptr);
    EXPECT_EQ(engine.blockAt(static_cast<int>(engine.Blocks.size()) + 1), nullptr);
}

std::size_t runOn(std::string_view html) {
    clsHTMLItems engine;
    engine.InterpretHTMLMain(t16(html));
    return engine.Blocks.size();
}

// Tests that broken markup is read without failure.
TEST(RobustnessTest, BrokenMarkup) {
    EXPECT_EQ(runOn("<INPUT name=a"), 1u);
    EXPECT_GE(runOn("<!-- never closed <INPUT name=a> <BR> <INPUT name=b>"), 1u);
    EXPECT_EQ(runOn("<"), 0u);
    EXPECT_EQ(runOn(">>>"), 0u);
    EXPECT_EQ(runOn("<SELECT name=x><OPTION>東京"), 1u);
    runOn("</SELECT></TD></TR></TEXTAREA><TEXTAREA>");
    runOn(std::string("a\0b<INPUT name=\0>\0", 18));
    runOn("\xff\xfe<INPUT name=\xc3>\xe3\x81");  // invalid UTF-8 becomes U+FFFD
    runOn("<INPUT name=\"unterminated>");
}

// Tests large inputs: many comments, deep tables, long option lists, many inputs on a line.
TEST(RobustnessTest, LargeInputs) {
    std::string comments;
    for (int i = 0; i < 50000; ++i) comments += "<!-- c --><INPUT name=a>";
    EXPECT_EQ(runOn(comments), 1u);  // no line end anywhere: one line of inputs

    std::string nested;
    for (int i = 0; i < 5000; ++i) nested += "<TABLE><TR><TD>";
    nested += "電話<INPUT name=tel>";
    for (int i = 0; i < 5000; ++i) nested += "</TD></TR></TABLE>";
    EXPECT_GE(runOn(nested), 1u);

    std::string options = "<SELECT name=pref>";
    for (int i = 0; i < 20000; ++i) options += "<OPTION value=13>東京都</OPTION>";
    options += "</SELECT>";
    clsHTMLItems engine;
    engine.InterpretHTMLMain(t16(options));
    ASSERT_EQ(engine.Blocks.size(), 1u);
    EXPECT_TRUE(engine.Blocks[0].HasSpecial(u"pref"));

    std::string line;
    for (int i = 0; i < 3000; ++i) line += "<INPUT type=text name=t><INPUT type=radio name=r>";
    EXPECT_EQ(runOn(line), 6000u);  // cut before every change of input type
}

}  // namespace
}  // namespace orvex::engine
