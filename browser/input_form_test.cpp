#include "browser/input_form.h"

#include <gtest/gtest.h>

#include <map>

#include "browser/session_router.h"
#include "browser/static_page_access.h"
#include "devtools/fake_browser_session.h"
#include "history/rec.h"
#include "history/recs.h"
#include "page/html_loader.h"
#include "settings/globals.h"
#include "settings/product_pages.h"
#include "settings/test_env.h"

namespace orvex::browser {
namespace {

using devtools::NavigationDecision;
using devtools::NavigationRequest;

constexpr const char* kFrameUrl = "file:///orvex/control02/index.htm";
constexpr const char* kHeaderUrl = "file:///orvex/control02/header.htm";
constexpr const char* kPage = "http://127.0.0.1/entry.html";
constexpr const char* kNameForm = "<form action=\"/post\">お名前 <input type=text name=simei size=20></form>";

// Serves documents per frame id from saved pages.
class PageSource : public DocumentSource {
  public:
    DocumentRef load(const std::string& windowId, const std::string& frameId) override {
        ++loads;
        // A saved page names its top frame "top"; the window's main frame has the window's id.
        const auto it = pages.find(frameId == "top" ? windowId : frameId);
        return it == pages.end() ? nullptr : it->second->topDocument();
    }
    void set(const std::string& frameId, const std::string& html, const std::string& url,
             const std::string& windowName = {}) {
        page::LoadOptions options;
        options.url = url;
        options.windowName = windowName;
        pages[frameId] = StaticPageAccess::create(page::loadHtml(html, options));
    }
    std::map<std::string, std::shared_ptr<StaticPageAccess>> pages;
    int loads = 0;
};

class Host : public InputFormHost, public InputFormEvents {
  public:
    int personCount() override { return static_cast<int>(persons.size()); }
    std::shared_ptr<const fill::clsUserInfo> person(int position) override {
        if (position < 1 || position > personCount()) return nullptr;
        return persons[static_cast<std::size_t>(position - 1)];
    }
    void AddBrowser(const links::clsLink& link, bool childNoHeader, const std::string& windowId) override {
        adopted.push_back({link, childNoHeader, windowId});
    }
    void SelectCurrentForm(clsInputForm& form) override { selected = &form; }
    void RecordCurrentPage(clsInputForm& requester) override { requester.RecordCurrentPage(); }
    void ShowHelp() override { ++helps; }
    void ShowMessage(const text::Text& message) override { messages.push_back(message); }
    std::string browserHomePage() override {
        return homePage.empty() ? InputFormHost::browserHomePage() : homePage;
    }
    std::string homePage;

    void Hit(clsInputForm&, int& value) override { hits.push_back(value); }
    void NoHit(clsInputForm&) override { ++noHits; }
    void OnBeforeNavigate(clsInputForm&) override { ++beforeNavigates; }
    void OnBrowserQuit(clsInputForm&) override { ++quits; }

