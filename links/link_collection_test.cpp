#include "links/link_collection.h"

#include <gtest/gtest.h>

#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/product_pages.h"
#include "settings/test_env.h"

namespace orvex::links {
namespace {

using profile::testing::spit;
using text::Text;

class LinkCollectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(settings::ensureDataDir());
        setLinkCounter(0);
    }
    std::vector<Text> ids(const LinkCollection& links) const {
        std::vector<Text> out;
        for (const auto& l : links) out.push_back(l->id);
        return out;
    }
    settings::testing::TempHome home;
    settings::Globals g;
};

// Tests that without any file the collection holds the three built-in links with their documented
// fields, the control-panel pages, and the counter at 1.
TEST_F(LinkCollectionTest, NoFilesGivesBuiltInLinks) {
    const LinkCollection links = buildLinkCollection(g);
    ASSERT_EQ(ids(links), std::vector<Text>({u"HDLN0000", u"HDLN0002", u"HDLN0003"}));
    EXPECT_EQ(links[0]->Name, u"Internet Explorer");
    EXPECT_EQ(links[0]->URL, u"HOME");
    EXPECT_EQ(links[0]->InputMode, kInputOnRequest);
    EXPECT_EQ(links[0]->InternalIcon, 0);
    EXPECT_EQ(links[1]->URL, settings::productPageUrl(settings::ProductPage::Support));
    EXPECT_EQ(links[1]->IconFileName, u".\\icons\\orvex.ico");
    EXPECT_EQ(links[1]->InternalIcon, 1);
    EXPECT_EQ(links[2]->Name, u"すぐ応募");
    EXPECT_EQ(links[2]->ToolTipText, u"すぐ応募");
    EXPECT_EQ(links[2]->URL, settings::productPageUrl(settings::ProductPage::Home));
    const auto panel = settings::controlPanelPages(g);
    for (const auto& l : links) {
        EXPECT_EQ(l->ButtonType, kButtonIconAndName);
        EXPECT_TRUE(l->Visible);
        EXPECT_FALSE(l->Editable);
        EXPECT_FALSE(l->OEM);
        EXPECT_EQ(l->FrameURL, panel.index);
        EXPECT_EQ(l->HeaderURL(), panel.header);
    }
    EXPECT_EQ(linkCounter(), 1);
    clsLink next;
    next.GetNewID();
    EXPECT_EQ(next.id, u"LINK2");  // the first user link of a fresh file
}

// Tests that user links set the counter to the highest number, are sorted in by order after the
// built-in links of equal order, and that a name with "LINK" but no number is still a link.
TEST_F(LinkCollectionTest, UserLinksSortInByOrder) {
    ASSERT_TRUE(spit(settings::dataFile("link.ini"),
                     "[HDLN0002]\nVisible=False\n[LINK7]\nName=七\nOrder=1\n[LINK3]\nName=三\nOrder=0\n"
                     "[LINKabc]\nName=abc\nOrder=1\n[link9]\nName=lower\n[MYLINK]\nName=mine\nOrder=-1\n"));
    const LinkCollection links = buildLinkCollection(g);
    EXPECT_EQ(ids(links), std::vector<Text>({u"MYLINK", u"HDLN0000", u"HDLN0002", u"HDLN0003", u"LINK3",
                                             u"LINK7", u"LINKabc"}));
    EXPECT_EQ(linkCounter(), 7);
    EXPECT_FALSE(links[2]->Visible);
    EXPECT_EQ(links[4]->Name, u"三");
    EXPECT_TRUE(links[4]->Editable);
    EXPECT_EQ(links[4]->FrameURL, settings::controlPanelPages(g).index);
    clsLink next;
    next.GetNewID();
    EXPECT_EQ(next.id, u"LINK8");
}

// Tests that "OEM.INI" adds the distributor link after the built-in ones, and that its absence
// (even with the file named in other case) adds none.
TEST_F(LinkCollectionTest, DistributorLinkWhenOemFileExists) {
    ASSERT_TRUE(spit(settings::dataFile("oem.ini"), "[OEM0001]\nName=x\n"));
    EXPECT_EQ(buildLinkCollection(g).size(), 3u);
    ASSERT_TRUE(
        spit(settings::dataFile("OEM.INI"), "[TITLE]\nFileName=s.bmp\n[OEM0001]\nName=提供\nOrder=0\n"));
    const LinkCollection links = buildLinkCollection(g);
    ASSERT_EQ(links.size(), 4u);
    const auto& oem = links[3];
    EXPECT_EQ(oem->id, u"OEM0001");
    EXPECT_EQ(oem->Name, u"提供");
    EXPECT_TRUE(oem->OEM);
    EXPECT_FALSE(oem->Editable);
    EXPECT_EQ(oem->InputMode, kInputAutomatic);
    EXPECT_EQ(oem->URL, settings::productPageUrl(settings::ProductPage::Home));
    ASSERT_TRUE(spit(settings::dataFile("OEM.INI"), ""));
    EXPECT_EQ(buildLinkCollection(g).size(), 4u);  // an empty file still counts as present
}

// Tests insertion by order directly: before the first strictly greater order, else at the end.
TEST_F(LinkCollectionTest, InsertByOrderGoesBeforeFirstGreater) {
    LinkCollection links;
    auto make = [](const char16_t* id, int16_t order) {
        auto l = std::make_shared<clsLink>();
        l->id = id;
        l->Order = order;
        return l;
    };
    insertByOrder(links, make(u"a", 2));
    insertByOrder(links, make(u"b", 0));
    insertByOrder(links, make(u"c", 2));
    insertByOrder(links, make(u"d", 1));
    insertByOrder(links, nullptr);
    EXPECT_EQ(ids(links), std::vector<Text>({u"b", u"d", u"a", u"c"}));
}

// Tests that a garbage "link.ini" neither stops the build nor adds user links.
TEST_F(LinkCollectionTest, GarbageFileGivesNoUserLinks) {
    std::string garbage(2048, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 131 + 7) % 251);
    ASSERT_TRUE(spit(settings::dataFile("link.ini"), garbage));
    EXPECT_EQ(buildLinkCollection(g).size(), 3u);
    EXPECT_EQ(linkCounter(), 1);
}

}  // namespace
}  // namespace orvex::links
