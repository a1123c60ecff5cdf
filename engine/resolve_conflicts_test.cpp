#include <gtest/gtest.h>

#include "engine/decision_test_util.h"
#include "engine/html_items.h"
#include "engine/run_error.h"

namespace orvex::engine {
namespace {

using namespace decision_testing;
using Positions = std::vector<int>;

clsHTMLItems fillerEngine(int count) {
    std::vector<clsHTMLItemBlock> blocks;
    for (int i = 1; i <= count; ++i) blocks.push_back(fillerBlock(i));
    return engineWith(std::move(blocks));
}

void decide(clsHTMLItems& engine, const Positions& positions, int kind) {
    engine.KindBlocks[static_cast<std::size_t>(kind)] = engine.MarkDecided(positions, kind);
}

// Tests that a single block carrying both name kinds stays a full-name block.
TEST(ResolveNameConflictionTest, SingleBlockKeepsFullName) {
    clsHTMLItems engine = fillerEngine(2);
    decide(engine, {1}, kNameKana);
    decide(engine, {1}, kFullName);
    engine.ResolveNameConfliction();
    EXPECT_EQ(decidedAt(engine, 1), KindList{kFullName});
    EXPECT_EQ(*engine.KindBlocks[kFullName], Positions{1});
    EXPECT_EQ(*engine.KindBlocks[kNameKana], Positions{});
}

// Tests that the kind with more blocks gives up the shared block (u = 2 and u = 4).
TEST(ResolveNameConflictionTest, LargerKindGivesUpSharedBlock) {
    clsHTMLItems engine = fillerEngine(6);
    decide(engine, {4, 5}, kFullName);
    decide(engine, {5}, kNameKana);
    engine.ResolveNameConfliction();
    EXPECT_EQ(decidedAt(engine, 5), KindList{kNameKana});
    EXPECT_EQ(*engine.KindBlocks[kFullName], Positions{4});

    clsHTMLItems four = fillerEngine(6);
    decide(four, {3, 4}, kNameKana);
    decide(four, {1, 2, 3}, kFullName);
    four.ResolveNameConfliction();  // u = 3 + 2 - 1 = 4, c2 < c1
    EXPECT_EQ(decidedAt(four, 3), KindList{kNameKana});
    EXPECT_EQ(*four.KindBlocks[kFullName], (Positions{1, 2}));

    clsHTMLItems readings = fillerEngine(6);
    decide(readings, {1}, kFullName);
    decide(readings, {1, 2}, kNameKana);
    readings.ResolveNameConfliction();  // u = 2, c1 < c2
    EXPECT_EQ(decidedAt(readings, 1), KindList{kFullName});
    EXPECT_EQ(*readings.KindBlocks[kNameKana], Positions{2});
}

// Tests that equal counts, other unions and a missing kind leave both kinds in place.
TEST(ResolveNameConflictionTest, OtherShapesStay) {
    clsHTMLItems equal = fillerEngine(4);
    decide(equal, {1, 2}, kFullName);
    decide(equal, {1, 2}, kNameKana);
    equal.ResolveNameConfliction();  // u = 2, c1 = c2
    EXPECT_EQ(decidedAt(equal, 1), (KindList{kFullName, kNameKana}));

    clsHTMLItems three = fillerEngine(4);
    decide(three, {1, 2}, kFullName);
    decide(three, {2, 3}, kNameKana);
    three.ResolveNameConfliction();  // u = 3
    EXPECT_EQ(decidedAt(three, 2), (KindList{kFullName, kNameKana}));

    clsHTMLItems apart = fillerEngine(4);
    decide(apart, {1}, kFullName);
    decide(apart, {2}, kNameKana);
    apart.ResolveNameConfliction();  // nothing in common
    EXPECT_EQ(*apart.KindBlocks[kFullName], Positions{1});

    clsHTMLItems alone = fillerEngine(2);
    decide(alone, {1}, kFullName);
    alone.ResolveNameConfliction();
    EXPECT_EQ(decidedAt(alone, 1), KindList{kFullName});
    EXPECT_FALSE(alone.KindBlocks[kNameKana]);
}

// Tests that a single zip-and-city block loses City, and that two blocks keep both kinds.
TEST(ResolveZipCityConflictionTest, SingleBlockStaysZip) {
    clsHTMLItems engine = fillerEngine(3);
    decide(engine, {2}, kZip);
    decide(engine, {2}, kCity);
    engine.ResolveZipCityConfliction();
    EXPECT_EQ(decidedAt(engine, 2), KindList{kZip});
    EXPECT_EQ(*engine.KindBlocks[kCity], Positions{});

    clsHTMLItems two = fillerEngine(3);
    decide(two, {2}, kZip);
    decide(two, {2, 3}, kCity);
    two.ResolveZipCityConfliction();
    EXPECT_EQ(decidedAt(two, 2), (KindList{kZip, kCity}));
}

// Tests that RemoveDecidedKind removes every copy, and fails on a bad position or missing list.
TEST(RemoveDecidedKindTest, RemovesEveryEntry) {
    clsHTMLItems engine = fillerEngine(3);
    decide(engine, {1, 2}, kTel);
    engine.Blocks[0].DecidedTypes = {kTel, kFax, kTel};
    engine.KindBlocks[kTel]->push_back(1);
    engine.RemoveDecidedKind({1}, kTel);
    EXPECT_EQ(decidedAt(engine, 1), KindList{kFax});
    EXPECT_EQ(*engine.KindBlocks[kTel], Positions{2});
    EXPECT_EQ(engine.DecidedCount, 2);  // the centre's counters are not touched

    EXPECT_THROW(engine.RemoveDecidedKind({7}, kTel), RunError);
    EXPECT_THROW(engine.RemoveDecidedKind({1}, kEmail), RunError);
    EXPECT_NO_THROW(engine.RemoveDecidedKind({}, kEmail));
}

// Tests the double loop of GetCollectionAnd: list1's order, duplicates, absent lists.
TEST(GetCollectionAndTest, DoubleLoop) {
    using Opt = std::optional<Positions>;
    EXPECT_EQ(clsHTMLItems::GetCollectionAnd(Opt{{5, 3, 1}}, Opt{{1, 3}}), (Positions{3, 1}));
    EXPECT_EQ(clsHTMLItems::GetCollectionAnd(Opt{{1, 2, 2}}, Opt{{2, 3, 2}}), (Positions{2, 2, 2, 2}));
    EXPECT_TRUE(clsHTMLItems::GetCollectionAnd(Opt{{1}}, Opt{{2}}).empty());
    EXPECT_TRUE(clsHTMLItems::GetCollectionAnd(std::nullopt, Opt{{1}}).empty());
    EXPECT_TRUE(clsHTMLItems::GetCollectionAnd(Opt{{1}}, Opt{Positions{}}).empty());
}

}  // namespace
}  // namespace orvex::engine
