#include "engine/html_item_block.h"

#include <gtest/gtest.h>

#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

clsHTMLItemBlock makeBlock(const std::vector<std::string>& tokens) {
    clsHTMLItemBlock block;
    for (const std::string& token : tokens) block.AddToken(t16(token));
    return block;
}

// Tests that text tokens lose their blanks and set HasText, tags stay and set HasTag.
TEST(HtmlItemBlockTest, AddTokenAndAllText) {
    clsHTMLItemBlock block = makeBlock({"お 名前　（全角）"});
    EXPECT_TRUE(block.HasText);
    EXPECT_FALSE(block.HasTag);
    EXPECT_EQ(s8(block.colToken[0]), "お名前（全角）");

    clsHTMLItemBlock zip = makeBlock({"郵便", "<INPUT name=kvnt1>", "番号$CR$"});
    EXPECT_TRUE(zip.HasTag);
    EXPECT_EQ(s8(zip.colToken[1]), "<INPUT name=kvnt1>");
    EXPECT_EQ(s8(zip.GetAllText()), "郵便番号$CR$");

    clsHTMLItemBlock copy;
    copy.CatBlock(zip);
    EXPECT_EQ(copy.colToken.size(), 3u);
    EXPECT_TRUE(copy.HasTag && copy.HasText);
    EXPECT_EQ(zip.colToken.size(), 3u);
}

// Tests that only blocks of soft line ends and spaces are meaningless.
TEST(HtmlItemBlockTest, IsMeaningless) {
    EXPECT_TRUE(clsHTMLItemBlock().IsMeaningless());
    EXPECT_TRUE(makeBlock({"$CR$", "$CR$$CR$"}).IsMeaningless());
    clsHTMLItemBlock spaces;
    spaces.colToken.push_back(u"  ");  // stored as is (AddToken would strip it)
    EXPECT_TRUE(spaces.IsMeaningless());
    EXPECT_FALSE(makeBlock({"$CR$", "<INPUT type=text>"}).IsMeaningless());
    EXPECT_FALSE(makeBlock({"$CR$x"}).IsMeaningless());
}

// Tests CollectTags with and without choice inputs.
TEST(HtmlItemBlockTest, CollectTags) {
    clsHTMLItemBlock block = makeBlock({"<INPUT type=text orgnm=a name=kvnt3>", "男",
                                        "<INPUT type=radio name=sex>", "<SELECT orgnm=p name=kvnt4>"});
    std::vector<Text> names;
    block.CollectTags(names, false);
    EXPECT_EQ(s8(names), (std::vector<std::string>{"kvnt3"}));
    names.clear();
    block.CollectTags(names, true);
    EXPECT_EQ(s8(names), (std::vector<std::string>{"kvnt3", "sex", "kvnt4"}));
}

// Tests GetFirstTagType, HasSpecial, GetSpecial and SearchString.
TEST(HtmlItemBlockTest, TagQueries) {
    Text tagName = u"keep", typeName = u"keep";
    EXPECT_FALSE(makeBlock({"label"}).GetFirstTagType(tagName, typeName));
    EXPECT_EQ(s8(tagName), "keep");
    EXPECT_EQ(s8(typeName), "keep");

    clsHTMLItemBlock block =
        makeBlock({"都道府県$CR$", "<SELECT name=kvnt1 special=pref>", "<INPUT type=text name=kvnt2>"});
    ASSERT_TRUE(block.GetFirstTagType(tagName, typeName));
    EXPECT_EQ(s8(tagName), "SELECT");
    EXPECT_EQ(s8(typeName), "");
    EXPECT_TRUE(block.HasSpecial(u"pref"));
    EXPECT_TRUE(block.HasSpecial(u""));
    EXPECT_FALSE(block.HasSpecial(u"age"));
    EXPECT_EQ(s8(block.GetSpecial(u"")), "<SELECT name=kvnt1 special=pref>");
    EXPECT_EQ(s8(block.GetSpecial(u"age")), "");
    EXPECT_FALSE(makeBlock({"<INPUT name=a>"}).HasSpecial(u""));

    EXPECT_TRUE(block.SearchString(u"x", u"県"));
    EXPECT_TRUE(makeBlock({"電$CR$話"}).SearchString(u"電話"));  // "$CR$" removed first
    EXPECT_FALSE(block.SearchString(u"x", u"", u"県"));          // an empty keyword ends the list
    EXPECT_FALSE(block.SearchString(u"SELECT"));                 // tags are not searched
}

// Tests the scores of a telephone line with agreeing and disagreeing input names.
TEST(HtmlItemBlockCheckTest, AndScoreNeedsLabelAndName) {
    for (const auto& [tag, expected] :
         std::vector<std::pair<std::string, int>>{{"<INPUT orgnm=tel1 name=kvnt1>", 2},
                                                  {"<INPUT orgnm=phone_no name=kvnt1>", 2},
                                                  {"<INPUT orgnm=q5 name=kvnt1>", 0}}) {
        clsHTMLItemBlock block = makeBlock({"電話番号", tag});
        block.Check();
        EXPECT_EQ(block.GetCheckAnd(kTel), expected) << tag;
        EXPECT_EQ(block.GetCheckKeyword(kTel), 2);
    }
}

