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

// A box without label whose page name points to the zip code.
clsHTMLItemBlock zipBox(int n) {
    return makeBlock({"<INPUT type=text orgnm=zip2 name=kvnt" + std::to_string(n) + ">"});
}

// Marks `positions` decided for `kind` the way Decide does (blocks and kind list together).
void decide(clsHTMLItems& engine, const Positions& positions, int kind) {
    engine.KindBlocks[static_cast<std::size_t>(kind)] = engine.MarkDecided(positions, kind);
}

// Tests that one sweep reaches only the neighbours of the decided range, and two sweeps reach
// one block further.
TEST(ComplementTest, SweepCoversTheDecidedRangeAndItsNeighbours) {
    clsHTMLItems engine = engineWith({zipBlock(1), zipBox(2), zipBox(3), zipBox(4)});
    engine.Decide();
    ASSERT_TRUE(engine.KindBlocks[kZip]);
    ASSERT_EQ(*engine.KindBlocks[kZip], Positions{1});
    engine.ComplementSub();
    EXPECT_EQ(*engine.KindBlocks[kZip], (Positions{1, 2}));
    EXPECT_EQ(decidedAt(engine, 3), KindList{});
    engine.ComplementSub();
    EXPECT_EQ(*engine.KindBlocks[kZip], (Positions{1, 2, 3}));
    EXPECT_EQ(decidedAt(engine, 3), KindList{kZip});
    EXPECT_EQ(decidedAt(engine, 4), KindList{});
    // The centre stays where Decide left it.
    EXPECT_EQ(engine.DecidedCenter, 1);
}

// Tests that blocks decided during a sweep pass their kind on in the same sweep.
TEST(ComplementTest, KindSpreadsWithinOneSweep) {
    clsHTMLItems engine = engineWith({zipBlock(1), zipBox(2), zipBox(3), zipBox(4), zipBlock(5)});
    decide(engine, {1, 5}, kZip);
    engine.ComplementSub();
    // The list is extended in sweep order; DecideFillingTags sorts it later.
    EXPECT_EQ(*engine.KindBlocks[kZip], (Positions{1, 5, 2, 3, 4}));
    for (int p = 2; p <= 4; ++p) EXPECT_EQ(decidedAt(engine, p), KindList{kZip}) << p;
}

// Tests that the previous neighbour is asked first, and the next one when it gives nothing.
TEST(ComplementTest, PreviousNeighbourFirst) {
    clsHTMLItemBlock both = makeBlock({"<INPUT type=text orgnm=tel_fax name=kvnt2>"});
    clsHTMLItems engine = engineWith({makeBlock({"電話", "<INPUT type=text orgnm=tel name=kvnt1>"}), both,
                                      makeBlock({"FAX", "<INPUT type=text orgnm=fax name=kvnt3>"})});
    decide(engine, {1}, kTel);
    decide(engine, {3}, kFax);
    engine.ComplementSub();
    EXPECT_EQ(decidedAt(engine, 2), KindList{kTel});

    // A box that only points to the fax kind takes it from the next block.
    clsHTMLItems next = engineWith({makeBlock({"電話", "<INPUT type=text orgnm=tel name=kvnt1>"}),
                                    makeBlock({"<INPUT type=text orgnm=fax2 name=kvnt2>"}),
                                    makeBlock({"FAX", "<INPUT type=text orgnm=fax name=kvnt3>"})});
    decide(next, {1}, kTel);
    decide(next, {3}, kFax);
    next.ComplementSub();
    EXPECT_EQ(decidedAt(next, 2), KindList{kFax});
    EXPECT_EQ(*next.KindBlocks[kFax], (Positions{3, 2}));
}

// Tests that a neighbour without an input is never complemented.
TEST(ComplementTest, LabelLineIsNotComplemented) {
    clsHTMLItems engine = engineWith({zipBlock(1), makeBlock({"〒"}), zipBox(3)});
    decide(engine, {1}, kZip);
    engine.Complement();
    EXPECT_EQ(decidedAt(engine, 2), KindList{});
    EXPECT_EQ(*engine.KindBlocks[kZip], Positions{1});
}

// Tests that nothing happens on a page without a decided block.
TEST(ComplementTest, NothingDecidedNothingDone) {
    clsHTMLItems engine = engineWith({zipBox(1), zipBox(2), zipBox(3)});
    engine.Complement();
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(decidedAt(engine, p), KindList{});
    clsHTMLItems single = engineWith({zipBox(1)});
    single.Complement();
    EXPECT_EQ(decidedAt(single, 1), KindList{});
    clsHTMLItems empty;
    empty.Complement();
    EXPECT_TRUE(empty.Blocks.empty());
}

// Tests that the first inputs must be of the same sort, except for the birth kinds.
TEST(AndBlockTest, FirstInputsMustMatchOutsideBirthKinds) {
    clsHTMLItemBlock tel = makeBlock({"電話", "<INPUT type=text orgnm=tel name=kvnt1>"});
    tel.DecidedTypes = {kTel};
    EXPECT_EQ(makeBlock({"電話", "<INPUT type=text orgnm=q name=kvnt2>"}).AndBlock(tel), kTel);
    EXPECT_EQ(makeBlock({"電話", "<SELECT orgnm=q name=kvnt2>"}).AndBlock(tel), 0);
    EXPECT_EQ(makeBlock({"電話", "<INPUT type=tel orgnm=q name=kvnt2>"}).AndBlock(tel), 0);
    // An input without a type differs from a text box as well.
    EXPECT_EQ(makeBlock({"電話", "<INPUT orgnm=q name=kvnt2>"}).AndBlock(tel), 0);
    // Without an input of its own there is nothing to compare.
    EXPECT_EQ(makeBlock({"電話"}).AndBlock(tel), kTel);

    clsHTMLItemBlock birth = makeBlock({"生年月日", "<INPUT type=text orgnm=birth name=kvnt1>"});
    birth.DecidedTypes = {kBirthDate};
    EXPECT_EQ(makeBlock({"<SELECT orgnm=birth_m name=kvnt2>"}).AndBlock(birth), kBirthDate);
}

// Tests that kinds the block does not point to, or rules out, are skipped.
TEST(AndBlockTest, SkipsKindsWithoutScoreOrWithAntiWord) {
    clsHTMLItemBlock tel = makeBlock({"電話", "<INPUT type=text orgnm=tel name=kvnt1>"});
    tel.DecidedTypes = {kFax, kTel};
    // Fax is skipped (no score), Tel is the first kind that counts.
    EXPECT_EQ(makeBlock({"<INPUT type=text orgnm=tel2 name=kvnt2>"}).AndBlock(tel), kTel);
    // The first kind not skipped decides, even when its inputs differ.
    EXPECT_EQ(makeBlock({"<SELECT orgnm=fax name=kvnt2>", "電話"}).AndBlock(tel), 0);
    EXPECT_EQ(fillerBlock(2).AndBlock(tel), -1);
    EXPECT_EQ(makeBlock({"クイズの答え", "<INPUT type=text orgnm=tel name=kvnt2>"}).AndBlock(tel), -1);
    EXPECT_EQ(makeBlock({"電話", "<INPUT type=text orgnm=tel name=kvnt2>"}).AndBlock(fillerBlock(1)), -1);
}

}  // namespace
}  // namespace orvex::engine