    struct Adoption {
        links::clsLink link;
        bool childNoHeader;
        std::string windowId;
    };
    std::vector<std::shared_ptr<const fill::clsUserInfo>> persons;
    std::vector<Adoption> adopted;
    clsInputForm* selected = nullptr;
    int helps = 0;
    std::vector<text::Text> messages;
    struct Recorded {
        text::Text URL;
        text::Text SiteName;
        text::Text CreatedDate;
    };
    std::vector<Recorded> edited;  // through the history's edit window
    std::vector<Recorded> stored;  // straight into the shared history
    std::vector<int> hits;
    int noHits = 0;
    int beforeNavigates = 0;
    int quits = 0;
};

std::shared_ptr<fill::clsUserInfo> personNamed(const char16_t* display, const char16_t* mailUser) {
    auto p = std::make_shared<fill::clsUserInfo>();
    p->DisplayName = display;
    p->Name1 = display;
    p->Email1 = mailUser;
    p->Email2 = u"example.jp";
    return p;
}

// The history store is shared by the whole program, so one private data directory serves every
// test of this executable; nothing is written to the user's own.
settings::testing::TempHome& privateHome() {
    static settings::testing::TempHome home;
    return home;
}

class InputFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        privateHome();
        history::clsRec::setEditHandler([this](history::clsRec& rec) {
            host.edited.push_back({rec.URL, rec.SiteName, rec.CreatedDate});
            return false;
        });
        m_recorded = history::sharedRecs().subscribeChanged([this](const history::clsRecs::RecPtr& rec) {
            host.stored.push_back({rec->URL, rec->SiteName, rec->CreatedDate});
        });
        settings::globals() = settings::Globals{};
        settings::globals().ControlPanelMode = 2;
        host.persons = {personNamed(u"太郎", u"taro"), personNamed(u"花子", u"hanako"),
                        personNamed(u"次郎", u"jiro")};
        session.setObserver(&router);
        session.addWindow({"W1", {}, kPage, {}});
        links::clsLink link;
        link.InputMode = 1;
        link.FrameURL = text::fromUtf8(kFrameUrl);
        link.setHeaderURL(text::fromUtf8(kHeaderUrl));
        form.setLink(link);
        form.setKey(u"F1");
        form.UserInfo = host.persons[0];
        form.setBrowser("W1");
        router.attach("W1", &form);
        form.frameManager().setFillOneForm([this](engine::clsHTMLItems&, page::Document& document,
                                                  const fill::clsUserInfo& person, fill::FormFillReport&) {
            filledWith.push_back(person.DisplayName);
            return document.all().tags("INPUT").item(0).setValue(text::toUtf8(person.DisplayName));
        });
    }
    void TearDown() override {
        settings::globals() = settings::Globals{};
        history::clsRec::setEditHandler(nullptr);
        history::sharedRecs().unsubscribeChanged(m_recorded);
    }

    NavigationDecision request(const std::string& url, bool topLevel = true,
                               const std::string& frameName = {}, const std::string& frameId = "W1") {
        return session.requestNavigation(
            NavigationRequest{"r", "W1", frameId, frameName, url, "GET", topLevel, false});
    }
    void addFramesetFrames() {
        session.addFrame({"W1", "H", "W1", "qzt00header", kHeaderUrl});
        session.addFrame({"W1", "C", "W1", "qzt00contents", "about:blank"});
    }

    devtools::FakeBrowserSession session;
    SessionRouter router;
    std::shared_ptr<PageSource> source = std::make_shared<PageSource>();
    Host host;
    clsInputForm form{session, source, &host, &host};
    std::vector<text::Text> filledWith;
    int m_recorded = 0;
};

// Tests the header frameset road: the first page waits while the frameset loads, then goes into
// the content frame, where it is read and filled; the persons' names go into the header page.
TEST_F(InputFormTest, HeaderFramesetRoad) {
    form.Navigate(text::fromUtf8(kPage));
    EXPECT_EQ(request(kPage).kind, NavigationDecision::Kind::Cancel);
    ASSERT_EQ(session.navigations.size(), 2u);
    EXPECT_EQ(session.navigations[1].url, kFrameUrl);
    EXPECT_EQ(session.navigations[1].frameId, "");
    EXPECT_EQ(form.pendingSubURL(), text::fromUtf8(kPage));
    // The frameset itself and its frames go on.
    EXPECT_EQ(request(kFrameUrl).kind, NavigationDecision::Kind::Continue);
    EXPECT_EQ(request(kHeaderUrl, false, "qzt00header", "H").kind, NavigationDecision::Kind::Continue);
    addFramesetFrames();
    source->set("H", "<a id=qzt00user0></a><a id=qzt00user1></a><a id=qzt00user2x></a>", kHeaderUrl,
                "qzt00header");
    router.frameLoaded({"W1", "H", "W1", "qzt00header", kHeaderUrl});
    const auto& texts = source->pages["H"]->textsSet;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(std::get<1>(texts[0]), "qzt00user0");
    EXPECT_EQ(std::get<2>(texts[0]), "太郎");
    EXPECT_EQ(std::get<2>(texts[1]), "花子");
    source->set("W1", "<frameset><frame name=qzt00header><frame name=qzt00contents></frameset>", kFrameUrl);
    router.frameLoaded({"W1", "W1", "", "", kFrameUrl});
    ASSERT_EQ(session.navigations.size(), 3u);
    EXPECT_EQ(session.navigations[2].url, kPage);
    EXPECT_EQ(session.navigations[2].frameId, "C");
    EXPECT_TRUE(form.pendingSubURL().empty());
    // The content frame's request names the content frame; it goes on.
    EXPECT_EQ(request(kPage, false, "qzt00contents", "C").kind, NavigationDecision::Kind::Continue);
    EXPECT_EQ(form.contentURL(), text::fromUtf8(kPage));
    source->set("C", std::string("<title>Entry</title>") + kNameForm, kPage, "qzt00contents");
    router.frameLoaded({"W1", "C", "W1", "qzt00contents", kPage});
    EXPECT_EQ(filledWith, std::vector<text::Text>{u"太郎"});
    EXPECT_EQ(host.hits, std::vector<int>{0});
    EXPECT_EQ(form.DestURL, text::fromUtf8(kPage));
    EXPECT_EQ(form.DestName, u"Entry");
    EXPECT_EQ(form.CurrentURL(), text::fromUtf8(kPage));
    EXPECT_EQ(form.CurrentName(), u"Entry");
    ASSERT_EQ(source->pages["C"]->replayed["top"].size(), 1u);
}

