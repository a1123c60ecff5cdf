#include "browser/frame_manager.h"

#include <gtest/gtest.h>

#include "browser/static_page_access.h"
#include "page/html_loader.h"
#include "settings/globals.h"

namespace orvex::browser {
namespace {

// A form the engine reads as one full-name field.
constexpr const char* kNameForm = "<form action=\"/post\">お名前 <input type=text name=simei size=20></form>";

class FakeOwner : public FrameManagerOwner {
  public:
    void SetStatusText(const text::Text& text) override { statusTexts.push_back(text); }
    void PassFillResult(bool result) override { results.push_back(result); }
    DocumentRef browserDocument() override { return access ? access->topDocument() : nullptr; }

    std::shared_ptr<StaticPageAccess> access;
    std::vector<text::Text> statusTexts;
    std::vector<bool> results;
};

std::shared_ptr<StaticPageAccess> pageOf(const std::string& html,
                                         const std::string& url = "http://127.0.0.1/p.html",
                                         const std::string& windowName = {}) {
    page::LoadOptions options;
    options.url = url;
    options.windowName = windowName;
    return StaticPageAccess::create(page::loadHtml(html, options));
}

class FrameManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::globals() = settings::Globals{};
        manager.ParentForm = &owner;
        manager.InputMode = 1;
        manager.setUserInfo(person);
        // Writes "filled" into the first text input of the form's document.
        manager.setFillOneForm([this](engine::clsHTMLItems&, page::Document& document,
                                      const fill::clsUserInfo&, fill::FormFillReport&) {
            ++fills;
            document.all().tags("INPUT").item(0).setValue("filled");
            return true;
        });
    }
    void TearDown() override { settings::globals() = settings::Globals{}; }

    FakeOwner owner;
    clsFrameManager manager;
    std::shared_ptr<const fill::clsUserInfo> person = std::make_shared<fill::clsUserInfo>();
    int fills = 0;
};

// Tests that an automatic window reads and fills a new document at once and reports the result.
TEST_F(FrameManagerTest, AutomaticReadingFillsAndReplays) {
    auto access = pageOf(kNameForm);
    manager.AddFrame(access->topDocument());
    ASSERT_EQ(manager.frames().size(), 1u);
    const clsFrameInfo& frame = *manager.frames()[0];
    EXPECT_TRUE(frame.HasForm);
    EXPECT_TRUE(frame.Filled);
    EXPECT_TRUE(frame.Active);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(owner.results, std::vector<bool>{true});
    EXPECT_FALSE(manager.InAutoInputing);
    ASSERT_EQ(owner.statusTexts.size(), 1u);
    EXPECT_EQ(owner.statusTexts[0], kStatusAutoInputStart);
    ASSERT_EQ(access->replayed["top"].size(), 1u);
    EXPECT_EQ(access->replayed["top"][0].value, "filled");
    EXPECT_EQ(access->replayed["top"][0].name, "simei");
}

// Tests that with the auto-input switch off nothing is read and the stop text is shown.
TEST_F(FrameManagerTest, SwitchOffStopsReading) {
    settings::globals().autoInput = false;
    auto access = pageOf(kNameForm);
    manager.AddFrame(access->topDocument());
    EXPECT_FALSE(manager.frames()[0]->HasForm);
    EXPECT_EQ(fills, 0);
    EXPECT_TRUE(owner.results.empty());
    ASSERT_EQ(owner.statusTexts.size(), 1u);
    EXPECT_EQ(owner.statusTexts[0], kStatusAutoInputOff);
}

// Tests that a document without FORM elements has no form, and one that only mentions a form does.
TEST_F(FrameManagerTest, DocumentWithoutForms) {
    auto access = pageOf("<p>お名前 <input type=text name=simei></p>");
    manager.AddFrame(access->topDocument());
    EXPECT_FALSE(manager.frames()[0]->HasForm);
    EXPECT_FALSE(manager.frames()[0]->InterpretHTML(false));
    EXPECT_TRUE(manager.frames()[0]->engines().has_value());
    EXPECT_TRUE(manager.frames()[0]->engines()->empty());
}

