#include "links/link.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "profile/profile.h"
#include "profile/test_support.h"
#include "settings/paths.h"
#include "settings/test_env.h"

namespace orvex::links {
namespace {

using profile::testing::slurp;
using profile::testing::spit;
using text::Text;

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(settings::ensureDataDir());
        setLinkCounter(0);
    }
    settings::testing::TempHome home;
    std::filesystem::path linkIni = settings::dataFile("link.ini");
    std::filesystem::path oemIni = settings::dataFile("OEM.INI");
};

// Tests that HeaderURL sets root and command prefix from the last "\" (else "/"), and that an
// address without either leaves them as they were.
TEST_F(LinkTest, HeaderUrlDerivesRootAndFunction) {
    clsLink link;
    link.setHeaderURL(u"C:\\orvex\\control02\\header.htm");
    EXPECT_EQ(link.HeaderRoot(), u"C:\\orvex\\control02\\");
    EXPECT_EQ(link.HeaderFunc(), u"C:\\orvex\\control02\\qzt00");
    EXPECT_EQ(link.HeaderFuncLen(), 24);
    link.setHeaderURL(u"file:///usr/share/orvex/control02/header.htm");
    EXPECT_EQ(link.HeaderFunc(), u"file:///usr/share/orvex/control02/qzt00");
    EXPECT_EQ(link.HeaderFuncLen(), 39);
    link.setHeaderURL(u"header.htm");
    EXPECT_EQ(link.HeaderURL(), u"header.htm");
    EXPECT_EQ(link.HeaderFunc(), u"file:///usr/share/orvex/control02/qzt00");
    EXPECT_EQ(link.HeaderFuncLen(), 39);
}

// Tests that new ids count up from the counter and that deleting steps the counter back only for
// the link holding the counter's number.
TEST_F(LinkTest, CounterFollowsNewAndDeletedLinks) {
    setLinkCounter(7);
    clsLink added;
    added.GetNewID();
    EXPECT_EQ(added.id, u"LINK8");
    EXPECT_EQ(linkCounter(), 8);
    clsLink third;
    third.id = u"LINK3";
    EXPECT_TRUE(third.DeleteProfile());
    EXPECT_EQ(linkCounter(), 8);
    EXPECT_TRUE(added.DeleteProfile());
    EXPECT_EQ(linkCounter(), 7);
}

// Tests that an editable link writes all eight keys with the icon lower-cased in the link itself,
// and reads back identically: Japanese text, commas and empty fields included.
TEST_F(LinkTest, UserLinkRoundTrips) {
    clsLink link;
    link.Editable = true;
    link.id = u"LINK2";
    link.Name = u"懸賞, まとめ";
    link.URL = u"http://例え.jp/a,b?x=1";
    link.InputMode = kInputAutomatic;
    link.Order = 5;
    link.IconFileName = u".\\Icons\\Present.ICO";
    link.BitmapFileName = u"";
    link.ButtonType = kButtonName;
    link.Visible = false;
    ASSERT_TRUE(link.WriteToProfile());
    EXPECT_EQ(link.IconFileName, u".\\icons\\present.ico");
    EXPECT_EQ(slurp(linkIni),
              "[LINK2]\nName=懸賞, まとめ\nURL=http://例え.jp/a,b?x=1\nInputMode=1\nOrder=5\n"
              "IconFileName=.\\icons\\present.ico\nBitmapFileName=\nButtonType=1\nVisible=False\n");
    clsLink back;
    back.Editable = true;
    back.Visible = true;
    back.BitmapFileName = u"stale.bmp";
    back.GetFromProfile(u"LINK2");
    EXPECT_EQ(back.id, u"LINK2");
    EXPECT_EQ(back.Name, link.Name);
    EXPECT_EQ(back.URL, link.URL);
    EXPECT_EQ(back.InputMode, link.InputMode);
    EXPECT_EQ(back.Order, link.Order);
    EXPECT_EQ(back.IconFileName, link.IconFileName);
    EXPECT_EQ(back.BitmapFileName, u"");
    EXPECT_EQ(back.ButtonType, link.ButtonType);
    EXPECT_FALSE(back.Visible);
}