// Tests that without a control panel the first navigation goes on and nothing waits.
TEST_F(InputFormTest, NoHeaderWhenControlPanelOff) {
    settings::globals().ControlPanelMode = 0;
    EXPECT_EQ(request(kPage).kind, NavigationDecision::Kind::Continue);
    EXPECT_TRUE(session.navigations.empty());
    EXPECT_TRUE(form.pendingSubURL().empty());
}

// Tests that later top-level navigations go into the content frame, once per address.
TEST_F(InputFormTest, TopLevelNavigationsGoIntoContentFrame) {
    addFramesetFrames();
    EXPECT_EQ(request(kFrameUrl).kind, NavigationDecision::Kind::Continue);
    EXPECT_EQ(request("http://127.0.0.1/next.html").kind, NavigationDecision::Kind::Cancel);
    ASSERT_EQ(session.navigations.size(), 1u);
    EXPECT_EQ(session.navigations[0].frameId, "C");
    EXPECT_EQ(request("http://127.0.0.1/next.html").kind, NavigationDecision::Kind::Cancel);
    EXPECT_EQ(session.navigations.size(), 1u);
    // A frame's own navigation is left alone.
    EXPECT_EQ(request("http://127.0.0.1/other.html", false, "qzt00contents", "C").kind,
              NavigationDecision::Kind::Continue);
    EXPECT_EQ(session.navigations.size(), 1u);
}

// Tests the header commands: a person's digit fills with the person after it, help and record go to
// the bar; a near-miss address outside the control panel's folder is an ordinary navigation.
TEST_F(InputFormTest, HeaderCommands) {
    EXPECT_EQ(request(kFrameUrl).kind, NavigationDecision::Kind::Continue);  // the window's first page
    source->set("W1", kNameForm, kPage);
    form.frameManager().InputMode = 2;
    EXPECT_EQ(request("file:///orvex/control02/qzt00user2", false, "qzt00header", "H").kind,
              NavigationDecision::Kind::Cancel);
    EXPECT_EQ(filledWith, std::vector<text::Text>{u"次郎"});
    EXPECT_TRUE(host.hits.empty());  // the frame manager fills; no event
    EXPECT_EQ(request("file:///orvex/control02/qzt00help", false, "qzt00header", "H").kind,
              NavigationDecision::Kind::Cancel);
    EXPECT_EQ(host.helps, 1);
    form.DestURL = text::fromUtf8(kPage);
    form.DestName = u"Entry";
    EXPECT_EQ(request("file:///orvex/control02/qzt00rec", false, "qzt00header", "H").kind,
              NavigationDecision::Kind::Cancel);
    ASSERT_EQ(host.edited.size(), 1u);
    EXPECT_EQ(host.edited[0].URL, text::fromUtf8(kPage));
    EXPECT_EQ(host.edited[0].SiteName, u"Entry");
    // A person beyond the list does nothing.
    EXPECT_EQ(request("file:///orvex/control02/qzt00user7", false, "qzt00header", "H").kind,
              NavigationDecision::Kind::Cancel);
    EXPECT_EQ(filledWith.size(), 1u);
    EXPECT_EQ(request("file:///orvex/other/qzt00user1", false, "x", "X").kind,
              NavigationDecision::Kind::Continue);
    EXPECT_EQ(filledWith.size(), 1u);
}

