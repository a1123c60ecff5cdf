#include <gtest/gtest.h>

#include "engine/decider_test_support.h"
#include "engine/run_error.h"

namespace orvex::engine {
namespace {

using namespace decider_testing;

using Entries = std::vector<std::string>;
using Positions = std::vector<int>;

// Tests the order of the script tests within one block and the fallback to the page flag.
TEST(GetKanaScriptTest, ScriptWords) {
    clsHTMLItems engine = engineWith({
        block({"フリガナ（カタカナ）", box(1)}),
        block({"ふりがな", box(2)}),
        block({"フリガナ（半角カナ）", box(3)}),
        block({"ローマ字（ふりがな）", box(4)}),
        block({"お名前", box(5)}),
    });
    EXPECT_EQ(u8(engine.GetKanaScript({1})), "KATAKANA");
    EXPECT_EQ(u8(engine.GetKanaScript({2})), "HIRAGANA");
    EXPECT_EQ(u8(engine.GetKanaScript({4})), "ROME");
    // A half-width block says nothing; the next block answers.
    EXPECT_EQ(u8(engine.GetKanaScript({3, 2})), "HIRAGANA");
    EXPECT_EQ(u8(engine.GetKanaScript({3, 5})), "");
    engine.boolKatakanaFurigana = true;
    EXPECT_EQ(u8(engine.GetKanaScript({3, 5})), "KATAKANA");
    EXPECT_EQ(u8(engine.GetKanaScript({2})), "HIRAGANA");
    EXPECT_THROW(engine.GetKanaScript({6}), RunError);
}

// Tests a reading block of two boxes labelled in katakana: NAMEKATAKANA1 and 2.
TEST(DecideNameKanaTest, TwoReadingBoxes) {
    clsHTMLItems engine =
        engineWith({block({"お名前", box(1)}), block({"フリガナ（カタカナ）", box(2), box(3)})});
    engine.KindBlocks[kFullName] = Positions{1};
    engine.KindBlocks[kNameKana] = Positions{2};
    EXPECT_TRUE(engine.DecideNameKanaTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt2=NAMEKATAKANA1", "kvnt3=NAMEKATAKANA2"}));
}

// Tests that a half-width label leaves the script to the page flag, and to hiragana without it.
TEST(DecideNameKanaTest, HalfWidthLabel) {
    clsHTMLItems engine = engineWith({block({"お名前", box(1)}), block({"半角カナ", box(2)})});
    engine.KindBlocks[kFullName] = Positions{1};
    engine.KindBlocks[kNameKana] = Positions{2};
    EXPECT_TRUE(engine.DecideNameKanaTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt2=NAMEHIRAGANA"}));

    engine.FillingTags.clear();
    engine.boolKatakanaFurigana = true;
    EXPECT_TRUE(engine.DecideNameKanaTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt2=NAMEKATAKANA"}));
}

// Tests that a lone reading block holding kanji and reading boxes fills both (split case), and
// that with a full-name block the same block is all reading.
TEST(DecideNameKanaTest, LoneBlockSplit) {
    clsHTMLItems engine = engineWith({block({"氏名", box(1), box(2), "フリガナ", box(3), box(4)})});
    engine.KindBlocks[kNameKana] = Positions{1};
    EXPECT_TRUE(engine.DecideNameKanaTags());
    EXPECT_EQ(entries(engine),
              Entries({"kvnt1=NAME1", "kvnt2=NAME2", "kvnt3=NAMEKATAKANA1", "kvnt4=NAMEKATAKANA2"}));

    clsHTMLItems reversed = engineWith({block({"フリガナ", box(1), "漢字", box(2)})});
    reversed.KindBlocks[kNameKana] = Positions{1};
    EXPECT_TRUE(reversed.DecideNameKanaTags());
    EXPECT_EQ(entries(reversed), Entries({"kvnt1=NAMEKATAKANA", "kvnt2=NAME"}));

    clsHTMLItems withName =
        engineWith({block({"フリガナ", box(1), "漢字", box(2)}), block({"氏名", box(3)})});
    withName.KindBlocks[kNameKana] = Positions{1};
    withName.KindBlocks[kFullName] = Positions{2};
    EXPECT_TRUE(withName.DecideNameKanaTags());
    EXPECT_EQ(entries(withName), Entries({"kvnt1=NAMEKATAKANA1", "kvnt2=NAMEKATAKANA2"}));
}

// Tests that an empty full-name list counts as absent for the split case, and that a split
// that does not happen falls back to the plain reading rule.
TEST(DecideNameKanaTest, SplitFallbacks) {
    clsHTMLItems engine = engineWith({block({"ふりがな", box(1), box(2), "カナ", box(3), box(4)})});
    engine.KindBlocks[kNameKana] = Positions{1};
    engine.KindBlocks[kFullName] = Positions{};
    EXPECT_TRUE(engine.DecideNameKanaTags());
    // "カナ" splits after two boxes: (0, 1, 2, 2); the script is hiragana from "ふりがな".
    EXPECT_EQ(entries(engine),
              Entries({"kvnt1=NAME1", "kvnt2=NAME2", "kvnt3=NAMEHIRAGANA1", "kvnt4=NAMEHIRAGANA2"}));

    // A label before both boxes splits nothing: the two-box reading rule.
    clsHTMLItems noSplit = engineWith({block({"フリガナ", box(1), box(2)})});
    noSplit.KindBlocks[kNameKana] = Positions{1};
    EXPECT_TRUE(noSplit.DecideNameKanaTags());
    EXPECT_EQ(entries(noSplit), Entries({"kvnt1=NAMEKATAKANA1", "kvnt2=NAMEKATAKANA2"}));
}

// Tests that three name inputs give nothing in either name decider.
TEST(DecideNameKanaTest, ThreeInputsNothing) {
    clsHTMLItems engine =
        engineWith({block({"氏名", box(1), box(2), box(3)}), block({"ふりがな", box(4), box(5), box(6)})});
    engine.KindBlocks[kFullName] = Positions{1};
    engine.KindBlocks[kNameKana] = Positions{2};
    EXPECT_FALSE(engine.DecideNameKanaTags());
    EXPECT_FALSE(engine.DecideFullNameTags());
    EXPECT_TRUE(engine.FillingTags.empty());
}

// Tests a full-name block with one, two and four boxes.
TEST(DecideFullNameTest, BoxCounts) {
    clsHTMLItems one = engineWith({block({"氏名", box(1)})});
    one.KindBlocks[kFullName] = Positions{1};
    EXPECT_TRUE(one.DecideFullNameTags());
    EXPECT_EQ(entries(one), Entries({"kvnt1=NAME"}));

    clsHTMLItems two = engineWith({block({"氏名", "姓", box(1), "名", box(2)})});
    two.KindBlocks[kFullName] = Positions{1};
    EXPECT_TRUE(two.DecideFullNameTags());
    EXPECT_EQ(entries(two), Entries({"kvnt1=NAME1", "kvnt2=NAME2"}));

    clsHTMLItems four = engineWith({block({"お名前", box(1), box(2), "フリガナ", box(3), box(4)})});
    four.KindBlocks[kFullName] = Positions{1};
    EXPECT_TRUE(four.DecideFullNameTags());
    EXPECT_EQ(entries(four),
              Entries({"kvnt1=NAME1", "kvnt2=NAME2", "kvnt3=NAMEKATAKANA1", "kvnt4=NAMEKATAKANA2"}));
}

// Tests that a reading label between two boxes gives the name and its reading.
TEST(DecideFullNameTest, LabelBetweenTwoBoxes) {
    clsHTMLItems engine = engineWith({block({"氏名", box(1), "ふりがな", box(2)})});
    engine.KindBlocks[kFullName] = Positions{1};
    EXPECT_TRUE(engine.DecideFullNameTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=NAME", "kvnt2=NAMEHIRAGANA"}));
}

// Tests the fallback tags when the block walk fails or there are several blocks.
TEST(DecideFullNameTest, Fallbacks) {
    // A select before the boxes makes the walk read past the names.
    clsHTMLItems walkFails = engineWith({block({"氏名", list(9), "ふりがな", box(1), box(2)})});
    walkFails.KindBlocks[kFullName] = Positions{1};
    EXPECT_TRUE(walkFails.DecideFullNameTags());
    EXPECT_EQ(entries(walkFails), Entries({"kvnt1=NAME1", "kvnt2=NAME2"}));

    clsHTMLItems twoBlocks = engineWith({block({"姓", box(1), box(2)}), block({"ローマ字", box(3), box(4)})});
    twoBlocks.KindBlocks[kFullName] = Positions{1, 2};
    EXPECT_TRUE(twoBlocks.DecideFullNameTags());
    EXPECT_EQ(entries(twoBlocks),
              Entries({"kvnt1=NAME1", "kvnt2=NAME2", "kvnt3=NAMEROME1", "kvnt4=NAMEROME2"}));
}

// Tests that the full-name script falls back to the reading list and then to hiragana.
TEST(DecideFullNameTest, ScriptFromReadingList) {
    clsHTMLItems engine =
        engineWith({block({"氏名", box(1), box(2), box(3), box(4)}), block({"カタカナ", box(5)})});
    engine.KindBlocks[kFullName] = Positions{1};
    engine.KindBlocks[kNameKana] = Positions{2};
    EXPECT_TRUE(engine.DecideFullNameTags());
    EXPECT_EQ(entries(engine),
              Entries({"kvnt1=NAME1", "kvnt2=NAME2", "kvnt3=NAMEKATAKANA1", "kvnt4=NAMEKATAKANA2"}));

    clsHTMLItems alone = engineWith({block({"氏名", box(1)}), block({"姓", box(2), box(3), box(4), box(5)})});
    alone.KindBlocks[kFullName] = Positions{1, 2};
    alone.KindBlocks[kNameKana] = Positions{};
    EXPECT_FALSE(alone.DecideFullNameTags());  // five inputs
    alone.KindBlocks[kFullName] = Positions{2};
    EXPECT_TRUE(alone.DecideFullNameTags());
    EXPECT_EQ(entries(alone),
              Entries({"kvnt2=NAME1", "kvnt3=NAME2", "kvnt4=NAMEHIRAGANA1", "kvnt5=NAMEHIRAGANA2"}));
}

// Tests that a pen-name block with two inputs gives HANDLENAME to the first only.
TEST(DecideHandleNameTest, FirstInputOnly) {
    clsHTMLItems engine = engineWith({block({"ペンネーム", box(1), box(2)})});
    engine.KindBlocks[kHandleName] = Positions{1};
    EXPECT_TRUE(engine.DecideHandleNameTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=HANDLENAME"}));

    clsHTMLItems choices = engineWith({block({"ペンネーム", list(1)})});
    choices.KindBlocks[kHandleName] = Positions{1};
    EXPECT_FALSE(choices.DecideHandleNameTags());
}

}  // namespace
}  // namespace orvex::engine
