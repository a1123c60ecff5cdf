#include "engine/convention_tags.h"

#include <gtest/gtest.h>

#include "engine/convention_tags_table.h"
#include "engine/decision_test_util.h"
#include "engine/html_items.h"

namespace orvex::engine {
namespace {

using namespace decision_testing;
using Names = std::vector<std::string>;

// Runs the reading stages up to the convention stage; `found` receives its answer.
clsHTMLItems conventionRun(std::string_view html, bool& found) {
    clsHTMLItems engine;
    engine.readTokens(u16(html));
    engine.buildBlocks();
    engine.DecideConventionTags(found);
    return engine;
}

// Tests the tag rule: the part before "_", upper-cased, without "kv0" unless a birth year.
TEST(ConventionTagTest, TagOfAName) {
    EXPECT_EQ(u8(ConventionTag(u"kv0name1")), "NAME1");
    EXPECT_EQ(u8(ConventionTag(u"kv0zipcode1")), "ZIPCODE1");
    EXPECT_EQ(u8(ConventionTag(u"kv0tel2_x")), "TEL2");
    EXPECT_EQ(u8(ConventionTag(u"kv0tel1_home_2")), "TEL1");
    EXPECT_EQ(u8(ConventionTag(u"kv0address123")), "ADDRESS123");
    EXPECT_EQ(u8(ConventionTag(u"kv0NAME1")), "NAME1");
    EXPECT_EQ(u8(ConventionTag(u"kv0birthyear12")), "KV0BIRTHYEAR12");
    EXPECT_EQ(u8(ConventionTag(u"kv0birthyear_a")), "KV0BIRTHYEAR");
    // The month and day names are not birth-year names and lose the prefix.
    EXPECT_EQ(u8(ConventionTag(u"kv0birthmonth")), "BIRTHMONTH");
    EXPECT_EQ(u8(ConventionTag(u"kv0")), "");
    EXPECT_EQ(u8(ConventionTag(u"kv0_x")), "");
    EXPECT_EQ(u8(ConventionTag(u"")), "");
}

// Tests that every name of the convention maps to its own upper-cased rest.
TEST(ConventionTagTest, EveryKnownName) {
    for (const TextView name : tables::kKnownConventionNames) {
        const std::string upper = u8(text::toUpper(name));
        const std::string expected = upper.starts_with("KV0BIRTHYEAR") ? upper : upper.substr(3);
        EXPECT_EQ(u8(ConventionTag(name)), expected) << u8(name);
    }
}

// Tests that convention names give entries under their page names and skip the decision.
TEST(DecideConventionTagsTest, MapsNamesAndSkipsDecision) {
    clsHTMLItems engine;
    EXPECT_TRUE(
        engine.InterpretHTMLMain(u"お名前<INPUT type=text name=kv0name1><INPUT type=text name=kv0name2><BR>"
                                 u"郵便番号<INPUT type=text name=kv0zipcode1_a>"));
    EXPECT_EQ(u8(engine.FillingTags), (Names{"kv0name1=NAME1", "kv0name2=NAME2", "kv0zipcode1_a=ZIPCODE1"}));
    for (const auto& list : engine.KindBlocks) EXPECT_FALSE(list);
}

// Tests that a page mentioning kv0 without such names goes on to the decision stage.
TEST(DecideConventionTagsTest, MentionWithoutNames) {
    clsHTMLItems engine;
    engine.InterpretHTMLMain(u"コードkv0を入力<BR>郵便番号<INPUT type=text name=zip>");
    EXPECT_TRUE(engine.HasConventionPrefix);
    EXPECT_TRUE(engine.KindBlocks[kZip]);
}

// Tests that radio buttons (no orgnm) are not collected while a select list is.
TEST(DecideConventionTagsTest, RadioButtonsAreNotCollected) {
    bool found = true;
    clsHTMLItems radios = conventionRun(
        "性別<INPUT type=radio name=kv0sex value=1>男"
        "<INPUT type=radio name=kv0sex value=2>女",
        found);
    EXPECT_FALSE(found);
    EXPECT_TRUE(radios.FillingTags.empty());

    clsHTMLItems list = conventionRun("性別<SELECT name=kv0sex><OPTION>男</OPTION></SELECT>", found);
    EXPECT_TRUE(found);
    EXPECT_EQ(u8(list.FillingTags), Names{"kv0sex=SEX"});
}

// Tests that the prefix is matched in exact case.
TEST(DecideConventionTagsTest, PrefixIsCaseSensitive) {
    bool found = true;
    conventionRun("<INPUT type=text name=KV0NAME> kv0", found);
    EXPECT_FALSE(found);
    clsHTMLItems mixed = conventionRun("<INPUT type=text name=kv0NAME1>", found);
    EXPECT_TRUE(found);
    EXPECT_EQ(u8(mixed.FillingTags), Names{"kv0NAME1=NAME1"});
}

// Tests that a bare "kv0" is collected without an entry: decision skipped, result false.
TEST(DecideConventionTagsTest, BareprefixGivesNoEntry) {
    clsHTMLItems engine;
    EXPECT_FALSE(engine.InterpretHTMLMain(u"郵便番号<INPUT type=text name=kv0>"));
    EXPECT_TRUE(engine.FillingTags.empty());
    EXPECT_FALSE(engine.KindBlocks[kZip]);
    bool found = false;
    conventionRun("郵便番号<INPUT type=text name=kv0>", found);
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace orvex::engine
