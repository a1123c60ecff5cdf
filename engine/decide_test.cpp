#include <gtest/gtest.h>

#include "engine/decision_test_util.h"
#include "engine/html_items.h"

namespace orvex::engine {
namespace {

using namespace decision_testing;
using Positions = std::vector<int>;

clsHTMLItemBlock zipBlock(int n) {
    return makeBlock({"郵便番号", "<INPUT type=text orgnm=zip name=kvnt" + std::to_string(n) + ">"});
}

clsHTMLItemBlock sexBlock(int n) {
    return makeBlock({"性別", "<SELECT orgnm=sex name=kvnt" + std::to_string(n) + ">"});
}

// Tests that runs of consecutive positions are counted, a lone position being one run.
TEST(CandidateRuleTest, CountRuns) {
    EXPECT_EQ(clsHTMLItems::CountRuns({}), 0);
    EXPECT_EQ(clsHTMLItems::CountRuns({5}), 1);
    EXPECT_EQ(clsHTMLItems::CountRuns({1, 2, 3}), 1);
    EXPECT_EQ(clsHTMLItems::CountRuns({1, 3, 4, 7}), 3);
}

// Tests that the run nearest to the centre wins, the earlier one on a tie, the first at centre 0.
TEST(CandidateRuleTest, SelectNearestRun) {
    clsHTMLItems engine;
    engine.DecidedCenter = 6;
    EXPECT_EQ(engine.SelectNearestRun({3, 20}, kZip), Positions{3});  // distances 3 and 14
    EXPECT_EQ(engine.SelectNearestRun({2, 10}, kZip), Positions{2});  // 4 and 4: earlier wins
    EXPECT_EQ(engine.SelectNearestRun({3, 8}, kZip), Positions{8});   // 3 and 2: the later is nearer
    engine.DecidedCenter = 8;
    // Middles (2 + 4) \ 2 = 3 and (9 + 10) \ 2 = 9: the second run is nearer.
    EXPECT_EQ(engine.SelectNearestRun({2, 3, 4, 9, 10}, kZip), (Positions{9, 10}));
    engine.DecidedCenter = 0;
    EXPECT_EQ(engine.SelectNearestRun({9, 10, 20}, kZip), (Positions{9, 10}));
    EXPECT_TRUE(engine.SelectNearestRun({}, kZip).empty());
}

// Tests that MarkDecided records the kind and the truncated centre, and returns its input.
TEST(CandidateRuleTest, MarkDecidedMovesTheCentre) {
    clsHTMLItems engine = engineWith({fillerBlock(1), fillerBlock(2), fillerBlock(3)});
    EXPECT_EQ(engine.MarkDecided({1, 2}, kTel), (Positions{1, 2}));
    EXPECT_EQ(engine.DecidedCenter, 1);  // 3 \ 2
    EXPECT_EQ(decidedAt(engine, 1), KindList{kTel});
    EXPECT_EQ(decidedAt(engine, 3), KindList{});
    // A position outside the blocks still counts toward the centre.
    engine.MarkDecided({9}, kFax);
    EXPECT_EQ(engine.DecidedCount, 3);
    EXPECT_EQ(engine.DecidedSum, 12);
    EXPECT_EQ(engine.DecidedCenter, 4);
}

// Tests that a single candidate is decided even while nothing else is (centre 0).
TEST(DecideTest, SingleCandidateWithoutCentre) {
    clsHTMLItems engine = engineWith({fillerBlock(1), zipBlock(2), fillerBlock(3)});
    engine.Decide();
    ASSERT_TRUE(engine.KindBlocks[kZip]);
    EXPECT_EQ(*engine.KindBlocks[kZip], Positions{2});
    EXPECT_EQ(decidedAt(engine, 2), KindList{kZip});
    EXPECT_EQ(engine.DecidedCenter, 2);
    EXPECT_FALSE(engine.KindBlocks[kTel]);
    EXPECT_EQ(decidedAt(engine, 1), KindList{});
}

// Tests that an ambiguous kind goes to the run nearest to the fields already placed.
TEST(DecideTest, AmbiguousKindGoesNearTheCentre) {
    // Sex blocks at 4..8 come first in the order (centre 30 \ 5 = 6); zip candidates at 3 and 20.
    std::vector<clsHTMLItemBlock> blocks;
    for (int i = 1; i <= 20; ++i) {
        if (i == 3 || i == 20)
            blocks.push_back(zipBlock(i));
        else if (i >= 4 && i <= 8)
            blocks.push_back(sexBlock(i));
        else
            blocks.push_back(fillerBlock(i));
    }
    clsHTMLItems engine = engineWith(blocks);
    engine.Decide();
    ASSERT_TRUE(engine.KindBlocks[kSex]);
    EXPECT_EQ(*engine.KindBlocks[kSex], (Positions{4, 5, 6, 7, 8}));
    ASSERT_TRUE(engine.KindBlocks[kZip]);
    EXPECT_EQ(*engine.KindBlocks[kZip], Positions{3});
    EXPECT_EQ(decidedAt(engine, 20), KindList{});

    // Without the sex blocks the centre is 0 when zip is decided: the first run wins as well,
    // and a zip block at 19 joins the run of 20.
    std::vector<clsHTMLItemBlock> plain;
    for (int i = 1; i <= 20; ++i) plain.push_back(i == 3 || i >= 19 ? zipBlock(i) : fillerBlock(i));
    clsHTMLItems first = engineWith(plain);
    first.Decide();
    ASSERT_TRUE(first.KindBlocks[kZip]);
    EXPECT_EQ(*first.KindBlocks[kZip], Positions{3});
}

// Tests that the first pass gives one block several kinds while the second pass would not.
TEST(DecideTest, FirstPassGivesSeveralKinds) {
    // And-score 2 for Sex ("性別" + name sex) and 1 for Job ("職" + name job).
    clsHTMLItems both = engineWith({makeBlock({"性別・職業", "<SELECT orgnm=sex_job name=kvnt1>"})});
    ASSERT_EQ(both.Blocks[0].GetCheckAnd(kSex), 2);
    ASSERT_EQ(both.Blocks[0].GetCheckAnd(kJob), 1);
    both.Decide();
    EXPECT_EQ(decidedAt(both, 1), (KindList{kSex, kJob}));

    // Without the job name the job kind only has the label: the second pass finds the block
    // already taken by Sex.
    clsHTMLItems sexOnly = engineWith({makeBlock({"性別・職業", "<SELECT orgnm=sex name=kvnt1>"})});
    sexOnly.Decide();
    EXPECT_EQ(decidedAt(sexOnly, 1), KindList{kSex});
    EXPECT_FALSE(sexOnly.KindBlocks[kJob]);
}

// Tests that the first pass skips blocks with a marked list.
TEST(DecideTest, FirstPassSkipsMarkedLists) {
    clsHTMLItems marked = engineWith({makeBlock({"年齢", "<SELECT orgnm=age name=kvnt1 special=age>"})});
    ASSERT_EQ(marked.Blocks[0].GetCheckAnd(kAge), 1);
    EXPECT_FALSE(marked.DecideByAnd(kAge));
    clsHTMLItems plain = engineWith({makeBlock({"年齢", "<SELECT orgnm=age name=kvnt1>"})});
    const auto decided = plain.DecideByAnd(kAge);
    ASSERT_TRUE(decided);
    EXPECT_EQ(*decided, Positions{1});
}

// Tests the keyword levels of the second pass: a strong label beats weaker ones.
TEST(DecideTest, SecondPassPrefersStrongLabels) {
    const auto mailBlock = [](std::string_view label, int n) {
        return makeBlock(
            {label, "<INPUT type=text orgnm=q" + std::to_string(n) + " name=kvnt" + std::to_string(n) + ">"});
    };
    clsHTMLItems levels =
        engineWith({mailBlock("確認", 1), mailBlock("メール", 2), mailBlock("メールアドレス", 3)});
    levels.Decide();
    ASSERT_TRUE(levels.KindBlocks[kEmail]);
    EXPECT_EQ(*levels.KindBlocks[kEmail], Positions{3});

    clsHTMLItems noStrong = engineWith({mailBlock("確認", 1), mailBlock("メール", 2), fillerBlock(3)});
    noStrong.Decide();
    ASSERT_TRUE(noStrong.KindBlocks[kEmail]);
    EXPECT_EQ(*noStrong.KindBlocks[kEmail], Positions{2});
}

// Tests that a name-reading block can still become the full name in the second pass, and
// that a block of another kind cannot.
TEST(DecideTest, FullNameMayTakeANameKanaBlock) {
    // "よみがな" + name: NameKana and-score 2; FullName only through the input name.
    clsHTMLItems engine = engineWith({makeBlock({"よみがな", "<INPUT type=text orgnm=name name=kvnt1>"})});
    engine.Decide();
    EXPECT_EQ(decidedAt(engine, 1), (KindList{kNameKana, kFullName}));
    engine.Complement();
    engine.ResolveNameConfliction();
    EXPECT_EQ(decidedAt(engine, 1), KindList{kFullName});
    ASSERT_TRUE(engine.KindBlocks[kNameKana]);
    EXPECT_TRUE(engine.KindBlocks[kNameKana]->empty());

    // A sex block whose box is named sei (also a family-name word) is not eligible.
    clsHTMLItems sex = engineWith({makeBlock({"性別", "<INPUT type=text orgnm=sei name=kvnt1>"})});
    ASSERT_GT(sex.Blocks[0].GetCheckName(kFullName), 0);
    sex.Decide();
    EXPECT_EQ(decidedAt(sex, 1), KindList{kSex});
    EXPECT_FALSE(sex.KindBlocks[kFullName]);
}

// Tests that the second pass needs an input: a label line alone is never decided.
TEST(DecideTest, SecondPassNeedsATag) {
    clsHTMLItems engine = engineWith({makeBlock({"郵便番号"}), fillerBlock(2)});
    engine.Decide();
    EXPECT_FALSE(engine.KindBlocks[kZip]);
    clsHTMLItems withBox = engineWith({makeBlock({"郵便番号", "<INPUT type=text orgnm=q name=kvnt1>"})});
    withBox.Decide();
    ASSERT_TRUE(withBox.KindBlocks[kZip]);
    EXPECT_EQ(*withBox.KindBlocks[kZip], Positions{1});
}

// Tests that prefecture lists decide the prefecture kind before the passes, make their block a
// possible city block and do not move the centre.
TEST(DecideTest, PrefectureListsComeFirst) {
    clsHTMLItems engine =
        engineWith({fillerBlock(1), makeBlock({"都道府県", "<SELECT orgnm=p name=kvnt2 special=pref>"}),
                    fillerBlock(3)});
    engine.Decide();
    ASSERT_TRUE(engine.KindBlocks[kPref]);
    EXPECT_EQ(*engine.KindBlocks[kPref], Positions{2});
    EXPECT_TRUE(engine.HasPrefSelect);
    // With no other address line, the second pass gives the list's block the city kind.
    ASSERT_TRUE(engine.KindBlocks[kCity]);
    EXPECT_EQ(*engine.KindBlocks[kCity], Positions{2});
    EXPECT_EQ(decidedAt(engine, 2), KindList{kCity});
    EXPECT_EQ(engine.DecidedCount, 1);

    clsHTMLItems noList =
        engineWith({fillerBlock(1), makeBlock({"都道府県", "<SELECT orgnm=p name=kvnt2>"})});
    noList.Decide();
    EXPECT_FALSE(noList.HasPrefSelect);
    EXPECT_FALSE(noList.KindBlocks[kCity]);
}

}  // namespace
}  // namespace orvex::engine