// Tests that a GIF icon (any case) is stored as empty, and that a built-in link writes only its
// appearance.
TEST_F(LinkTest, BuiltInLinkWritesAppearanceOnly) {
    clsLink link;
    link.id = u"HDLN0003";
    link.Name = u"すぐ応募";
    link.IconFileName = u"Anim.GIF";
    link.ButtonType = kButtonIconAndName;
    link.Visible = true;
    ASSERT_TRUE(link.WriteToProfile());
    EXPECT_EQ(link.IconFileName, u"");
    EXPECT_EQ(slurp(linkIni), "[HDLN0003]\nIconFileName=\nBitmapFileName=\nButtonType=2\nVisible=True\n");
}

// Tests that a non-editable link does not read name, address or input mode, and that missing or
// unconvertible numbers and Booleans leave fields unchanged while the bitmap defaults to empty.
TEST_F(LinkTest, ReadKeepsFieldsForMissingValues) {
    ASSERT_TRUE(spit(linkIni,
                     "[HDLN0000]\nName=Other\nURL=x\nInputMode=0\nOrder=99999\nButtonType=abc\n"
                     "Visible=maybe\n[LINK4]\nOrder=-3\nVisible=0\n"));
    clsLink builtIn;
    builtIn.Name = u"Internet Explorer";
    builtIn.URL = u"HOME";
    builtIn.InputMode = kInputOnRequest;
    builtIn.IconFileName = u".\\icons\\earth.ico";
    builtIn.BitmapFileName = u"x.bmp";
    builtIn.ButtonType = kButtonIconAndName;
    builtIn.Visible = true;
    builtIn.Order = 1;
    builtIn.GetFromProfile(u"HDLN0000");
    EXPECT_EQ(builtIn.Name, u"Internet Explorer");
    EXPECT_EQ(builtIn.URL, u"HOME");
    EXPECT_EQ(builtIn.InputMode, kInputOnRequest);
    EXPECT_EQ(builtIn.Order, 1);  // 99999 does not fit 16 bits
    EXPECT_EQ(builtIn.IconFileName, u".\\icons\\earth.ico");
    EXPECT_EQ(builtIn.BitmapFileName, u"");
    EXPECT_EQ(builtIn.ButtonType, kButtonIconAndName);
    EXPECT_TRUE(builtIn.Visible);
    clsLink user;
    user.Editable = true;
    user.Name = u"old";
    user.InputMode = kInputAutomatic;
    user.Visible = true;
    user.GetFromProfile(u"link4");
    EXPECT_EQ(user.Name, u"");
    EXPECT_EQ(user.InputMode, kInputAutomatic);
    EXPECT_EQ(user.Order, -3);
    EXPECT_FALSE(user.Visible);
}

// Tests that a distributor link reads everything from "OEM.INI" but its icon, order and bitmap
// again from "link.ini", and writes only its appearance, to "OEM.INI".
TEST_F(LinkTest, DistributorLinkUsesOemFile) {
    ASSERT_TRUE(spit(oemIni,
                     "[OEM0001]\nName=提供リンク\nURL=http://d.example/\nInputMode=2\nOrder=3\n"
                     "IconFileName=.\\icons\\d.ico\nBitmapFileName=d.bmp\nButtonType=3\nVisible=True\n"));
    clsLink link;
    link.OEM = true;
    link.URL = u"file:///home.htm";
    link.GetFromOEMProfile(u"OEM0001");
    EXPECT_EQ(link.Name, u"提供リンク");
    EXPECT_EQ(link.URL, u"http://d.example/");
    EXPECT_EQ(link.InputMode, kInputOnRequest);
    EXPECT_EQ(link.Order, 3);
    EXPECT_EQ(link.BitmapFileName, u"d.bmp");
    EXPECT_EQ(link.ButtonType, kButtonBitmap);
    link.GetFromProfile(u"OEM0001");
    EXPECT_EQ(link.BitmapFileName, u"");  // "link.ini" has no bitmap for it
    EXPECT_EQ(link.IconFileName, u".\\icons\\d.ico");
    EXPECT_EQ(link.ButtonType, kButtonBitmap);
    EXPECT_TRUE(link.Visible);
    link.Visible = false;
    link.ButtonType = kButtonName;
    ASSERT_TRUE(link.WriteToProfile());
    EXPECT_FALSE(std::filesystem::exists(linkIni));
    EXPECT_EQ(profile::read(oemIni, u"OEM0001", u"Visible"), u"False");
    EXPECT_EQ(profile::read(oemIni, u"OEM0001", u"ButtonType"), u"1");
    EXPECT_EQ(profile::read(oemIni, u"OEM0001", u"Name"), u"提供リンク");
}