// Tests the mail link rewriting of an automatic window: rewritten once, the rewritten address
// itself passes, and a form's own mail action is left alone.
TEST_F(InputFormTest, MailLinksRewrittenOnce) {
    EXPECT_EQ(request(kFrameUrl).kind, NavigationDecision::Kind::Continue);  // the window's first page
    form.MailtoClicked({"W1", "W1", "", "", kPage}, "mailto:Prize@Example.jp");
    ASSERT_EQ(session.navigations.size(), 1u);
    const std::string rewritten = session.navigations[0].url;
    EXPECT_EQ(rewritten.rfind("mailto:prize@example.jp?subject=Present&body=", 0), 0u);
    EXPECT_EQ(form.mailCounter(), 1);
    form.MailtoClicked({"W1", "W1", "", "", kPage}, rewritten);
    ASSERT_EQ(session.navigations.size(), 2u);
    EXPECT_EQ(session.navigations[1].url, rewritten);
    EXPECT_EQ(form.mailCounter(), 1);
    form.frameManager().AddActionMailto(u"mailto:form@example.jp");
    form.MailtoClicked({"W1", "W1", "", "", kPage}, "mailto:FORM@example.jp?subject=x");
    ASSERT_EQ(session.navigations.size(), 3u);
    EXPECT_EQ(session.navigations[2].url, "mailto:FORM@example.jp?subject=x");
}

// Tests the four forms of a rewritten mail link, the person rotation and the lower-casing.
TEST_F(InputFormTest, ModifyMailtoForms) {
    const text::Text info1 = host.persons[0]->GetMailInfo();
    const text::Text info2 = host.persons[1]->GetMailInfo();
    EXPECT_EQ(form.ModifyMailto(u"MAILTO:A@B.JP"), u"mailto:a@b.jp?subject=Present&body=" + info1);
    EXPECT_EQ(form.ModifyMailto(u"mailto:a@b.jp?subject=Hi"), u"mailto:a@b.jp?subject=hi&body=" + info2);
    EXPECT_EQ(form.ModifyMailto(u"mailto:a@b.jp?subject=hi&body=x"),
              u"mailto:a@b.jp?subject=hi&body=x%20:" + host.persons[2]->GetMailInfo());
    EXPECT_EQ(form.ModifyMailto(u"mailto:a@b.jp?body=x"),
              u"mailto:a@b.jp?subject=Present&body=x%20:" + info1);
    host.persons.clear();
    EXPECT_EQ(form.ModifyMailto(u"MAILTO:A@B.JP"), u"mailto:a@b.jp");
}

// Tests that after 1001 rewritten links the watcher leaves mail links alone.
TEST_F(InputFormTest, MailRewriteLimit) {
    for (int i = 0; i < 1001; ++i) form.ModifyMailto(u"mailto:a@b.jp");
    EXPECT_EQ(form.mailCounter(), 1001);
    EXPECT_EQ(form.ModifyMailto(u"MAILTO:A@B.JP"), u"MAILTO:A@B.JP");
}

// Tests that a document read at the end of a download is not read again when it completes, and
// that the last download's end reports NoHit.
TEST_F(InputFormTest, DownloadsAndReadList) {
    settings::globals().ControlPanelMode = 0;
    source->set("W1", kNameForm, kPage);
    router.frameStartedLoading({"W1", "W1", "", "", kPage});
    router.frameStartedLoading({"W1", "Sub", "W1", "", kPage});  // a frame's loading is not counted
    EXPECT_EQ(host.beforeNavigates, 1);
    router.frameStoppedLoading({"W1", "W1", "", "", kPage});
    EXPECT_EQ(host.noHits, 1);
    EXPECT_EQ(filledWith.size(), 1u);
    EXPECT_EQ(form.readURLs(), std::vector<text::Text>{text::fromUtf8(kPage)});
    const int loads = source->loads;
    router.frameLoaded({"W1", "W1", "", "", kPage});
    EXPECT_EQ(source->loads, loads + 1);
    EXPECT_EQ(filledWith.size(), 1u);
    EXPECT_EQ(form.frameManager().frames().size(), 1u);
    // A new navigation empties the list, so the next completion reads again.
    request("http://127.0.0.1/x.html");
    EXPECT_TRUE(form.readURLs().empty());
}

