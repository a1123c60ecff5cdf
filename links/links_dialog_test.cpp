#include "links/links_dialog.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "links/links_dialog_texts.h"
#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::links {
namespace {

using text::Text;

class LinksDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(settings::ensureDataDir());
        ASSERT_TRUE(profile::testing::spit(linkIni, "[LINK3]\nName=Prizes\nURL=http://a.example/\nInputMode=1\nOrder=5\n"
                                                    "[LINK7]\nName=Shop\nURL=http://b.example/\nInputMode=2\nOrder=6\n"));
        bar = buildLinkCollection(settings::Globals());
        ASSERT_EQ(bar.size(), 5u);
    }
    Text read(const char16_t* section, const char16_t* key) { return profile::read(linkIni, section, key, u"<none>"); }

    settings::testing::TempHome home;
    std::filesystem::path linkIni = settings::dataFile("link.ini");
    LinkCollection bar;
};

// Tests that the dialog works on copies of the bar's links in their order, with the new link at
// the end and selected, and that the built-in browser link shows the browser's name.
TEST_F(LinksDialogTest, WorkingCollection) {
    clsLink page;
    page.Name = u"This page";
    page.Editable = true;
    LinksDialog withNew(bar, page, u"Chromium");
    ASSERT_EQ(withNew.count(), 6);
    EXPECT_EQ(withNew.selected(), 5);
    EXPECT_EQ(withNew.lineText(0), u"Chromium");
    EXPECT_EQ(withNew.lineText(1), u"Orvex2000 Support Page");
    EXPECT_EQ(withNew.lineText(3), u"Prizes");
    EXPECT_EQ(withNew.lineText(5), u"This page");
    EXPECT_NE(withNew.links()[3].get(), bar[3].get());

    LinksDialog plain(bar, std::nullopt);
    EXPECT_EQ(plain.count(), 5);
    EXPECT_EQ(plain.selected(), 0);
    EXPECT_EQ(plain.lineText(0), u"Internet Explorer");
    plain.select(3);
    plain.setName(u"Renamed");
    EXPECT_EQ(bar[3]->Name, u"Prizes");
    EXPECT_EQ(LinksDialog({}, std::nullopt).selected(), -1);
}

// Tests that built-in links cannot be renamed, re-addressed, deleted or moved while their look
// can change, and that no user link moves above them.
TEST_F(LinksDialogTest, BuiltInLinksStayPut) {
    LinksDialog d(bar, std::nullopt);
    d.select(1);
    EXPECT_EQ(d.enabled(), LinkControlsEnabled{});
    d.setName(u"X");
    d.setURL(u"http://x/");
    d.setInputModeEntry(2);
    d.setVisible(false);
    d.setButtonTypeOption(3);
    EXPECT_EQ(d.selectedLink()->Name, u"Orvex2000 Support Page");
    EXPECT_EQ(d.selectedLink()->InputMode, kInputAutomatic);
    EXPECT_FALSE(d.selectedLink()->Visible);
    EXPECT_EQ(d.selectedLink()->ButtonType, kButtonName);
    EXPECT_EQ(d.deleteStep(), DeleteStep::CannotDelete);
    EXPECT_FALSE(d.deleteSelected());
    EXPECT_FALSE(d.moveDown());
    EXPECT_EQ(d.count(), 5);

    d.select(3);  // the first user link, right under the built-in ones
    EXPECT_EQ(d.enabled(), (LinkControlsEnabled{true, true, true, true, false, true}));
    EXPECT_FALSE(d.moveUp());
    EXPECT_EQ(d.lineText(3), u"Prizes");
    d.select(4);  // the last line
    EXPECT_EQ(d.enabled(), (LinkControlsEnabled{true, true, true, true, true, false}));
    EXPECT_TRUE(d.moveUp());
    EXPECT_EQ(d.selected(), 3);
    EXPECT_EQ(d.lineText(3), u"Shop");
    EXPECT_TRUE(d.moveDown());
    EXPECT_EQ(d.lineText(4), u"Shop");
}

