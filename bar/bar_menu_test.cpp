#include "bar/bar_menu.h"

#include <gtest/gtest.h>

#include "bar/bar_model.h"
#include "bar/bar_test_support.h"
#include "bar/bar_texts.h"
#include "bar/fake_timers.h"
#include "bar/favorites.h"
#include "bar/parameter_check.h"
#include "profile/atomic_file.h"
#include "settings/globals.h"
#include "settings/paths.h"
#include "settings/settings_store.h"

namespace orvex::bar {
namespace {

using testing::FakeBrowser;
using testing::personsFile;
using testing::readFile;
using testing::RecordingView;
using testing::writeFile;

std::vector<std::string> visibleNames(const std::vector<MenuItem>& items) {
    std::vector<std::string> names;
    for (const MenuItem& item : items)
        if (item.visible) names.push_back(item.name);
    return names;
}

const MenuItem& itemOf(const std::vector<MenuItem>& items, MenuEntry entry) {
    for (const MenuItem& item : items)
        if (item.entry == entry) return item;
    return items.front();
}

// Tests that the menu holds every entry in order, hidden ones included, shows the four link entries
// only when the bar opens it, enables the two page entries only with a window, and ticks and
// captions the control panel and prize mode entries.
TEST(BarMenuTest, EntriesAndTheirState) {
    MenuState state;
    const auto bar = rightMenuItems(MenuOpening::WithLinkEntries, state);
    ASSERT_EQ(bar.size(), 20u);
    EXPECT_EQ(bar.front().name, "mnuShellWindows");
    EXPECT_EQ(bar.back().name, "mnuParameter");
    EXPECT_FALSE(bar.back().visible);
    EXPECT_EQ(visibleNames(bar),
              (std::vector<std::string>{"mnuAddURL", "mnuAddFavorites", "mnuEditURL", "mnuLinkSeparator", "mnuClipboard",
                                        "mnuHist", "mnuZolvanSetup", "mnuSystemSetup", "mnuUserSetup", "mnuControlPanel",
                                        "mnuKenshoMode", "mnuNewHelp", "mnuVersion", "mnuExit"}));
    EXPECT_FALSE(itemOf(bar, MenuEntry::AddURL).enabled);
    EXPECT_TRUE(itemOf(bar, MenuEntry::EditURL).enabled);
    EXPECT_EQ(itemOf(bar, MenuEntry::KenshoMode).caption, u"メルマガモード On");
    EXPECT_TRUE(itemOf(bar, MenuEntry::KenshoMode).checked);
    EXPECT_FALSE(itemOf(bar, MenuEntry::ControlPanel).checked);

    state.currentWatcherWithBrowser = true;
    state.controlPanelOn = true;
    state.prizeMode = false;
    const auto palette = rightMenuItems(MenuOpening::WithoutLinkEntries, state);
    EXPECT_EQ(palette.size(), 20u);
    EXPECT_EQ(visibleNames(palette).front(), "mnuClipboard");
    EXPECT_TRUE(itemOf(palette, MenuEntry::AddFavorites).enabled);
    EXPECT_TRUE(itemOf(palette, MenuEntry::ControlPanel).checked);
    EXPECT_EQ(itemOf(palette, MenuEntry::KenshoMode).caption, u"メルマガモード Off");
    EXPECT_EQ(itemOf(palette, MenuEntry::Hist).caption, u"応募履歴");
}

// Tests the parameter answers: empty stops, a non-number and a number not above 0 are refused with
// their messages, a positive number (full-width digits too) is taken.
TEST(ParameterCheckTest, Answers) {
    EXPECT_EQ(checkParameter(u"").answer, ParameterAnswer::Empty);
    EXPECT_EQ(checkParameter(u"  ").answer, ParameterAnswer::Empty);
    EXPECT_EQ(checkParameter(u"12a").answer, ParameterAnswer::NotNumber);
    EXPECT_EQ(checkParameter(u"99999999999").answer, ParameterAnswer::NotNumber);
    EXPECT_EQ(checkParameter(u"0").answer, ParameterAnswer::NotPositive);
    EXPECT_EQ(checkParameter(u"-5").answer, ParameterAnswer::NotPositive);
    EXPECT_EQ(checkParameter(u" 250 ").value, 250);
    EXPECT_EQ(checkParameter(u"１２").value, 12);
    EXPECT_EQ(parameterMessage(ParameterAnswer::NotNumber), u"数値を入力してください。");
    EXPECT_EQ(parameterMessage(ParameterAnswer::NotPositive), u"正の数値を入力してください。");
    EXPECT_TRUE(parameterMessage(ParameterAnswer::Accepted).empty());
}

// Tests favourite file names: characters a file name cannot hold become "_", blanks and dots at the
// ends go, an empty name takes the address.
TEST(FavoritesTest, FileNames) {
    EXPECT_EQ(favoriteFileName(u" 応募: a/b? ", u"http://x/"), u"応募_ a_b_.url");
    EXPECT_EQ(favoriteFileName(u"", u"http://x/"), u"http___x_.url");
    EXPECT_EQ(favoriteFileName(u"...", u""), u"Favorite.url");
}

class BarMenuActionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::globals() = settings::Globals{};
        settings::globals().FirstPageMode = 0;
        writeFile(home.data() / "userdata.ini", personsFile({"太郎"}));
    }
    void TearDown() override {
        profile::setWriteFaultForTesting({});
        settings::globals() = settings::Globals{};
    }
    void load() {
        bar.setBarWidth(1024);
        bar.load();
    }
    // A window the user opens with `html` at `url`; it becomes the current watcher's.
    void userOpens(const std::string& html, const std::string& url) {
        browser.pages->set("U1", html, url);
        browser.session->addWindow({"U1", {}, url, "応募ページ"});
    }

