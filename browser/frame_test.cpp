#include "browser/frame.h"

#include <gtest/gtest.h>

namespace orvex::browser {
namespace {

// Tests the keyed name list: positions from 1, keys unique, removal by either.
TEST(FrameTest, KeyedNames) {
    clsFrame frame;
    EXPECT_TRUE(frame.AddNames(u"a", u"k1"));
    EXPECT_TRUE(frame.AddNames(u"b"));
    EXPECT_FALSE(frame.AddNames(u"c", u"k1"));
    EXPECT_EQ(frame.Count(), 2);
    EXPECT_EQ(frame.Item(1), u"a");
    EXPECT_EQ(frame.Item(u"k1"), u"a");
    EXPECT_FALSE(frame.Item(3));
    EXPECT_FALSE(frame.Item(0));
    EXPECT_FALSE(frame.Item(u""));
    EXPECT_TRUE(frame.Remove(u"k1"));
    EXPECT_FALSE(frame.Remove(u"k1"));
    EXPECT_EQ(frame.Item(1), u"b");
    EXPECT_TRUE(frame.Remove(1));
    EXPECT_FALSE(frame.Remove(1));
    EXPECT_EQ(frame.Count(), 0);
}

}  // namespace
}  // namespace orvex::browser