// Tests that a document of a known URL goes to its reader: read again when the element count
// changed, only kept when it did not.
TEST_F(FrameManagerTest, SameUrlRereadOnlyWhenRebuilt) {
    manager.AddFrame(pageOf(kNameForm)->topDocument());
    EXPECT_EQ(fills, 1);
    auto same = pageOf(kNameForm)->topDocument();
    manager.AddFrame(same);
    ASSERT_EQ(manager.frames().size(), 1u);
    EXPECT_EQ(manager.frames()[0]->document(), same);
    EXPECT_EQ(fills, 1);
    manager.AddFrame(pageOf(std::string(kNameForm) + "<p>thanks</p>")->topDocument());
    ASSERT_EQ(manager.frames().size(), 1u);
    EXPECT_EQ(fills, 2);
    manager.AddFrame(pageOf(kNameForm, "http://127.0.0.1/other.html")->topDocument());
    EXPECT_EQ(manager.frames().size(), 2u);
}

// Tests that RefreshFrames adds the top document and every frame, each frame's own frames right
// after it.
TEST_F(FrameManagerTest, RefreshFramesCollectsFrameset) {
    manager.InputMode = 2;
    page::LoadOptions options;
    options.url = "http://127.0.0.1/set.html";
    options.frameSource = [](const std::string& url) -> std::optional<std::string> {
        if (url.ends_with("/a.html"))
            return "<frameset rows='*,*'><frame src=a1.html><frame src=a2.html></frameset>";
        if (url.ends_with("/b.html") || url.ends_with("/c.html") || url.ends_with("1.html") ||
            url.ends_with("2.html"))
            return "<p>x</p>";
        return std::nullopt;
    };
    owner.access = StaticPageAccess::create(page::loadHtml(
        "<frameset cols='*,*,*'><frame src=a.html><frame src=b.html><frame src=c.html></frameset>", options));
    manager.RefreshFrames();
    std::vector<std::string> urls;
    for (const auto& frame : manager.frames()) urls.push_back(text::toUtf8(frame->URL));
    EXPECT_EQ(urls, (std::vector<std::string>{"http://127.0.0.1/set.html", "http://127.0.0.1/a.html",
                                              "http://127.0.0.1/a1.html", "http://127.0.0.1/a2.html",
                                              "http://127.0.0.1/b.html", "http://127.0.0.1/c.html"}));
    // In mode 2 documents are only recorded.
    EXPECT_EQ(fills, 0);
    EXPECT_EQ(manager.ActiveCount(), 6);
    manager.ActiveClear();
    EXPECT_EQ(manager.ActiveCount(), 0);
}

// Tests that without the library only the top document is collected.
TEST_F(FrameManagerTest, MissingLibraryCollectsTopOnly) {
    kvsub::KvsubLibrary absent("/nonexistent-orvex-dir");
    manager.setLibrary(&absent);
    manager.InputMode = 2;
    page::LoadOptions options;
    options.frameSource = [](const std::string&) -> std::optional<std::string> { return "<p>x</p>"; };
    owner.access = StaticPageAccess::create(page::loadHtml("<iframe src=a.html></iframe>", options));
    manager.RefreshFrames();
    EXPECT_EQ(manager.frames().size(), 1u);
}

// Tests that a fill request on request mode reads the page at fill time and fills it.
TEST_F(FrameManagerTest, FillOnRequest) {
    manager.InputMode = 2;
    owner.access = pageOf(kNameForm);
    EXPECT_TRUE(manager.Fill());
    EXPECT_EQ(fills, 1);
    EXPECT_TRUE(manager.HasFilledActiveForm());
    EXPECT_TRUE(owner.results.empty());
}