    settings::testing::TempHome home;
    RecordingView view;
    FakeTimerSource timers;
    FakeBrowser browser;
    BarModel bar{view, timers, browser};
};

// Tests that the control panel entry turns mode 2 into 0 and then into 1, storing each at once with
// its message and tick while the running mode stays; a store that fails says so and changes nothing.
TEST_F(BarMenuActionsTest, ControlPanelTwoZeroOne) {
    settings::globals().ControlPanelMode = 2;
    load();
    EXPECT_TRUE(itemOf(bar.menuItems(MenuOpening::WithLinkEntries), MenuEntry::ControlPanel).checked);
    bar.menuChosen(MenuEntry::ControlPanel);
    EXPECT_EQ(settings::getSetting(u"ControlPanelMode", u"?"), u"0");
    EXPECT_FALSE(itemOf(bar.menuItems(MenuOpening::WithLinkEntries), MenuEntry::ControlPanel).checked);
    bar.menuChosen(MenuEntry::ControlPanel);
    EXPECT_EQ(settings::getSetting(u"ControlPanelMode", u"?"), u"1");
    EXPECT_EQ(bar.storedControlPanelMode(), 1);
    EXPECT_EQ(settings::globals().ControlPanelMode, 2);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[1].text, u"次回の起動時より有効となります。");

    profile::setWriteFaultForTesting([](profile::WriteStep) { return ENOSPC; });
    bar.menuChosen(MenuEntry::ControlPanel);
    EXPECT_EQ(bar.storedControlPanelMode(), 1);
    EXPECT_EQ(view.messages.back().text, kSettingNotStoredMessage);
}

// Tests the parameter prompts: each preset with its value; a refused answer shows its message and
// stops, a positive one replaces the value, an empty one stops before the second prompt.
TEST_F(BarMenuActionsTest, ParameterPrompts) {
    load();
    view.textAnswers = {u"abc"};
    bar.menuChosen(MenuEntry::Parameter);
    ASSERT_EQ(view.prompts.size(), 1u);
    EXPECT_EQ(view.prompts[0].prompt, u"ﾊﾟﾗﾒｰﾀ1を入力してください。");
    EXPECT_EQ(view.prompts[0].preset, u"500");
    EXPECT_EQ(view.messages.back().text, u"数値を入力してください。");

    view.textAnswers = {u"20", u"0"};
    bar.menuChosen(MenuEntry::Parameter);
    EXPECT_EQ(settings::globals().waitRounds, 20);
    EXPECT_EQ(view.prompts[2].prompt, u"ﾊﾟﾗﾒｰﾀ2を入力してください。");
    EXPECT_EQ(view.prompts[2].preset, u"300");
    EXPECT_EQ(view.messages.back().text, u"正の数値を入力してください。");
    EXPECT_EQ(settings::globals().secondParameter, 300);

    view.textAnswers = {u"", u"7"};
    bar.menuChosen(MenuEntry::Parameter);
    EXPECT_EQ(view.prompts.size(), 4u);
    view.textAnswers = {u"30", u"40"};
    bar.menuChosen(MenuEntry::Parameter);
    EXPECT_EQ(settings::globals().waitRounds, 30);
    EXPECT_EQ(settings::globals().secondParameter, 40);
}

// Tests "お気に入りに追加": one shortcut in the data directory's favourites under the window's title
// and address, the window raised; a write that fails is reported; without a window it does nothing.
TEST_F(BarMenuActionsTest, AddFavorite) {
    load();
    bar.menuChosen(MenuEntry::AddFavorites);
    EXPECT_FALSE(std::filesystem::exists(home.data() / "Favorites"));
    userOpens("<p>x</p>", "http://127.0.0.1/page.html");
    bar.menuChosen(MenuEntry::AddFavorites);
    EXPECT_EQ(readFile(home.data() / "Favorites" / "応募ページ.url"),
              "[InternetShortcut]\r\nURL=http://127.0.0.1/page.html\r\n");
    EXPECT_EQ(browser.session->raisedWindows.back(), "U1");
    EXPECT_TRUE(view.messages.empty());

    profile::setWriteFaultForTesting([](profile::WriteStep) { return ENOSPC; });
    bar.menuChosen(MenuEntry::AddFavorites);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text.rfind(u"お気に入りに追加できませんでした（", 0), 0u);
}