// Tests that with the header in use the content frame's loading counts as the page's (begin and
// the last complete), other frames' loading does not, and a page read at its load is not read a
// second time when its frame stops loading, even when its scripts added elements meanwhile.
TEST_F(InputFormTest, ContentFrameLoadingCountsAndReadsOnce) {
    addFramesetFrames();
    const devtools::FrameInfo content{"W1", "C", "W1", "qzt00contents", kPage};
    router.frameStartedLoading(content);
    router.frameStartedLoading({"W1", "H", "W1", "qzt00header", kHeaderUrl});
    EXPECT_EQ(host.beforeNavigates, 1);
    source->set("C", kNameForm, kPage, "qzt00contents");
    router.frameLoaded(content);
    EXPECT_EQ(filledWith.size(), 1u);
    source->set("C", std::string(kNameForm) + "<p><input type=hidden name=later></p>", kPage,
                "qzt00contents");
    router.frameStoppedLoading({"W1", "H", "W1", "qzt00header", kHeaderUrl});
    EXPECT_EQ(host.noHits, 0);
    router.frameStoppedLoading(content);
    EXPECT_EQ(host.noHits, 1);
    EXPECT_EQ(filledWith.size(), 1u);

    // The near miss: the next page of the content frame is read when it stops loading.
    router.frameNavigated(content);
    router.frameStartedLoading(content);
    router.frameStoppedLoading(content);
    EXPECT_EQ(filledWith.size(), 2u);
}

// Tests recording: with Hist on through the edit window, off at once, nothing while loading, and
// the partner redirect's target address.
TEST_F(InputFormTest, RecordCurrentPage) {
    form.RecordCurrentPage();
    EXPECT_EQ(host.messages, std::vector<text::Text>{text::Text(kRecordWhileLoadingMessage)});
    form.DestURL = text::Text(kPartnerRedirectPrefix) + u"go?id=1&u=http://shop.example/p";
    form.DestName = u"Shop";
    settings::globals().Hist = false;
    form.RecordCurrentPage();
    ASSERT_EQ(host.stored.size(), 1u);
    EXPECT_EQ(host.stored[0].URL, u"http://shop.example/p");
    EXPECT_EQ(host.stored[0].SiteName, u"Shop");
    EXPECT_EQ(host.stored[0].CreatedDate.size(), 10u);  // yyyy/mm/dd
    EXPECT_TRUE(host.edited.empty());
}

// Tests that an empty address minimises the window, "HOME" opens the browser's start page (the
// bundled home page when it has none), writing URL navigates, and a watcher without window
// navigates nowhere.
TEST_F(InputFormTest, NavigateEdgeCases) {
    session.bounds["W1"] = {};
    form.Navigate(u"");
    EXPECT_EQ(session.bounds["W1"].state, "minimized");
    EXPECT_TRUE(session.navigations.empty());
    form.Navigate(u"HOME");
    ASSERT_EQ(session.navigations.size(), 1u);
    EXPECT_EQ(session.navigations[0].url,
              text::toUtf8(settings::productPageUrl(settings::ProductPage::Home)));
    EXPECT_NE(session.navigations[0].url, "about:blank");
    EXPECT_EQ(session.bounds["W1"].state, "normal");
    host.homePage = "https://start.example/";
    form.Navigate(u"HOME");
    EXPECT_EQ(session.navigations.back().url, "https://start.example/");
    form.setURL(u"http://127.0.0.1/next");
    ASSERT_EQ(session.navigations.size(), 3u);
    EXPECT_EQ(session.navigations.back().url, "http://127.0.0.1/next");
    EXPECT_EQ(form.URL(), u"http://127.0.0.1/next");
    form.setBrowser("");
    form.Navigate(u"http://127.0.0.1/");
    EXPECT_EQ(session.navigations.size(), 3u);
}

