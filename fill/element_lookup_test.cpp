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

// Tests that the index answers every name exactly as the document's `all` collection does.
TEST(ElementIndexTest, AnswersAsTheAllCollection) {
    auto doc = testing::loadPage(
        "<form name=f id=x><div name=d id=y></div><a name=x></a><input name=y><input id=d name=z>"
        "<select name=z></select><img name=i><span id=s name=s></span></form>");
    const ElementIndex index(*doc);
    for (const char* name : {"f", "x", "d", "y", "z", "i", "s", "none", ""}) {
        const page::NamedItem expected = doc->all().item(name);
        const page::NamedItem got = index.item(text::fromUtf8(name));
        ASSERT_EQ(got.isCollection(), expected.isCollection()) << name;
        ASSERT_EQ(got.empty(), expected.empty()) << name;
        if (expected.isCollection()) {
            ASSERT_EQ(got.collection().length(), expected.collection().length()) << name;
            for (int i = 0; i < expected.collection().length(); ++i)
                EXPECT_EQ(got.collection().item(i), expected.collection().item(i)) << name;
        } else {
            EXPECT_EQ(got.element(), expected.element()) << name;
        }
    }
}

}  // namespace
}  // namespace orvex::fill