// An icon fetcher that answers with what the test set.
class FakeFetcher final : public IconFetcher {
  public:
    void fetch(const std::string& url, std::function<void(FetchResult)> done) override {
        urls.push_back(url);
        done(answer);
    }
    FetchResult answer;
    std::vector<std::string> urls;
};

// Tests the page icon offer of "リンク追加": a local icon is copied into "icons" after OK and
// becomes the new link's; a download that fails shows its reason between the documented texts
// and the links dialog still opens; Cancel and pages without an icon ask nothing more.
TEST_F(BarMenuActionsTest, AddLinkWithThePageIcon) {
    FakeFetcher fetcher;
    BarModel withFetcher(view, timers, browser, &fetcher);
    withFetcher.setBarWidth(1024);
    withFetcher.load();
    const std::filesystem::path site = home.root() / "site";
    writeFile(site / "present.ico", "ICON");
    userOpens("<input id=kv0ExtIcon type=hidden value=\"present.ico\">",
              text::toUtf8(settings::fileUrl(site / "page.htm")));
    withFetcher.menuChosen(MenuEntry::AddURL);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, u"このページにはアイコンが設定されています。ダウンロードしますか？");
    EXPECT_EQ(readFile(home.data() / "icons" / "present.ico"), "ICON");
    ASSERT_EQ(view.newLinks.size(), 1u);
    EXPECT_EQ(view.newLinks[0].IconFileName, u".\\icons\\present.ico");
    EXPECT_EQ(view.newLinks[0].Name, u"応募ページ");
    EXPECT_TRUE(view.newLinks[0].Editable);

    browser.session->removeWindow("U1");
    userOpens("<img name=kv0ExtIcon src=\"/img/logo.ICO\">", "http://127.0.0.1/dir/page.html");
    fetcher.answer = FetchResult{false, {}, "timeout"};
    withFetcher.menuChosen(MenuEntry::AddURL);
    ASSERT_EQ(fetcher.urls.size(), 1u);
    EXPECT_EQ(fetcher.urls[0], "http://127.0.0.1/img/logo.ICO");
    EXPECT_EQ(view.busy, (std::vector<text::Text>{u"ダウンロード中。お待ち下さい。", u"-"}));
    EXPECT_EQ(view.messages.back().text, u"ダウンロードを中止します（timeout）");
    ASSERT_EQ(view.newLinks.size(), 2u);
    EXPECT_TRUE(view.newLinks[1].IconFileName.empty());

    view.okAnswers = {false};
    withFetcher.menuChosen(MenuEntry::AddURL);
    EXPECT_EQ(fetcher.urls.size(), 1u);
    EXPECT_EQ(view.newLinks.size(), 3u);
    EXPECT_EQ(iconTargetName(u"http://x/icon.png"), u"");
}

// Tests "ヘルプ": the bundled help page opens in a new window, or the documented message appears
// under the bar's caption when the installation has none.
TEST_F(BarMenuActionsTest, Help) {
    load();
    bar.menuChosen(MenuEntry::NewHelp);
    if (std::filesystem::exists(settings::resourceDir() / kHelpPage)) {
        EXPECT_EQ(bar.watchers().size(), 1u);
        EXPECT_TRUE(view.messages.empty());
    } else {
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].text,
                  u"ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。");
        EXPECT_EQ(view.messages[0].title, u"Orvex2000");
        EXPECT_TRUE(bar.watchers().empty());
    }
}

// Tests the entries that only ask the view (dialogs, about window) and "終了", which closes the
// browser before the bar.
TEST_F(BarMenuActionsTest, DialogsAboutAndExit) {
    load();
    bar.menuChosen(MenuEntry::Hist);
    bar.menuChosen(MenuEntry::SystemSetup);
    bar.menuChosen(MenuEntry::Clipboard);
    EXPECT_EQ(view.dialogs, (std::vector<BarDialog>{BarDialog::HistoryList, BarDialog::SystemSettings,
                                                    BarDialog::Clipboard}));
    bar.menuChosen(MenuEntry::Version);
    ASSERT_TRUE(view.about);
    EXPECT_EQ(view.about->name, u"Orvex2000");
    EXPECT_FALSE(view.about->version.empty());
    EXPECT_EQ(view.about->dataDirectory, home.data());
    bar.menuChosen(MenuEntry::Exit);
    EXPECT_EQ(browser.shutdowns, 1);
    EXPECT_EQ(view.quits, 1);
}

}  // namespace
}  // namespace orvex::bar