// Tests that a mail link opens as it would without the program in a window whose watcher sleeps,
// while an awake watcher rewrites it.
TEST_F(InputFormTest, MailLinkOfASleepingWatcherIsFollowed) {
    router.setSession(&session);
    form.setBrowser("");  // asleep: detached from its window
    router.mailtoClicked({"W1", "W1", "", "", kPage}, "mailto:a@b.jp");
    ASSERT_EQ(session.navigations.size(), 1u);
    EXPECT_EQ(session.navigations[0].url, "mailto:a@b.jp");
    form.setBrowser("W1");
    router.mailtoClicked({"W1", "W1", "", "", kPage}, "mailto:a@b.jp");
    ASSERT_EQ(session.navigations.size(), 2u);
    EXPECT_NE(session.navigations[1].url.find("subject=Present"), std::string::npos);
}

// Tests that a window opened by the page is adopted for this watcher's link, focus selects the
// watcher, and a closed window ends it.
TEST_F(InputFormTest, RouterEvents) {
    links::clsLink link = form.Link();
    link.ChildNoHeaderFlag = true;
    form.setLink(link);
    session.addWindow({"W2", "W1", "http://127.0.0.1/pop.html", {}});
    session.addWindow({"W3", "W9", "http://127.0.0.1/pop.html", {}});
    ASSERT_EQ(host.adopted.size(), 1u);
    EXPECT_EQ(host.adopted[0].windowId, "W2");
    EXPECT_TRUE(host.adopted[0].childNoHeader);
    router.windowFocused("W1");
    EXPECT_EQ(host.selected, &form);
    session.removeWindow("W1");
    EXPECT_EQ(host.quits, 1);
    EXPECT_TRUE(form.Browser().empty());
    EXPECT_EQ(router.formOf("W1"), nullptr);
}

// Tests that a sleeping watcher gets no events and attaches again when its window still exists.
TEST_F(InputFormTest, SleepDetaches) {
    form.Sleep(0);
    EXPECT_EQ(form.Browser(), "W1");
    session.removeWindow("W1");
    form.setBrowser("W1");
    form.Sleep(0);
    EXPECT_TRUE(form.Browser().empty());
}

// Tests that a fill on request reads the page as it stands now: a form the page's script built after
// its load is found and filled, where the copy taken at the load had none; a frame that shows another
// address by now is not taken for the reader's page.
TEST_F(InputFormTest, FillOnRequestReadsTheLivePage) {
    source->set("W1", "<form><p>お待ちください</p></form>", kPage);
    router.frameLoaded({"W1", "W1", "", "", kPage});
    EXPECT_TRUE(filledWith.empty());
    source->set("W1", kNameForm, "http://127.0.0.1/other.html");
    form.Fill(host.persons[0]);
    EXPECT_TRUE(filledWith.empty());
    EXPECT_EQ(host.noHits, 1);

    source->set("W1", kNameForm, kPage);
    form.Fill(host.persons[0]);
    EXPECT_EQ(filledWith, std::vector<text::Text>{host.persons[0]->DisplayName});
    EXPECT_EQ(host.hits.size(), 1u);
}

// Tests the on-request mode: a completed document only clears the manager; a fill reads then.
TEST_F(InputFormTest, OnRequestMode) {
    links::clsLink link = form.Link();
    link.InputMode = 2;
    form.setLink(link);
    source->set("W1", kNameForm, kPage);
    router.frameLoaded({"W1", "W1", "", "", kPage});
    EXPECT_TRUE(filledWith.empty());
    EXPECT_TRUE(form.frameManager().frames().empty());
    form.Fill(host.persons[1]);
    EXPECT_EQ(filledWith, std::vector<text::Text>{u"花子"});
    EXPECT_EQ(host.hits.size(), 1u);
    // A completed document clears the readers; a fill that finds no document writes nothing.
    router.frameLoaded({"W1", "W1", "", "", kPage});
    source->pages.clear();
    form.Fill(host.persons[1]);
    EXPECT_EQ(host.noHits, 1);
    EXPECT_EQ(filledWith.size(), 1u);
}

}  // namespace
}  // namespace orvex::browser
