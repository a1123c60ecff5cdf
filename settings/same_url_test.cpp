#include "settings/same_url.h"

#include <gtest/gtest.h>

namespace orvex::settings {
namespace {

// Tests that addresses equal apart from case are the same, and different ones are not.
TEST(SameUrlTest, ComparesWithoutCase) {
    EXPECT_TRUE(SameURL(u"HTTP://Example.JP/Entry.htm", u"http://example.jp/entry.htm"));
    EXPECT_TRUE(SameURL(u"", u""));
    EXPECT_FALSE(SameURL(u"http://example.jp/entry.htm", u"http://example.jp/entry.html"));
}

// Tests that a local path matches a file URL of it when the file URL comes first, with blanks
// encoded as %20, and not the other way round.
TEST(SameUrlTest, MatchesLocalPathsAgainstFileUrls) {
    EXPECT_TRUE(SameURL(u"file:///home/u/a%20b.htm", u"/home/u/a b.htm"));
    EXPECT_TRUE(SameURL(u"file:///home/u/a%20b.htm", u"file:///home/u/a b.htm"));
    EXPECT_FALSE(SameURL(u"/home/u/a b.htm", u"file:///home/u/a%20b.htm"));
    // After the rewrite the comparison is exact: case matters there.
    EXPECT_FALSE(SameURL(u"file:///home/u/A%20b.htm", u"/home/u/a b.htm"));
    EXPECT_FALSE(SameURL(u"FILE:///x%20y", u"/x y"));
}

}  // namespace
}  // namespace orvex::settings
