#include "page/html_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace orvex::page {
namespace {

const std::string kFormsDir = ORVEX_SOURCE_DIR "/../shared/forms";

// Tests that every saved form page loads, has a form, and every form serialises with its
// controls; the pages without a form are listed in the failure message.
TEST(HtmlLoaderTest, LoadsEverySavedFormPage) {
    if (!std::filesystem::is_directory(kFormsDir)) GTEST_SKIP() << "no saved form pages at " << kFormsDir;
    std::vector<std::string> pages;
    for (const auto& entry : std::filesystem::directory_iterator(kFormsDir))
        if (entry.path().extension() == ".html") pages.push_back(entry.path().string());
    std::sort(pages.begin(), pages.end());
    ASSERT_GE(pages.size(), 36u);
    std::vector<std::string> withoutForm;
    for (const std::string& path : pages) {
        SCOPED_TRACE(path);
        auto d = loadHtmlFile(path);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->charset(), "UTF-8");
        EXPECT_GT(d->elementCount(), 10);
        ElementCollection forms = d->all().tags("FORM");
        if (forms.length() == 0) withoutForm.push_back(path);
        int controls = 0;
        for (int i = 0; i < forms.length(); ++i) {
            std::string inner = forms.item(i).innerHTML();
            std::string outer = forms.item(i).outerHTML();
            EXPECT_NE(outer.find(inner), std::string::npos);
            EXPECT_EQ(outer.rfind("<FORM", 0), 0u);
            for (const char* tag : {"<INPUT", "<SELECT", "<TEXTAREA"})
                for (std::size_t p = inner.find(tag); p != std::string::npos; p = inner.find(tag, p + 1))
                    ++controls;
        }
        EXPECT_GT(controls, 0);
    }
    EXPECT_TRUE(withoutForm.empty()) << "pages without FORM: " << testing::PrintToString(withoutForm);
}

// Tests that a file that does not exist gives no document.
TEST(HtmlLoaderTest, MissingFileGivesNothing) {
    EXPECT_EQ(loadHtmlFile(kFormsDir + "/no-such-page.html"), nullptr);
}

// Tests that frames become child documents named by their frame, with content when the
// source has it and empty otherwise.
TEST(HtmlLoaderTest, LoadsFramesFromSource) {
    std::map<std::string, std::string> pages = {
        {"http://example.jp/site/head.html", "<title>head</title><form><input name=qzt00user1></form>"},
        {"http://example.jp/site/body.html",
         "<iframe name=inner src=/ad.html></iframe><form><input name=a></form>"},
        {"http://example.jp/ad.html", "<p>ad"},
    };
    LoadOptions options;
    options.url = "http://example.jp/site/index.html";
    options.frameSource = [&](const std::string& url) -> std::optional<std::string> {
        auto it = pages.find(url);
        if (it == pages.end()) return std::nullopt;
        return it->second;
    };
    auto d = loadHtml(
        "<frameset rows=\"50,*\"><frame name=header src=head.html><frame name=qzt00contents "
        "src=\"body.html\">"
        "<frame name=missing src=none.html></frameset>",
        options);
    ASSERT_EQ(d->frameCount(), 3);
    Document* head = d->frame(0);
    EXPECT_EQ(head->windowName(), "header");
    EXPECT_EQ(head->url(), "http://example.jp/site/head.html");
    EXPECT_EQ(head->title(), "head");
    EXPECT_EQ(head->parentDocument(), d.get());
    EXPECT_EQ(head->frameElement().name(), "header");
    EXPECT_EQ(d->frameDocument(head->frameElement()), head);
    Document* body = d->frame(1);
    EXPECT_EQ(body->windowName(), "qzt00contents");
    EXPECT_EQ(body->all().tags("FORM").length(), 1);
    ASSERT_EQ(body->frameCount(), 1);
    EXPECT_EQ(body->frame(0)->url(), "http://example.jp/ad.html");
    EXPECT_EQ(body->frame(0)->all().tags("P").length(), 1);
    Document* missing = d->frame(2);
    EXPECT_EQ(missing->windowName(), "missing");
    EXPECT_EQ(missing->elementCount(), 0);
    EXPECT_EQ(d->frame(3), nullptr);
    EXPECT_EQ(d->frameDocument(Element()), nullptr);
}

// Tests that a page framing itself stops at the depth limit.
TEST(HtmlLoaderTest, StopsSelfFramingPages) {
    LoadOptions options;
    options.url = "http://example.jp/loop.html";
    int calls = 0;
    options.frameSource = [&](const std::string&) -> std::optional<std::string> {
        ++calls;
        return std::string("<iframe src=loop.html></iframe>");
    };
    auto d = loadHtml("<iframe src=loop.html></iframe>", options);
    EXPECT_EQ(calls, kMaxFrameDepth);
    int depth = 0;
    for (Document* f = d.get(); f->frameCount() > 0; f = f->frame(0)) ++depth;
    EXPECT_EQ(depth, kMaxFrameDepth + 1);
}

// Tests that a frame source that throws does not escape the loader.
TEST(HtmlLoaderTest, ContainsThrowingFrameSource) {
    LoadOptions options;
    options.frameSource = [](const std::string&) -> std::optional<std::string> {
        throw std::runtime_error("x");
    };
    auto d = loadHtml("<iframe src=x.html></iframe>", options);
    ASSERT_NE(d, nullptr);
}

// Tests address resolution of frame sources.
TEST(HtmlLoaderTest, ResolvesFrameAddresses) {
    EXPECT_EQ(resolveUrl("http://a.jp/x/y.html?q=1", "z.html"), "http://a.jp/x/z.html");
    EXPECT_EQ(resolveUrl("http://a.jp/x/y.html", "/top.html"), "http://a.jp/top.html");
    EXPECT_EQ(resolveUrl("https://a.jp/x/", "//b.jp/c"), "https://b.jp/c");
    EXPECT_EQ(resolveUrl("http://a.jp/x/", "file:///tmp/a.html"), "file:///tmp/a.html");
    EXPECT_EQ(resolveUrl("file:///home/u/page.html", "f.html"), "file:///home/u/f.html");
    EXPECT_EQ(resolveUrl("", "f.html"), "f.html");
    EXPECT_EQ(resolveUrl("http://a.jp", "/b"), "http://a.jp/b");
}

// Tests that empty and binary input gives a document without failing.
TEST(HtmlLoaderTest, AcceptsEmptyAndBinaryInput) {
    auto empty = loadHtml("");
    ASSERT_NE(empty, nullptr);
    auto binary = loadHtml(std::string("\0\x01\xFE\xFF<form\0>", 9));
    ASSERT_NE(binary, nullptr);
    EXPECT_GE(binary->elementCount(), 3);
}

}  // namespace
}  // namespace orvex::page
