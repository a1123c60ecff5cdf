#include <gtest/gtest.h>

#include "engine/decider_test_support.h"

namespace orvex::engine {
namespace {

using namespace decider_testing;

using Entries = std::vector<std::string>;
using Positions = std::vector<int>;

// Tests that a radio group gives one entry under its group name.
TEST(DecideChoicesTest, SexRadioGroup) {
    clsHTMLItems engine = engineWith({block({"性別", radio("sex"), "男", radio("sex"), "女"})});
    engine.KindBlocks[kSex] = Positions{1};
    EXPECT_TRUE(engine.DecideSexTags());
    EXPECT_EQ(entries(engine), Entries({"sex=SEX"}));
}

// Tests that only the list of a job block gets JOB, not the text box after it.
TEST(DecideChoicesTest, JobListThenBox) {
    clsHTMLItems engine = engineWith({block({"ご職業", list(1), "その他", box(2)})});
    engine.KindBlocks[kJob] = Positions{1};
    EXPECT_TRUE(engine.DecideJobTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=JOB"}));
}

// Tests that a check box counts for marriage.
TEST(DecideChoicesTest, MarriageCheckBox) {
    clsHTMLItems engine = engineWith({block({"既婚", "<INPUT type=checkbox orgnm=m name=kvnt1>"})});
    engine.KindBlocks[kMarriage] = Positions{1};
    EXPECT_TRUE(engine.DecideMarriageTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=MARRIAGE"}));
}

// Tests that of two job blocks only the first input of the first gets JOB.
TEST(DecideChoicesTest, TwoJobBlocks) {
    clsHTMLItems engine = engineWith({block({"職業", list(1)}), block({"勤務先", list(2)})});
    engine.KindBlocks[kJob] = Positions{1, 2};
    EXPECT_TRUE(engine.DecideJobTags());
    EXPECT_EQ(entries(engine), Entries({"kvnt1=JOB"}));
}

// Tests that an absent or empty list, or blocks without inputs, give nothing.
TEST(DecideChoicesTest, NothingToTag) {
    clsHTMLItems engine = engineWith({block({"性別"})});
    EXPECT_FALSE(engine.DecideSexTags());
    engine.KindBlocks[kSex] = Positions{};
    EXPECT_FALSE(engine.DecideSexTags());
    engine.KindBlocks[kSex] = Positions{1};
    EXPECT_FALSE(engine.DecideSexTags());
    EXPECT_FALSE(engine.DecideMarriageTags());
    EXPECT_TRUE(engine.FillingTags.empty());
}

}  // namespace
}  // namespace orvex::engine
