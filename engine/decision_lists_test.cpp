#include <gtest/gtest.h>

#include "engine/decision_test_util.h"
#include "engine/html_items.h"
#include "engine/run_error.h"

namespace orvex::engine {
namespace {

using namespace decision_testing;
using Positions = std::vector<int>;

// Tests that taken entries come back in FillingTags order and the rest stays in order.
TEST(TakeFillingTagsTest, KeepsOrder) {
    clsHTMLItems engine;
    engine.FillingTags = {u"a=ZIP", u"b=ZIPOPT", u"c=PREF", u"d=ZIPOPT"};
    EXPECT_EQ(u8(engine.TakeFillingTags(u"=ZIPOPT")), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(u8(engine.FillingTags), (std::vector<std::string>{"a=ZIP", "c=PREF"}));
    // Nothing contains the text: nothing changes.
    EXPECT_TRUE(engine.TakeFillingTags(u"=ZIPOPT").empty());
    EXPECT_EQ(engine.FillingTags.size(), 2u);
}

// Tests that the name is the part before the first "=" and may be empty.
TEST(TakeFillingTagsTest, NameBeforeFirstEquals) {
    clsHTMLItems engine;
    engine.FillingTags = {u"=ZIPOPT", u"x=y=ZIPOPT", u"z=+ADDRESS1"};
    EXPECT_EQ(u8(engine.TakeFillingTags(u"ZIPOPT")), (std::vector<std::string>{"", "x"}));
    EXPECT_EQ(u8(engine.FillingTags), (std::vector<std::string>{"z=+ADDRESS1"}));
    engine.FillingTags.push_back(u"broken");
    EXPECT_THROW(engine.TakeFillingTags(u"broken"), RunError);
}

// Tests the ascending sort, duplicates included.
TEST(SortPositionsTest, Ascending) {
    Positions list{5, 1, 4, 1, 3};
    clsHTMLItems::SortPositions(list);
    EXPECT_EQ(list, (Positions{1, 1, 3, 4, 5}));
    Positions empty;
    clsHTMLItems::SortPositions(empty);
    EXPECT_TRUE(empty.empty());
    Positions sorted{1, 2, 9};
    clsHTMLItems::SortPositions(sorted);
    EXPECT_EQ(sorted, (Positions{1, 2, 9}));
}

// Tests that input names follow block and token order, choice inputs only when selectable.
TEST(CollectInputNamesTest, BlockAndTokenOrder) {
    clsHTMLItems engine =
        engineWith({makeBlock({"<INPUT type=text orgnm=a name=kvnt1>", "<SELECT orgnm=b name=kvnt2>"}),
                    makeBlock({"<INPUT type=radio name=sex>", "<INPUT type=text orgnm=c name=kvnt3>"})});
    EXPECT_EQ(u8(engine.CollectInputNames({2, 1}, true)),
              (std::vector<std::string>{"sex", "kvnt3", "kvnt1", "kvnt2"}));
    EXPECT_EQ(u8(engine.CollectInputNames({1, 2}, false)), (std::vector<std::string>{"kvnt1", "kvnt3"}));
    EXPECT_TRUE(engine.CollectInputNames({}, true).empty());
    EXPECT_THROW(engine.CollectInputNames({3}, true), RunError);
}

}  // namespace
}  // namespace orvex::engine
