#include "fill/element_lookup.h"

#include <gtest/gtest.h>

#include "fill/fill_test_support.h"

namespace orvex::fill {
namespace {

using testing::loadPage;

class ElementLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc = loadPage(
            "<form><input type=hidden name=tel value=0><input name=tel id=t1><input name=tel id=t2>"
            "<input name=mail id=m><input type=radio name=sex value=m><input type=radio name=sex value=f>"
            "</form>");
        engine.GeneratedNames[u"kvnt1"] = {u"tel", 1};
        engine.GeneratedNames[u"kvnt2"] = {u"tel", 2};
        engine.GeneratedNames[u"kvnt3"] = {u"tel", 3};
        engine.GeneratedNames[u"kvnt4"] = {u"mail", 1};
        engine.GeneratedNames[u"kvnt5"] = {u"mail", 2};
    }
    std::unique_ptr<page::Document> doc;
    engine::clsHTMLItems engine;
};

// Tests that a generated name gives the occurrence-th non-hidden element of its page name.
TEST_F(ElementLookupTest, GeneratedNameCountsNonHiddenElements) {
    EXPECT_EQ(FindElementByTokenName(*doc, engine, u"kvnt1").element().id(), "t1");
    EXPECT_EQ(FindElementByTokenName(*doc, engine, u"kvnt2").element().id(), "t2");
    // Near miss: a third occurrence does not exist among the non-hidden elements.
    EXPECT_TRUE(FindElementByTokenName(*doc, engine, u"kvnt3").empty());
}

// Tests that a page name with a single element gives that element whatever the occurrence.
TEST_F(ElementLookupTest, SingleElementIsTakenAsItIs) {
    EXPECT_EQ(FindElementByTokenName(*doc, engine, u"kvnt4").element().id(), "m");
    EXPECT_EQ(FindElementByTokenName(*doc, engine, u"kvnt5").element().id(), "m");
}

// Tests that a page name (radio group) is looked up directly and gives the whole collection.
TEST_F(ElementLookupTest, PageNameGivesTheCollection) {
    const page::NamedItem group = FindElementByTokenName(*doc, engine, u"sex");
    ASSERT_TRUE(group.isCollection());
    EXPECT_EQ(group.collection().length(), 2);
    EXPECT_EQ(FindElementByTokenName(*doc, engine, u"mail").element().id(), "m");
}

// Tests that an unknown generated name falls back to the name itself, then finds nothing.
TEST_F(ElementLookupTest, UnknownGeneratedNameFallsBackToTheName) {
    EXPECT_TRUE(FindElementByTokenName(*doc, engine, u"kvnt9").empty());
    auto other = loadPage("<form><input name=kvnt9 id=k></form>");
    EXPECT_EQ(FindElementByTokenName(*other, engine, u"kvnt9").element().id(), "k");
}

}  // namespace
}  // namespace orvex::fill