// Tests both mappings, between list entries and input modes and between options and button types.
TEST_F(LinksDialogTest, Mappings) {
    EXPECT_EQ(inputModeEntry(kInputAutomatic), 0);
    EXPECT_EQ(inputModeEntry(kInputOnRequest), 1);
    EXPECT_EQ(inputModeEntry(kInputNever), 2);
    EXPECT_EQ(inputModeEntry(7), -1);
    EXPECT_EQ(buttonTypeOption(kButtonIcon), 0);
    EXPECT_EQ(buttonTypeOption(kButtonIconAndName), 1);
    EXPECT_EQ(buttonTypeOption(kButtonBitmap), 2);
    EXPECT_EQ(buttonTypeOption(kButtonName), 3);
    LinksDialog d(bar, std::nullopt);
    d.select(3);
    d.setInputModeEntry(2);
    EXPECT_EQ(d.selectedLink()->InputMode, kInputNever);
    d.setInputModeEntry(3);
    EXPECT_EQ(d.selectedLink()->InputMode, kInputNever);
    d.setButtonTypeOption(1);
    EXPECT_EQ(d.selectedLink()->ButtonType, kButtonIconAndName);
}

// Tests that a new link has its documented fields and the next number after the highest in the
// file, and that deleting it right away gives the number back.
TEST_F(LinksDialogTest, AddAndDeleteAgain) {
    LinksDialog d(bar, std::nullopt);
    EXPECT_EQ(d.add(), 5);
    const clsLink& link = *d.selectedLink();
    EXPECT_EQ(link.Name, u"新しいリンク");
    EXPECT_EQ(link.URL, u"");
    EXPECT_TRUE(link.Visible);
    EXPECT_TRUE(link.Editable);
    EXPECT_EQ(link.ButtonType, kButtonName);
    EXPECT_EQ(link.InputMode, kInputNever);
    EXPECT_EQ(link.id, u"LINK8");
    EXPECT_EQ(d.deleteStep(), DeleteStep::Ask);
    EXPECT_TRUE(d.deleteSelected());
    EXPECT_EQ(linkCounter(), 7);
    EXPECT_EQ(d.selected(), 4);  // the line before, as the last line went
}

// Tests that deleting removes the section from "link.ini" at once (it stays gone whatever the
// dialog does next) and selects the same line, and that a removal that fails keeps the link and
// the counter.
TEST_F(LinksDialogTest, DeleteRemovesTheSectionAtOnce) {
    LinksDialog d(bar, std::nullopt);
    d.select(3);
    ::chmod(linkIni.c_str(), 0444);
    EXPECT_FALSE(d.deleteSelected());
    ::chmod(linkIni.c_str(), 0644);
    EXPECT_EQ(d.count(), 5);
    EXPECT_EQ(read(u"LINK3", u"Name"), u"Prizes");

    d.select(4);
    EXPECT_TRUE(d.deleteSelected());
    EXPECT_EQ(read(u"LINK7", u"Name"), u"<none>");
    EXPECT_EQ(linkCounter(), 6);
    d.add();
    EXPECT_EQ(d.selectedLink()->id, u"LINK7");
    d.select(3);
    EXPECT_TRUE(d.deleteSelected());
    EXPECT_EQ(d.selected(), 3);
    EXPECT_EQ(d.lineText(3), u"新しいリンク");
    EXPECT_EQ(read(u"LINK3", u"Name"), u"<none>");
}

// Tests that OK's writing numbers the links by line, gives the built-in links their look only,
// and reports the links it could not write.
TEST_F(LinksDialogTest, WriteAllOrdersByLine) {
    LinksDialog d(bar, std::nullopt);
    d.select(4);
    d.moveUp();
    EXPECT_TRUE(d.writeAll().empty());
    EXPECT_EQ(read(u"LINK7", u"Order"), u"3");
    EXPECT_EQ(read(u"LINK3", u"Order"), u"4");
    EXPECT_EQ(read(u"HDLN0000", u"Visible"), u"True");
    EXPECT_EQ(read(u"HDLN0000", u"ButtonType"), u"2");
    EXPECT_EQ(read(u"HDLN0000", u"Name"), u"<none>");
    EXPECT_EQ(read(u"HDLN0000", u"Order"), u"<none>");

    ::chmod(linkIni.c_str(), 0444);
    const std::vector<Text> failed = d.writeAll();
    ::chmod(linkIni.c_str(), 0644);
    EXPECT_EQ(failed.size(), 5u);
}

}  // namespace
}  // namespace orvex::links