// Tests per-token kind lists, the shared birth score and choice inputs.
TEST(HtmlItemBlockCheckTest, KindListsAndChoiceInputs) {
    clsHTMLItemBlock zip = makeBlock({"郵便番号", "<INPUT orgnm=zip1 name=kvnt1>", "-"});
    zip.Check();
    ASSERT_EQ(zip.colDecidedTypes.size(), 3u);
    EXPECT_EQ(zip.colDecidedTypes[0], (KindList{kZip}));
    EXPECT_EQ(zip.colDecidedTypes[1], (KindList{kZip}));
    EXPECT_TRUE(zip.colDecidedTypes[2].empty());
    EXPECT_EQ(zip.GetCheckName(kZip), 1);

    clsHTMLItemBlock birth = makeBlock({"生年月日", "<SELECT orgnm=birth_y name=kvnt2>"});
    birth.Check();
    for (int kind = kBirthDate; kind <= kBirthDay; ++kind) {
        EXPECT_EQ(birth.GetCheckKeyword(kind), 2) << kind;
        EXPECT_GE(birth.GetCheckName(kind), 1) << kind;
    }

    clsHTMLItemBlock job = makeBlock({"<SELECT orgnm=job_type name=kvnt3>"});
    job.Check();
    EXPECT_EQ(job.GetCheckName(kJob), 1);
    clsHTMLItemBlock tel = makeBlock({"<SELECT orgnm=tel name=kvnt4>"});
    tel.Check();
    EXPECT_EQ(tel.GetCheckName(kTel), 0);  // a choice input cannot be a telephone
    clsHTMLItemBlock sex = makeBlock({"<INPUT type=radio name=sex>"});
    sex.Check();
    EXPECT_EQ(sex.GetCheckName(kSex), 0);  // radio buttons carry no page name to score
}

// Tests that an anti-keyword empties both accessors and the and-score.
TEST(HtmlItemBlockCheckTest, QuizBlocksScoreNothing) {
    clsHTMLItemBlock quiz = makeBlock({"クイズの答え（電話）", "<INPUT orgnm=tel name=kvnt1>"});
    quiz.Check();
    EXPECT_EQ(quiz.keywordScore(kTel), 2);
    EXPECT_EQ(quiz.GetCheckKeyword(kTel), 0);
    EXPECT_EQ(quiz.GetCheckName(kTel), 0);
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) EXPECT_EQ(quiz.GetCheckAnd(kind), 0);
    // Near miss: without the quiz words the same block agrees.
    clsHTMLItemBlock plain = makeBlock({"（電話）", "<INPUT orgnm=tel name=kvnt1>"});
    plain.Check();
    EXPECT_EQ(plain.GetCheckAnd(kTel), 2);
}

// Tests the setters and the accessors' handling of kinds outside 1..18.
TEST(HtmlItemBlockCheckTest, AccessorsIgnoreBadKinds) {
    clsHTMLItemBlock block = makeBlock({"x"});
    block.Check();
    block.SetCheckName(kCity);
    block.SetCheckKeyword(kCity);
    EXPECT_EQ(block.GetCheckName(kCity), 1);
    EXPECT_EQ(block.GetCheckKeyword(kCity), 1);
    block.SetCheckName(0);
    block.SetCheckKeyword(19);
    EXPECT_EQ(block.GetCheckName(0), 0);
    EXPECT_EQ(block.GetCheckKeyword(19), 0);
    EXPECT_EQ(block.GetCheckAnd(-1), 0);
}

// Tests KindOfToken and IsMultiple.
TEST(HtmlItemBlockCheckTest, KindOfTokenAndIsMultiple) {
    EXPECT_EQ(clsHTMLItemBlock::KindOfToken(u"<INPUT orgnm=zip1 name=kvnt1>"), kZip);
    EXPECT_EQ(clsHTMLItemBlock::KindOfToken(u"<SELECT orgnm=tel name=kvnt1>"), kTel);  // no choice filter
    EXPECT_EQ(clsHTMLItemBlock::KindOfToken(u"<INPUT name=kvnt1>"), -1);
    EXPECT_EQ(clsHTMLItemBlock::KindOfToken(t16("電話")), kTel);
    EXPECT_EQ(clsHTMLItemBlock::KindOfToken(t16("備考")), -1);

    clsHTMLItemBlock two =
        makeBlock({"郵便番号", "<INPUT orgnm=zip name=kvnt1>", "電話", "<INPUT orgnm=tel name=kvnt2>"});
    two.Check();
    EXPECT_TRUE(two.IsMultiple());
    clsHTMLItemBlock one =
        makeBlock({"郵便番号", "<INPUT orgnm=zip name=kvnt1>", "<INPUT orgnm=tel name=kvnt2>"});
    one.Check();
    EXPECT_FALSE(one.IsMultiple());
}

}  // namespace
}  // namespace orvex::engine
