#include <gtest/gtest.h>

#include "engine/html_items.h"
#include "engine/test_support.h"

namespace orvex::engine {
namespace {

using testing::s8;
using testing::t16;

std::vector<std::string> swept(const std::vector<std::string>& tokens) {
    clsHTMLItems engine;
    engine.setTokens(t16(tokens));
    engine.Sweep();
    return s8(engine.tokens());
}

std::vector<std::vector<std::string>> blockTokens(const clsHTMLItems& engine) {
    std::vector<std::vector<std::string>> out;
    for (const clsHTMLItemBlock& block : engine.Blocks) out.push_back(s8(block.colToken));
    return out;
}

clsHTMLItems madeBlocks(const std::vector<std::string>& tokens) {
    clsHTMLItems engine;
    engine.setTokens(t16(tokens));
    engine.MakeBlocks();
    return engine;
}

clsHTMLItemBlock makeBlock(const std::vector<std::string>& tokens) {
    clsHTMLItemBlock block;
    for (const std::string& token : tokens) block.AddToken(t16(token));
    return block;
}

using Lines = std::vector<std::vector<std::string>>;

// Tests that runs of line ends collapse, texts join, and "$CR$" sticks to the text before it.
TEST(SweepTest, TidiesTokenList) {
    EXPECT_EQ(swept({"お名前", "<BR>", "<BR>", "<BR>", "<INPUT name=a>"}),
              (std::vector<std::string>{"<BR>", "お名前", "<BR>", "<INPUT name=a>"}));
    EXPECT_EQ(swept({"郵便", "番号"}), (std::vector<std::string>{"<BR>", "郵便番号"}));
    EXPECT_EQ(swept({"$CR$", "氏名", "$CR$", "$CR$", "<INPUT name=nm>", "$CR$", "<BR>"}),
              (std::vector<std::string>{"<BR>", "$CR$", "氏名$CR$$CR$", "<INPUT name=nm>", "$CR$"}));
    // Near miss: a text after a soft line end starts a new token.
    EXPECT_EQ(swept({"a", "$CR$", "b", "c"}), (std::vector<std::string>{"<BR>", "a$CR$", "bc"}));
    EXPECT_EQ(swept({}), (std::vector<std::string>{}));
}

// Tests that a "$CR$" made by joining two texts keeps the next text apart.
TEST(SweepTest, SoftLineEndMadeByJoin) {
    EXPECT_EQ(swept({"a$C", "R$", "b"}), (std::vector<std::string>{"<BR>", "a$CR$", "b"}));
    EXPECT_EQ(swept({"a$C", "x", "b"}), (std::vector<std::string>{"<BR>", "a$Cxb"}));
}

// Tests cutting at line ends and absolute separators, and joining a label to its input.
TEST(MakeBlocksTest, CutsAndJoinsLines) {
    clsHTMLItems engine = madeBlocks({"お名前", "<BR>", "<BR>", "<BR>", "<INPUT type=text name=kvnt1>"});
    EXPECT_EQ(blockTokens(engine), (Lines{{"お名前", "<INPUT type=text name=kvnt1>"}}));

    clsHTMLItems row = madeBlocks({"$CR$", "氏名", "$CR$", "$CR$", "<INPUT name=kvnt1>", "$CR$", "<BR>"});
    EXPECT_EQ(blockTokens(row), (Lines{{"$CR$", "氏名$CR$$CR$", "<INPUT name=kvnt1>", "$CR$"}}));

    // A table between a label and its input keeps them apart.
    clsHTMLItems table = madeBlocks({"お名前", "<ABSSEP>", "<INPUT type=text name=kvnt1>"});
    ASSERT_EQ(table.Blocks.size(), 2u);
    EXPECT_TRUE(table.Blocks[0].AbsoluteSeparater);
    EXPECT_EQ(blockTokens(table), (Lines{{"お名前"}, {"<INPUT type=text name=kvnt1>"}}));
}

// Tests that meaningless blocks and a last block without inputs are dropped.
TEST(MakeBlocksTest, DropsEmptyAndTrailingTextBlocks) {
    clsHTMLItems engine = madeBlocks({"<INPUT name=kvnt1>", "<BR>", "$CR$", "<ABSSEP>", "<INPUT name=kvnt2>",
                                      "<BR>", "ご協力ありがとうございました"});
    EXPECT_EQ(blockTokens(engine), (Lines{{"<INPUT name=kvnt1>"}, {"<INPUT name=kvnt2>"}}));
    EXPECT_TRUE(madeBlocks({}).Blocks.empty());
    EXPECT_TRUE(madeBlocks({"text only"}).Blocks.empty());
}

// Tests that the rows of one radio group merge while inputs with generated names do not.
TEST(SweepBlockTest, MergesRadioRowsOnly) {
    clsHTMLItems radios = madeBlocks(
        {"性別", "<BR>", "<INPUT type=radio name=sex>", "男", "<BR>", "<INPUT type=radio name=sex>", "女"});
    EXPECT_EQ(blockTokens(radios),
              (Lines{{"性別", "<INPUT type=radio name=sex>", "男", "<INPUT type=radio name=sex>", "女"}}));
    clsHTMLItems texts = madeBlocks({"<INPUT type=text name=kvnt1>", "<BR>", "<INPUT type=text name=kvnt2>"});
    EXPECT_EQ(texts.Blocks.size(), 2u);
    // Two unnamed inputs compare equal by their empty names and merge.
    clsHTMLItems unnamed = madeBlocks({"<INPUT type=text>", "<BR>", "<INPUT type=text>"});
    EXPECT_EQ(unnamed.Blocks.size(), 1u);
}

// Tests the cut before a second radio group, at the group or after the last soft line end.
TEST(DivideTest, SecondRadioGroup) {
    clsHTMLItemBlock row = makeBlock({"<INPUT type=radio name=a>", "x", "<INPUT type=radio name=b>"});
    EXPECT_EQ(row.GetDifferentRadio(), 3);
    clsHTMLItemBlock cells = makeBlock({"<INPUT type=radio name=a>", "x$CR$", "label",
                                        "<INPUT type=radio name=a>", "<INPUT type=radio name=b>"});
    EXPECT_EQ(cells.GetDifferentRadio(), 3);
    std::optional<clsHTMLItemBlock> tail = cells.Divide();
    ASSERT_TRUE(tail);
    EXPECT_EQ(s8(tail->colToken),
              (std::vector<std::string>{"label", "<INPUT type=radio name=a>", "<INPUT type=radio name=b>"}));
    EXPECT_EQ(cells.colToken.size(), 2u);
    // Near miss: one group only.
    EXPECT_EQ(makeBlock({"<INPUT type=radio name=a>", "<INPUT type=radio name=a>"}).GetDifferentRadio(), 0);
}

// Tests the cut before an input of another type, and that equal types stay together.
TEST(DivideTest, DifferentTypeOfInput) {
    clsHTMLItemBlock mixed = makeBlock({"<INPUT type=text name=kvnt1>", "<INPUT type=radio name=r>"});
    EXPECT_EQ(mixed.GetDifferentTypeTag(), 2);
    clsHTMLItemBlock same = makeBlock({"<INPUT type=text name=kvnt1>", "-", "<INPUT type=text name=kvnt2>"});
    EXPECT_EQ(same.GetDifferentTypeTag(), 0);
    EXPECT_FALSE(same.Divide());
    EXPECT_FALSE(makeBlock({"only text"}).Divide());
}

// Tests that an address input beside a prefecture list gets its own "住所" label.
TEST(DivideTest, AddressAfterPrefectureList) {
    clsHTMLItems engine =
        madeBlocks({"住所", "<SELECT name=kvnt1 special=pref>", "<INPUT name=kvnt2>", "<BR>"});
    EXPECT_EQ(blockTokens(engine),
              (Lines{{"住所", "<SELECT name=kvnt1 special=pref>"}, {"住所", "<INPUT name=kvnt2>"}}));
    // Near miss: a second prefecture-marked tag is no address input.
    clsHTMLItemBlock two = makeBlock({"<SELECT name=a special=pref>", "<SELECT name=b special=pref>"});
    EXPECT_EQ(two.GetDifferentTypeTag(), 0);
}

// Tests that Divide20 cuts before the label of the second field.
TEST(Divide20Test, CutsBeforeSecondFieldLabel) {
    clsHTMLItemBlock block =
        makeBlock({"郵便番号", "<INPUT orgnm=zip name=kvnt1>", "電話", "<INPUT orgnm=tel name=kvnt2>"});
    block.Check();
    std::optional<clsHTMLItemBlock> tail = block.Divide20();
    ASSERT_TRUE(tail);
    EXPECT_EQ(s8(tail->colToken), (std::vector<std::string>{"電話", "<INPUT orgnm=tel name=kvnt2>"}));
    EXPECT_EQ(block.colToken.size(), 2u);
    EXPECT_EQ(tail->GetCheckAnd(kTel), 2);  // both parts are scored again
    EXPECT_EQ(block.GetCheckAnd(kTel), 0);
    // Near miss: one field kind only.
    clsHTMLItemBlock single =
        makeBlock({"電話", "<INPUT orgnm=tel1 name=kvnt1>", "<INPUT orgnm=tel2 name=kvnt2>"});
    single.Check();
    EXPECT_FALSE(single.Divide20());
}

// Tests that a trailing label moves to the next line's input when both point to one kind.
TEST(AdjustTest, MovesTrailingLabel) {
    clsHTMLItemBlock first = makeBlock({"<INPUT orgnm=nm name=kvnt1>", "電話番号"});
    clsHTMLItemBlock second = makeBlock({"<INPUT orgnm=tel name=kvnt2>"});
    first.Adjust(second);
    EXPECT_EQ(s8(first.colToken), (std::vector<std::string>{"<INPUT orgnm=nm name=kvnt1>"}));
    EXPECT_EQ(s8(second.colToken), (std::vector<std::string>{"電話番号", "<INPUT orgnm=tel name=kvnt2>"}));

    // The moved label is the lower-cased working copy.
    clsHTMLItemBlock upper = makeBlock({"<INPUT name=kvnt1>", "TEL"});
    clsHTMLItemBlock telInput = makeBlock({"<INPUT orgnm=tel name=kvnt2>"});
    upper.Adjust(telInput);
    EXPECT_EQ(s8(telInput.colToken[0]), "tel");

    // Near misses: other kind, or an absolute separator between.
    clsHTMLItemBlock zipLabel = makeBlock({"<INPUT name=kvnt1>", "郵便番号"});
    clsHTMLItemBlock tel = makeBlock({"<INPUT orgnm=tel name=kvnt2>"});
    zipLabel.Adjust(tel);
    EXPECT_EQ(zipLabel.colToken.size(), 2u);
    clsHTMLItemBlock closed = makeBlock({"<INPUT name=kvnt1>", "電話"});
    closed.AbsoluteSeparater = true;
    closed.Adjust(tel);
    EXPECT_EQ(closed.colToken.size(), 2u);
}

// Tests that Adjust2 splits a block whose labels point to two kinds.
TEST(Adjust2Test, CutsBeforeLabelOfOtherKind) {
    clsHTMLItemBlock block = makeBlock({"郵便番号", "<INPUT name=kvnt1>", "電話", "<INPUT name=kvnt2>"});
    block.Check();
    std::optional<clsHTMLItemBlock> tail = block.Adjust2();
    ASSERT_TRUE(tail);
    EXPECT_EQ(s8(tail->colToken), (std::vector<std::string>{"電話", "<INPUT name=kvnt2>"}));
    EXPECT_TRUE(block.HasTag);
    EXPECT_FALSE(block.HasText);  // the first label does not count

    // Address labels count as one kind.
    clsHTMLItemBlock address =
        makeBlock({"都道府県", "<INPUT name=kvnt1>", "市区町村", "<INPUT name=kvnt2>"});
    address.Check();
    EXPECT_FALSE(address.Adjust2());
}

// Tests that a first label without kinds is still a reference: a later label with kinds cuts.
TEST(Adjust2Test, EmptyFirstKindListCuts) {
    clsHTMLItemBlock block = makeBlock({"$CR$", "氏名$CR$", "<INPUT name=kvnt1>"});
    block.Check();
    std::optional<clsHTMLItemBlock> tail = block.Adjust2();
    ASSERT_TRUE(tail);
    EXPECT_EQ(s8(block.colToken), (std::vector<std::string>{"$CR$"}));
    // Near miss: without any keyword the block is left whole.
    clsHTMLItemBlock plain = makeBlock({"$CR$", "備考$CR$", "<INPUT name=kvnt1>"});
    plain.Check();
    EXPECT_FALSE(plain.Adjust2());
}

}  // namespace
}  // namespace orvex::engine