// Tests that writes and deletions that cannot be stored report false and keep the file.
TEST_F(LinkTest, FailedWritesReportFalse) {
    clsLink link;
    link.Editable = true;
    link.id = u"LINK2";
    link.Name = u"a";
    ASSERT_TRUE(link.WriteToProfile());
    const std::string before = slurp(linkIni);
    ::chmod(linkIni.c_str(), 0444);
    link.Name = u"b";
    EXPECT_FALSE(link.WriteToProfile());
    EXPECT_FALSE(link.DeleteProfile());
    EXPECT_EQ(slurp(linkIni), before);
    link.OEM = true;
    std::filesystem::create_directory(oemIni);  // exists but cannot be read
    EXPECT_FALSE(link.WriteToProfile());
}

// Tests that section names come NUL-separated in file order, cut to the buffer size.
TEST_F(LinkTest, GetAllLinksListsSections) {
    clsLink link;
    EXPECT_EQ(link.GetAllLinks(), u"");
    ASSERT_TRUE(spit(linkIni, "[HDLN0000]\n[LINK3]\n[LINK7]\n"));
    EXPECT_EQ(link.GetAllLinks(), Text(u"HDLN0000\0LINK3\0LINK7\0", 21));
    std::string many;
    for (int i = 0; i < 2000; ++i) many += "[LINK" + std::to_string(i) + "]\n";
    ASSERT_TRUE(spit(linkIni, many));
    const Text all = link.GetAllLinks();
    EXPECT_EQ(all.size(), 10239u);
    EXPECT_EQ(all.back(), u'\0');
}

// Tests that CopyTo copies the listed fields, header derivations included, and nothing else.
TEST_F(LinkTest, CopyToCopiesListedFields) {
    clsLink from;
    from.Name = u"名前";
    from.IconFileName = u"i.ico";
    from.BitmapFileName = u"b.bmp";
    from.ButtonType = 3;
    from.URL = u"http://x/";
    from.InputMode = 1;
    from.Visible = true;
    from.Order = 4;
    from.Editable = true;
    from.id = u"LINK9";
    from.FrameURL = u"file:///p/index.htm";
    from.setHeaderURL(u"file:///p/header.htm");
    from.OEM = true;
    from.ToolTipText = u"tip";
    from.Comment = u"c";
    from.InternalIcon = 1;
    from.NoHeaderFlag = true;
    clsLink to;
    from.CopyTo(to);
    EXPECT_EQ(to.Name, from.Name);
    EXPECT_EQ(to.IconFileName, from.IconFileName);
    EXPECT_EQ(to.BitmapFileName, from.BitmapFileName);
    EXPECT_EQ(to.ButtonType, 3);
    EXPECT_EQ(to.URL, from.URL);
    EXPECT_EQ(to.InputMode, 1);
    EXPECT_TRUE(to.Visible);
    EXPECT_EQ(to.Order, 4);
    EXPECT_TRUE(to.Editable);
    EXPECT_EQ(to.id, u"LINK9");
    EXPECT_EQ(to.FrameURL, from.FrameURL);
    EXPECT_EQ(to.HeaderFunc(), u"file:///p/qzt00");
    EXPECT_TRUE(to.OEM);
    EXPECT_EQ(to.ToolTipText, u"");
    EXPECT_EQ(to.Comment, u"");
    EXPECT_EQ(to.InternalIcon, 0);
    EXPECT_FALSE(to.NoHeaderFlag);
}

}  // namespace
}  // namespace orvex::links
