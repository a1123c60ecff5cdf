#include <gtest/gtest.h>

#include "engine/decider_test_support.h"

namespace orvex::engine {
namespace {

using namespace decider_testing;

using Entries = std::vector<std::string>;
using Positions = std::vector<int>;

clsHTMLItems telEngine(std::vector<clsHTMLItemBlock> blocks) {
    clsHTMLItems engine = engineWith(std::move(blocks));
    Positions all;
    for (int p = 1; p <= static_cast<int>(engine.Blocks.size()); ++p) all.push_back(p);
    engine.KindBlocks[kTel] = all;
    engine.KindBlocks[kFax] = all;
    engine.KindBlocks[kEmail] = all;
    return engine;
}

// Tests two phone boxes joined by a hyphen, and the near miss of an opening bracket.
TEST(DecideTelTest, TwoBoxes) {
    clsHTMLItems hyphen = telEngine({block({"電話", box(1, "4"), "-", box(2, "40")})});
    EXPECT_TRUE(hyphen.DecideTelTags());
    EXPECT_EQ(entries(hyphen), Entries({"kvnt1=TEL1", "kvnt2=TEL2+SYM_-+TEL3"}));

    clsHTMLItems bracket = telEngine({block({"電話", box(1), "(", box(2)})});
    EXPECT_TRUE(bracket.DecideTelTags());
    EXPECT_EQ(entries(bracket), Entries({"kvnt1=TEL", "kvnt2=TEL"}));
}

// Tests two phone blocks of one box each (telephone and mobile): both whole numbers.
TEST(DecideTelTest, TwoBlocksOneBoxEach) {
    clsHTMLItems engine = telEngine({block({"電話", box(1), "-"}), block({"携帯", box(2)})});
    EXPECT_TRUE(engine.DecideTelTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=TEL", "kvnt2=TEL"}));
}

// Tests three-box numbers in one block, in two blocks of three, and in blocks of two and three.
TEST(DecideTelTest, ThreeBoxNumbers) {
    clsHTMLItems one = telEngine({block({"電話", box(1), "-", box(2), "-", box(3)})});
    EXPECT_TRUE(one.DecideTelTags());
    EXPECT_EQ(entries(one), Entries({"kvnt1=TEL1", "kvnt2=TEL2", "kvnt3=TEL3"}));

    clsHTMLItems two =
        telEngine({block({"電話", box(1), box(2), box(3)}), block({"携帯", box(4), box(5), box(6)})});
    EXPECT_TRUE(two.DecideTelTags());
    EXPECT_EQ(entries(two), Entries({"kvnt1=TEL1", "kvnt2=TEL2", "kvnt3=TEL3"}));

    clsHTMLItems mixed =
        telEngine({block({"電話", box(1), box(2)}), block({"携帯", box(3), box(4), box(5)})});
    EXPECT_TRUE(mixed.DecideTelTags());
    EXPECT_EQ(entries(mixed), Entries({"kvnt1=TEL"}));
}

// Tests that a phone block of choices only, and no phone block, give nothing.
TEST(DecideTelTest, NoInputs) {
    clsHTMLItems choices = telEngine({block({"電話", list(1)})});
    EXPECT_FALSE(choices.DecideTelTags());
    clsHTMLItems none = engineWith({block({"電話", box(1)})});
    EXPECT_FALSE(none.DecideTelTags());
    EXPECT_TRUE(none.FillingTags.empty());
}

// Tests the fax decider: two boxes with a hyphen, and three boxes over two blocks.
TEST(DecideFaxTest, BoxLayouts) {
    clsHTMLItems pair = telEngine({block({"FAX", box(1), "－", box(2)})});
    EXPECT_TRUE(pair.DecideFaxTags());
    EXPECT_EQ(entries(pair), Entries({"kvnt1=FAX1", "kvnt2=FAX2+SYM_-+FAX3"}));

    clsHTMLItems spread = telEngine({block({"FAX", box(1), box(2)}), block({box(3), box(4)})});
    EXPECT_TRUE(spread.DecideFaxTags());
    EXPECT_EQ(entries(spread), Entries({"kvnt1=FAX1", "kvnt2=FAX2", "kvnt3=FAX3"}));

    clsHTMLItems single = telEngine({block({"FAX", box(1)})});
    EXPECT_TRUE(single.DecideFaxTags());
    EXPECT_EQ(entries(single), Entries({"kvnt1=FAX"}));

    clsHTMLItems twoBlocks = telEngine({block({"FAX", box(1), "-"}), block({box(2)})});
    EXPECT_TRUE(twoBlocks.DecideFaxTags());
    EXPECT_EQ(entries(twoBlocks), Entries({"kvnt1=FAX", "kvnt2=FAX"}));
}

// Tests two e-mail boxes: a re-entry word or a line break makes address and re-entry, an at
// sign on one line the two halves.
TEST(DecideEmailTest, TwoBoxes) {
    clsHTMLItems confirm = telEngine({block({"メール（確認のため２回）", box(1), box(2)})});
    EXPECT_TRUE(confirm.DecideEmailTags());
    EXPECT_EQ(entries(confirm), Entries({"kvnt1=EMAIL", "kvnt2=EMAIL"}));

    clsHTMLItems halves = telEngine({block({"メール", box(1), "@", box(2)})});
    EXPECT_TRUE(halves.DecideEmailTags());
    EXPECT_EQ(entries(halves), Entries({"kvnt1=EMAIL1", "kvnt2=EMAIL2"}));

    clsHTMLItems lines = telEngine({block({"メール", box(1), "$CR$", box(2)})});
    EXPECT_TRUE(lines.DecideEmailTags());
    EXPECT_EQ(entries(lines), Entries({"kvnt1=EMAIL", "kvnt2=EMAIL"}));
}

// Tests that the second of exactly two e-mail blocks can show the re-entry.
TEST(DecideEmailTest, SecondBlockConfirms) {
    clsHTMLItems engine = telEngine({block({"メール", box(1)}), block({"もう一度", box(2)})});
    EXPECT_TRUE(engine.DecideEmailTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=EMAIL", "kvnt2=EMAIL"}));

    clsHTMLItems three = telEngine({block({"メール", box(1)}), block({"もう一度", box(2)}), block({"携帯"})});
    EXPECT_TRUE(three.DecideEmailTags());
    EXPECT_EQ(entries(three), Entries({"kvnt1=EMAIL1", "kvnt2=EMAIL2"}));
}

// Tests one and four e-mail boxes, and that three or five give nothing.
TEST(DecideEmailTest, BoxCounts) {
    clsHTMLItems one = telEngine({block({"メール", box(1)})});
    EXPECT_TRUE(one.DecideEmailTags());
    EXPECT_EQ(entries(one), Entries({"kvnt1=EMAIL"}));

    clsHTMLItems four =
        telEngine({block({"メール", box(1), "@", box(2)}), block({"確認", box(3), "@", box(4)})});
    EXPECT_TRUE(four.DecideEmailTags());
    EXPECT_EQ(entries(four), Entries({"kvnt1=EMAIL1", "kvnt2=EMAIL2", "kvnt3=EMAIL1", "kvnt4=EMAIL2"}));

    clsHTMLItems three = telEngine({block({"メール", box(1), box(2), box(3)})});
    EXPECT_FALSE(three.DecideEmailTags());
    clsHTMLItems five = telEngine({block({"メール", box(1), box(2), box(3), box(4), box(5)})});
    EXPECT_FALSE(five.DecideEmailTags());
    EXPECT_TRUE(three.FillingTags.empty() && five.FillingTags.empty());
}

}  // namespace
}  // namespace orvex::engine
