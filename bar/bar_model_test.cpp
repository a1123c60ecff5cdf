#include "bar/bar_model.h"

#include <gtest/gtest.h>

#include "bar/bar_test_support.h"
#include "bar/bar_texts.h"
#include "bar/fake_timers.h"
#include "settings/globals.h"
#include "settings/product_pages.h"

namespace orvex::bar {
namespace {

using testing::FakeBrowser;
using testing::personsFile;
using testing::RecordingView;
using testing::writeFile;

constexpr const char* kPage = "http://127.0.0.1/entry.html";
constexpr const char* kNameForm = "<form action=\"/post\">お名前 <input type=text name=simei size=20></form>";

class BarModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::globals() = settings::Globals{};
        // Nothing is opened at load unless a test asks for it.
        settings::globals().FirstPageMode = 0;
        writeFile(home.data() / "userdata.ini", personsFile({"太郎", "花子", "次郎"}));
    }
    void TearDown() override { settings::globals() = settings::Globals{}; }

    void load() {
        bar.setBarWidth(1024);
        bar.load();
    }
    devtools::FakeBrowserSession& session() { return *browser.session; }
    // A window the user opens with a form page in it.
    void userOpens(const std::string& windowId) {
        browser.pages->set(windowId, kNameForm, kPage);
        session().addWindow({windowId, {}, kPage, "応募ページ"});
    }
    // Records the person every fill of the watcher writes with.
    void recordFills(browser::clsInputForm& form) {
        form.frameManager().setFillOneForm(
            [this](engine::clsHTMLItems&, page::Document&, const fill::clsUserInfo& person, fill::FormFillReport&) {
                filledWith.push_back(person.DisplayName);
                return true;
            });
    }

    settings::testing::TempHome home;
    RecordingView view;
    FakeTimerSource timers;
    FakeBrowser browser;
    BarModel bar{view, timers, browser};
    std::vector<text::Text> filledWith;
};

// Tests that two notices of the window the bar just created never make a second watcher, whether
// the notice comes before the browser's answer or after it, while a window the user opens gets
// its own watcher with the prize link and no header.
TEST_F(BarModelTest, WindowJustCreatedGetsOneWatcher) {
    load();
    bar.OpenLink(0);  // the browser link: input on request, no question
    ASSERT_EQ(bar.watchers().size(), 1u);
    const std::string first = bar.watcher(u"F1")->Browser();
    ASSERT_FALSE(first.empty());
    session().observer()->windowOpened({first, {}, "about:blank", {}});
    EXPECT_EQ(bar.watchers().size(), 1u);
    EXPECT_EQ(session().navigations.back().windowId, first);

    browser.holdOpenedNotices = true;
    bar.OpenLink(0);
    browser.holdOpenedNotices = false;
    ASSERT_EQ(bar.watchers().size(), 2u);
    const std::string second = bar.watcher(u"F2")->Browser();
    EXPECT_FALSE(second.empty());
    browser.releaseOpenedNotices();
    session().observer()->windowOpened({second, {}, "about:blank", {}});
    EXPECT_EQ(bar.watchers().size(), 2u);

    userOpens("U1");
    ASSERT_EQ(bar.watchers().size(), 3u);
    const auto adopted = bar.watcher(u"F3");
    ASSERT_TRUE(adopted);
    EXPECT_EQ(adopted->Browser(), "U1");
    EXPECT_EQ(bar.currentForm(), adopted);
    EXPECT_EQ(adopted->Link().id, bar.links()[kPrizeModeLink - 1]->id);
    EXPECT_TRUE(adopted->Link().NoHeaderFlag);
    EXPECT_TRUE(adopted->Link().ChildNoHeaderFlag);
    EXPECT_EQ(bar.watcherCounter(), 3);
}