// Tests the second trial: no active reader has a form, but a filled reader that still shows its
// named frame is filled again; a renamed frame is not.
TEST_F(FrameManagerTest, SecondTrialRefillsOpenedFrame) {
    auto access = pageOf(kNameForm, "http://127.0.0.1/p.html", "content");
    manager.AddFrame(access->topDocument());
    EXPECT_EQ(fills, 1);
    manager.ActiveClear();
    EXPECT_TRUE(manager.Fill());
    EXPECT_EQ(fills, 2);
    access->windowNames["top"] = std::string("renamed");
    // Neither the second trial nor the forced fill (not active) writes now.
    EXPECT_FALSE(manager.Fill());
    EXPECT_EQ(fills, 2);
}

// Tests that a forced fill reads and fills with the auto-input switch off, and leaves it off.
TEST_F(FrameManagerTest, ForcedFillWithSwitchOff) {
    settings::globals().autoInput = false;
    auto access = pageOf(kNameForm);
    manager.AddFrame(access->topDocument());
    EXPECT_EQ(fills, 0);
    EXPECT_TRUE(manager.Fill());
    EXPECT_EQ(fills, 1);
    EXPECT_FALSE(settings::globals().autoInput);
    // With the switch on, the same request fills through the first step.
    settings::globals().autoInput = true;
    EXPECT_TRUE(manager.Fill());
    EXPECT_EQ(fills, 2);
}

// Tests the mail action list: a form posting to mail is remembered without its query, and the
// check ignores case and query; another address is not a form action.
TEST_F(FrameManagerTest, MailActions) {
    manager.setFillOneForm({});
    auto access = pageOf(
        "<form action=\"mailto:Entry@Example.jp?subject=Hi\">お名前 <input type=text name=simei></form>");
    manager.AddFrame(access->topDocument());
    EXPECT_EQ(manager.mailActions(), std::vector<text::Text>{u"mailto:entry@example.jp"});
    EXPECT_TRUE(manager.CheckActionMailto(u"MAILTO:ENTRY@EXAMPLE.JP"));
    EXPECT_TRUE(manager.CheckActionMailto(u"mailto:entry@example.jp?body=x"));
    EXPECT_FALSE(manager.CheckActionMailto(u"mailto:other@example.jp"));
    manager.Clear();
    EXPECT_TRUE(manager.mailActions().empty());
    EXPECT_TRUE(manager.frames().empty());
}

// Tests that the header title color goes to the first FONT of the header page's reader only.
TEST_F(FrameManagerTest, HeaderTitleColor) {
    manager.InputMode = 2;
    manager.Link.setHeaderURL(u"file:///orvex/control02/header.htm");
    auto other = pageOf("<font>x</font>", "http://127.0.0.1/p.html");
    auto header = pageOf("<p><font>Orvex</font><font>b</font></p>", "file:///orvex/control02/header.htm");
    manager.AddFrame(other->topDocument());
    manager.AddFrame(header->topDocument());
    manager.SetHeaderTitleColor(u"#FF0000");
    EXPECT_TRUE(other->attributesSet.empty());
    ASSERT_EQ(header->attributesSet.size(), 1u);
    EXPECT_EQ(std::get<2>(header->attributesSet[0]), "color");
    EXPECT_EQ(std::get<3>(header->attributesSet[0]), "#FF0000");
}

// Tests that Terminate breaks the links between manager and readers.
TEST_F(FrameManagerTest, TerminateDropsReaders) {
    manager.AddFrame(pageOf(kNameForm)->topDocument());
    auto frame = manager.frames()[0];
    manager.Terminate();
    EXPECT_EQ(manager.ParentForm, nullptr);
    EXPECT_TRUE(manager.frames().empty());
    EXPECT_EQ(frame->ParentManager, nullptr);
    EXPECT_FALSE(frame->UserInfo);
}

}  // namespace
}  // namespace orvex::browser
