#include <gtest/gtest.h>

#include "engine/decision_test_util.h"
#include "engine/html_items.h"

namespace orvex::engine {
namespace {

using namespace decision_testing;
using Positions = std::vector<int>;
using Entries = std::vector<std::string>;

clsHTMLItemBlock zipBlock(int n) {
    return makeBlock({"郵便番号", "<INPUT type=text orgnm=zip name=kvnt" + std::to_string(n) + ">"});
}

// Tests that the flags of an earlier run are reset, lists are sorted and each flag takes its
// decider's result.
TEST(DecideFillingTagsTest, ResetsFlagsAndSortsLists) {
    clsHTMLItems engine = engineWith({zipBlock(1), fillerBlock(2), zipBlock(3)});
    engine.KindBlocks[kZip] = Positions{3, 1};
    engine.KindBlocks[kJob] = Positions{};
    engine.KindDecided[kJob] = true;
    engine.DecideFillingTags();
    EXPECT_EQ(*engine.KindBlocks[kZip], (Positions{1, 3}));
    EXPECT_TRUE(engine.KindDecided[kZip]);
    EXPECT_FALSE(engine.KindDecided[kJob]);
    // Two zip blocks with one box each: ZIP and ZIPOPT, and the city decider turns the second
    // box into the address.
    EXPECT_EQ(u8(engine.FillingTags), (Entries{"kvnt1=ZIP", "kvnt3=PREF+ADDRESS1+ADDRESS2+ADDRESS3"}));
}

// Tests that the deciders run in their fixed order, not in page order.
TEST(DecideFillingTagsTest, FixedDeciderOrder) {
    clsHTMLItems engine = engineWith({makeBlock({"メール", "<INPUT type=text orgnm=mail name=kvnt1>"}),
                                      makeBlock({"電話", "<INPUT type=text orgnm=tel name=kvnt2>"}),
                                      makeBlock({"ご職業", "<SELECT orgnm=job name=kvnt3>"})});
    engine.Decide();
    engine.DecideFillingTags();
    EXPECT_EQ(u8(engine.FillingTags), (Entries{"kvnt3=JOB", "kvnt2=TEL", "kvnt1=EMAIL"}));
    // Nothing decided: nothing appended and every flag false.
    clsHTMLItems none = engineWith({fillerBlock(1)});
    none.Decide();
    none.DecideFillingTags();
    EXPECT_TRUE(none.FillingTags.empty());
    for (int k = kFirstKind; k <= kLastKind; ++k) EXPECT_FALSE(none.KindDecided[static_cast<std::size_t>(k)]);
}

}  // namespace
}  // namespace orvex::engine
