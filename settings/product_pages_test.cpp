#include "settings/product_pages.h"

#include <gtest/gtest.h>

#include "settings/paths.h"
#include "settings/test_env.h"
#include "text/strings.h"

namespace orvex::settings {
namespace {

// Tests that bundled pages are file URLs under the resource directory.
TEST(ProductPagesTest, PagesAreFileUrlsUnderResources) {
    const text::Text support = productPageUrl(ProductPage::Support);
    EXPECT_TRUE(text::startsWith(support, u"file:///"));
    EXPECT_TRUE(text::endsWith(support, u"/pages/support.htm"));
    EXPECT_NE(support, productPageUrl(ProductPage::Home));
}

// Tests the first page for each mode, mode 0 and unknown modes giving the information page.
TEST(ProductPagesTest, FirstPageByMode) {
    Globals g;
    g.FirstPageUrl = u"http://example.jp/";
    const text::Text info = productPageUrl(ProductPage::Information);
    for (int mode : {0, 2, 4, -1}) {
        g.FirstPageMode = mode;
        EXPECT_EQ(firstPageAddress(g), info) << mode;
    }
    g.FirstPageMode = 1;
    EXPECT_EQ(firstPageAddress(g), u"HOME");
    g.FirstPageMode = 3;
    EXPECT_EQ(firstPageAddress(g), u"http://example.jp/");
}

// Tests the control-panel pages for each mode: bundled, the local folder, or a base URL that
// gets one "/" when it has none.
TEST(ProductPagesTest, ControlPanelByMode) {
    testing::ScopedEnv env;
    env.set("ORVEX_HOME", "/d a");
    Globals g;
    g.ControlPanelMode = 1;
    EXPECT_EQ(controlPanelPages(g).index, productPageUrl(ProductPage::ControlPanelIndex));
    EXPECT_EQ(controlPanelPages(g).header, productPageUrl(ProductPage::ControlPanelHeader));
    g.ControlPanelMode = 0;
    EXPECT_EQ(controlPanelPages(g).header, productPageUrl(ProductPage::ControlPanelHeader));
    g.ControlPanelMode = 2;
    EXPECT_EQ(controlPanelPages(g).index, u"file:///d%20a/control02/index.htm");
    EXPECT_EQ(controlPanelPages(g).header, u"file:///d%20a/control02/header.htm");
    g.ControlPanelMode = 3;
    g.ControlPanelUrl = u"http://panel.example/cp";
    EXPECT_EQ(controlPanelPages(g).index, u"http://panel.example/cp/index.htm");
    g.ControlPanelUrl = u"http://panel.example/cp/";
    EXPECT_EQ(controlPanelPages(g).header, u"http://panel.example/cp/header.htm");
}

}  // namespace
}  // namespace orvex::settings