// Tests that without prize mode a found window takes the first link, that ConstEnabled places it,
// and that a window a page opens is followed by a watcher of its own, current, with no second one.
TEST_F(BarModelTest, FoundAndOpenedWindows) {
    settings::globals().ConstEnabled = true;
    settings::globals().ConstLeft = 10;
    settings::globals().ConstTop = 20;
    load();
    bar.menuChosen(MenuEntry::KenshoMode);
    userOpens("U1");
    const auto form = bar.watcher(u"F1");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->Link().id, bar.links()[kPlainModeLink - 1]->id);
    EXPECT_EQ(session().bounds["U1"].left, 10);
    EXPECT_EQ(session().bounds["U1"].top, 20);
    EXPECT_EQ(session().bounds["U1"].width, 600);

    session().addWindow({"P1", "U1", "about:blank", {}});
    ASSERT_EQ(bar.watchers().size(), 2u);
    EXPECT_EQ(bar.watcher(u"F2")->Browser(), "P1");
    EXPECT_EQ(bar.currentForm(), bar.watcher(u"F2"));
    // The opener's link, without a header as the opener's child flag says.
    EXPECT_TRUE(bar.watcher(u"F2")->Link().NoHeaderFlag);
    EXPECT_EQ(session().bounds["P1"].left, 10);
}

// Tests that person button 2 fills with the third person and leaves the watcher at the first,
// that button 0 fills with the first, and that without persons a click only says so.
TEST_F(BarModelTest, PersonButtonFillsWithItsPerson) {
    load();
    userOpens("U1");
    const auto form = bar.watcher(u"F1");
    ASSERT_TRUE(form);
    recordFills(*form);
    bar.clickPersonButton(2);
    ASSERT_FALSE(filledWith.empty());
    for (const text::Text& name : filledWith) EXPECT_EQ(name, u"次郎");
    EXPECT_EQ(form->UserInfo, bar.persons()[0]);
    EXPECT_TRUE(view.messages.empty());

    filledWith.clear();
    bar.clickPersonButton(0);
    ASSERT_FALSE(filledWith.empty());
    EXPECT_EQ(filledWith.back(), u"太郎");

    writeFile(home.data() / "userdata.ini", "");
    bar.UpdateUserData();
    filledWith.clear();
    bar.clickPersonButton(0);
    EXPECT_TRUE(filledWith.empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, kNoPersonMessage);
    EXPECT_TRUE(view.personButtons.empty());
}

// Tests that a hit of the current watcher counts, raises its window and flashes, while the events
// of a watcher that is not current never reach the bar.
TEST_F(BarModelTest, OnlyTheCurrentWatchersEventsReachTheBar) {
    load();
    userOpens("U1");
    userOpens("U2");
    const auto first = bar.watcher(u"F1");
    const auto second = bar.watcher(u"F2");
    ASSERT_EQ(bar.currentForm(), second);
    first->PassFillResult(true);
    first->DownloadBegin();
    EXPECT_EQ(bar.hitCount(), 0);
    EXPECT_EQ(bar.statusState(), StatusState::Default);
    EXPECT_FALSE(bar.flashing());

    second->PassFillResult(true);
    EXPECT_EQ(bar.hitCount(), 1);
    EXPECT_EQ(view.hitCount, u"1");
    EXPECT_EQ(bar.statusState(), StatusState::Hit);
    EXPECT_TRUE(bar.flashing());
    EXPECT_EQ(session().raisedWindows.back(), "U2");

    session().observer()->windowFocused("U1");
    EXPECT_EQ(bar.currentForm(), first);
    first->DownloadBegin();
    EXPECT_EQ(bar.statusState(), StatusState::BeforeNavigate);
    session().removeWindow("U1");
    EXPECT_FALSE(bar.currentForm());
    EXPECT_EQ(bar.statusState(), StatusState::Default);
    EXPECT_EQ(view.onTop, std::vector<bool>{false});
}

// Tests that a watcher dropped while its own handler runs (its window closed and another one found
// during its fill) is destroyed only after that handler has returned.
TEST_F(BarModelTest, DroppedWatcherOutlivesItsHandler) {
    load();
    userOpens("U1");
    std::weak_ptr<browser::clsInputForm> first = bar.watcher(u"F1");
    ASSERT_FALSE(first.expired());
    bool droppedInside = false;
    first.lock()->frameManager().setFillOneForm(
        [&](engine::clsHTMLItems&, page::Document&, const fill::clsUserInfo&, fill::FormFillReport&) {
            session().removeWindow("U1");
            userOpens("U2");
            droppedInside = bar.watcher(u"F1") == nullptr && !first.expired();
            return true;
        });
    session().observer()->frameLoaded({"U1", "U1", {}, {}, kPage});
    EXPECT_TRUE(droppedInside);
    EXPECT_TRUE(first.expired());
    ASSERT_EQ(bar.watchers().size(), 1u);
    EXPECT_EQ(bar.watchers()[0]->key(), u"F2");
}

