#include "engine/tag_reader.h"

#include <gtest/gtest.h>

#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

std::vector<std::string> cutAll(std::string_view html) {
    const Text text = t16(html);
    TextView rest = text;
    std::vector<std::string> tokens;
    do {
        tokens.push_back(s8(NextToken(rest)));
    } while (!rest.empty());
    return tokens;
}

// Tests that text tokens run up to the next "<" and keep trailing spaces, while tags run to ">".
TEST(NextTokenTest, CutsTextAndTags) {
    EXPECT_EQ(cutAll("  お名前  <INPUT name=a>x"),
              (std::vector<std::string>{"お名前  ", "<INPUT name=a>", "x"}));
    // Near miss: tabs and full-width spaces are not skipped.
    EXPECT_EQ(cutAll("\t\u3000a<BR>"), (std::vector<std::string>{"\t\u3000a", "<BR>"}));
}

// Tests that unterminated constructs become the last token and a ">" in a value ends the tag.
TEST(NextTokenTest, AcceptsBrokenMarkup) {
    EXPECT_EQ(cutAll("a<INPUT name=x"), (std::vector<std::string>{"a", "<INPUT name=x"}));
    EXPECT_EQ(cutAll("<INPUT value=\"a>b\">"), (std::vector<std::string>{"<INPUT value=\"a>", "b\">"}));
    EXPECT_EQ(cutAll("1 < 2"), (std::vector<std::string>{"1 ", "< 2"}));
}

// Tests that an empty or all-space rest gives one empty token and ends empty.
TEST(NextTokenTest, EmptyRestGivesEmptyToken) {
    EXPECT_EQ(cutAll(""), (std::vector<std::string>{""}));
    EXPECT_EQ(cutAll("   "), (std::vector<std::string>{""}));
    // Line ends after the spaces are skipped too; spaces after a line end are not.
    EXPECT_EQ(cutAll(" \r\n x"), (std::vector<std::string>{" x"}));
}

std::string attr(std::string_view tag, std::string_view name) {
    return s8(GetAttribute(t16(tag), t16(name)));
}

// Tests that an empty attribute name gives the element name.
TEST(GetAttributeTest, ElementName) {
    EXPECT_EQ(attr("<BR>", ""), "BR");
    EXPECT_EQ(attr("<INPUT type=text>", ""), "INPUT");
    EXPECT_EQ(attr("</TD>", ""), "/TD");
    EXPECT_EQ(attr("<SELECT", ""), "SELECT");
}

// Tests quoted and unquoted values and where each ends.
TEST(GetAttributeTest, Values) {
    EXPECT_EQ(attr("<INPUT type=\"text\" name=\"zip1\">", "type"), "text");
    EXPECT_EQ(attr("<INPUT type=\"text\" name=\"zip1\">", "name"), "zip1");
    EXPECT_EQ(attr("<INPUT name=\"a b>c\" size=4>", "name"), "a b>c");
    EXPECT_EQ(attr("<INPUT name=\"open size=4>", "name"), "");  // no closing quote
    EXPECT_EQ(attr("<INPUT name=tel size=4>", "name"), "tel");
    EXPECT_EQ(attr("<INPUT size=4 name=tel>", "name"), "tel");
    EXPECT_EQ(attr("<INPUT name=tel", "name"), "tel");             // neither space nor ">": to the end
    EXPECT_EQ(attr("<INPUT value='a b' name=q>", "value"), "'a");  // single quotes are no quotes
    EXPECT_EQ(attr("<INPUT name=>", "name"), "");
    EXPECT_EQ(attr("<INPUT name=tel>", "type"), "");
    EXPECT_EQ(attr("<INPUT name=tel>", "nam"), "");
}

// Tests that a match counts only right after a blank of the tag and outside a quoted value.
TEST(GetAttributeTest, MatchesWholeAttributeNamesOnly) {
    EXPECT_EQ(attr("<INPUT data-name=x name=y>", "name"), "y");
    EXPECT_EQ(attr("<INPUT data-name=x>", "name"), "");
    EXPECT_EQ(attr("<INPUT datatype=a type=text>", "type"), "text");
    EXPECT_EQ(attr("<INPUT title=\"your name=x\" name=y>", "name"), "y");
    EXPECT_EQ(attr("<INPUT title=\" name=x\">", "name"), "");
    // Near miss: a tab separates attributes as well as a space.
    EXPECT_EQ(attr("<INPUT\tname=y>", "name"), "y");
    EXPECT_EQ(findAttribute(t16("<INPUT data-name=x name=y>"), u"name"), 20);
    EXPECT_EQ(findAttribute(t16("<INPUT data-name=x>"), u"name"), 0);
    EXPECT_EQ(findAttribute(t16("<INPUT name=x>"), u""), 0);
}

// The attribute search as a plain walk over the tag, character by character: a separator outside
// quotes followed by `name=`. The search under test jumps from occurrence to occurrence instead.
int walkForAttribute(TextView tag, TextView name) {
    bool quoted = false;
    for (std::size_t i = 0; i < tag.size(); ++i) {
        if (tag[i] == u'"') {
            quoted = !quoted;
        } else if (!quoted && (tag[i] == u' ' || tag[i] == u'\t' || tag[i] == u'\n' || tag[i] == u'\r' ||
                               tag[i] == u'\f')) {
            const TextView rest = tag.substr(i + 1);
            if (rest.size() > name.size() && rest.starts_with(name) && rest[name.size()] == u'=')
                return static_cast<int>(i) + 2;
        }
    }
    return 0;
}

// Tests on many generated tags (quotes, blanks, names inside values and inside longer names, a
// tag ending right after the name) that the search finds what a plain walk finds.
TEST(GetAttributeTest, AgreesWithPlainWalkOnGeneratedTags) {
    constexpr TextView kPieces[] = {u" ", u"\t", u"\"", u"name", u"=", u"x", u"data-", u"name=", u"\n", u">"};
    std::uint32_t seed = 12345;
    for (int round = 0; round < 20000; ++round) {
        Text tag = u"<INPUT";
        const int pieces = static_cast<int>(seed % 9);
        for (int i = 0; i < pieces; ++i) {
            seed = seed * 1103515245u + 12345u;
            tag += kPieces[(seed >> 16) % std::size(kPieces)];
        }
        seed = seed * 1103515245u + 12345u;
        ASSERT_EQ(findAttribute(tag, u"name"), walkForAttribute(tag, u"name")) << s8(tag);
    }
}

// Tests which tags count as choice inputs.
TEST(IsChoiceTagTest, SelectCheckboxRadio) {
    EXPECT_TRUE(IsChoiceTag(u"<SELECT name=a>"));
    EXPECT_TRUE(IsChoiceTag(u"<INPUT type=checkbox name=a>"));
    EXPECT_TRUE(IsChoiceTag(u"<INPUT type=\"radio\" name=a>"));
    EXPECT_FALSE(IsChoiceTag(u"<INPUT type=text name=a>"));
    EXPECT_FALSE(IsChoiceTag(u"<TEXTAREA name=a>"));
    EXPECT_FALSE(IsChoiceTag(u"<select name=a>"));  // element names compare exactly
}

}  // namespace
}  // namespace orvex::engine
