#include "engine/debug_view.h"

#include <gtest/gtest.h>

namespace orvex::engine {
namespace {

// Tests that the view lists the filtered tokens, the blocks, kind lists and score rows.
TEST(DebugViewTest, ShowsTokensBlocksAndScores) {
    const std::string view = debugView("<TABLE><TR><TD>電話番号</TD><TD><INPUT name=tel></TD></TR></TABLE>");
    EXPECT_NE(view.find("== tokens (8)"), std::string::npos) << view;
    EXPECT_NE(view.find("<INPUT orgnm=tel name=kvnt1>    kinds: 13:Tel"), std::string::npos) << view;
    EXPECT_NE(view.find("== blocks ("), std::string::npos);
    EXPECT_NE(view.find("      and     0    0    0    0    0    0    0    0    0    0    0    0    2"),
              std::string::npos)
        << view;
    // Near miss: an empty form has no tokens and no blocks.
    EXPECT_EQ(debugView(""), "== tokens (0)\n== blocks (0)\n");
}

}  // namespace
}  // namespace orvex::engine