// Tests the status text of the current window by input mode and the auto-input switch, and that a
// text beginning with "http" is left as the window set it.
TEST_F(BarModelTest, StatusText) {
    load();
    userOpens("U1");
    session().observer()->windowFocused("U1");
    EXPECT_EQ(view.statusText, u"Orvex2000(自動入力モード) ");
    bar.clickAutoLabel();
    EXPECT_FALSE(view.autoLabel);
    bar.clickStatusPicture();
    EXPECT_EQ(view.statusText, u"Orvex2000(自動入力モード停止中) ");
    bar.clickAutoLabel();
    EXPECT_TRUE(view.autoLabel);

    bar.watcher(u"F1")->SetStatusText(u"http://127.0.0.1/next.html");
    EXPECT_EQ(view.statusText, u"http://127.0.0.1/next.html");
    bar.clickStatusPicture();
    EXPECT_EQ(view.statusText, u"http://127.0.0.1/next.html");

    bar.OpenLink(0);  // the browser link: input on request
    session().observer()->windowFocused(bar.watcher(u"F2")->Browser());
    EXPECT_EQ(view.statusText, u"Orvex2000(手動入力モード)");
}

// Tests opening an automatic link without persons: the question with its line breaks; OK opens the
// person setup and no window, Cancel opens the window; with the control panel on the window gets
// the frameset with the page waiting for its content frame.
TEST_F(BarModelTest, OpeningALinkWithoutPersons) {
    writeFile(home.data() / "userdata.ini", "");
    settings::globals().ControlPanelMode = 2;
    load();
    view.okAnswers = {true, false};
    bar.OpenLink(kFirstPageLink);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text,
              u"ユーザ設定がされていないか、ユーザボタンが表示されていません。\nユーザ設定をしないと自動入力できません。"
              u"\n\nユーザ設定をしますか？");
    EXPECT_EQ(view.questions[0].title, u"Orvex2000");
    EXPECT_EQ(view.dialogs, std::vector<BarDialog>{BarDialog::PersonSetup});
    EXPECT_TRUE(bar.watchers().empty());

    bar.OpenLink(kFirstPageLink);
    ASSERT_EQ(bar.watchers().size(), 1u);
    const auto form = bar.watcher(u"F1");
    const settings::ControlPanelPages panel = settings::controlPanelPages(settings::globals());
    EXPECT_EQ(text::fromUtf8(session().navigations.back().url), panel.index);
    EXPECT_EQ(form->pendingSubURL(), settings::firstPageAddress(settings::globals()));

    bar.OpenLink(0);  // input on request: no question
    EXPECT_EQ(view.questions.size(), 2u);
    EXPECT_EQ(bar.watchers().size(), 2u);
}

// Tests that a browser that cannot be started is reported (naming the setting and the package)
// and the bar goes on, and that a browser that ended is started again at the next window, its
// watchers dropped.
TEST_F(BarModelTest, BrowserMissingOrEnded) {
    browser.installed = false;
    load();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find(u"BrowserPath"), text::Text::npos);
    EXPECT_NE(view.messages[0].text.find(u"chromium"), text::Text::npos);
    EXPECT_FALSE(view.personButtons.empty());
    bar.OpenLink(0);
    EXPECT_EQ(view.messages.size(), 2u);
    EXPECT_TRUE(bar.watchers().empty());

    browser.installed = true;
    bar.OpenLink(0);
    ASSERT_EQ(bar.watchers().size(), 1u);
    EXPECT_EQ(browser.starts, 1);
    session().closeBrowser("crashed");
    EXPECT_TRUE(bar.watcher(u"F1")->Browser().empty());
    bar.OpenLink(0);
    EXPECT_EQ(browser.starts, 2);
    ASSERT_EQ(bar.watchers().size(), 1u);
    EXPECT_EQ(bar.watchers()[0]->key(), u"F2");
    EXPECT_FALSE(bar.watchers()[0]->Browser().empty());
    EXPECT_TRUE(browser.ended.empty());  // freed once the call returned
}

}  // namespace
}  // namespace orvex::bar
