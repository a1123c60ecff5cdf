#include "browser/kvsub_page_objects.h"

#include <gtest/gtest.h>

#include "browser/static_page_access.h"
#include "page/html_loader.h"

namespace orvex::browser {
namespace {

// A page with two frames and a plugin between them; each frame has a page of its own.
std::shared_ptr<StaticPageAccess> framesetWithPlugin() {
    page::LoadOptions options;
    options.url = "http://127.0.0.1/top.html";
    options.frameSource = [](const std::string& url) -> std::optional<std::string> {
        if (url.ends_with("/a.html")) return "<p>a</p><iframe src=\"c.html\"></iframe>";
        if (url.ends_with("/b.html")) return "<p>b</p>";
        if (url.ends_with("/c.html")) return "<p>c</p>";
        return std::nullopt;
    };
    return StaticPageAccess::create(page::loadHtml(
        "<iframe name=a src=a.html></iframe><object data=x></object><iframe name=b src=b.html></iframe>",
        options));
}

class KvsubPageObjectsTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(livePageObjects(), 0); }
    kvsub::KvsubLibrary& library = kvsub::KvsubLibrary::forProgram();
};

// Tests that GetDoc counts every embedded object and stores documents only for the frames.
TEST_F(KvsubPageObjectsTest, FramesAndPluginInDocumentOrder) {
    auto access = framesetWithPlugin();
    const SubDocuments sub = getSubDocuments(library, access->topDocument(), 100);
    ASSERT_TRUE(sub.count) << "libkvsub.so not found beside the test";
    EXPECT_EQ(*sub.count, 3);
    ASSERT_EQ(sub.slots.size(), 101u);
    ASSERT_TRUE(sub.slots[0]);
    EXPECT_EQ(sub.slots[0]->URL(), "http://127.0.0.1/a.html");
    EXPECT_FALSE(sub.slots[1]);
    ASSERT_TRUE(sub.slots[2]);
    EXPECT_EQ(sub.slots[2]->URL(), "http://127.0.0.1/b.html");
    // The frame's own frames are reached through its document.
    const SubDocuments inner = getSubDocuments(library, sub.slots[0], 100);
    ASSERT_TRUE(inner.count);
    EXPECT_EQ(*inner.count, 1);
    ASSERT_TRUE(inner.slots[0]);
    EXPECT_EQ(inner.slots[0]->URL(), "http://127.0.0.1/c.html");
}

// Tests that nothing is stored beyond the bound while the count still tells every object.
TEST_F(KvsubPageObjectsTest, BoundLimitsSlots) {
    auto access = framesetWithPlugin();
    const SubDocuments sub = getSubDocuments(library, access->topDocument(), 0);
    ASSERT_TRUE(sub.count);
    EXPECT_EQ(*sub.count, 3);
    ASSERT_EQ(sub.slots.size(), 1u);
    EXPECT_TRUE(sub.slots[0]);
}

// Tests that a document without frames gives 0, and a missing document the container error.
TEST_F(KvsubPageObjectsTest, NoFramesAndNoDocument) {
    auto access = StaticPageAccess::create(page::loadHtml("<form><input name=a></form>"));
    const SubDocuments none = getSubDocuments(library, access->topDocument(), 100);
    ASSERT_TRUE(none.count);
    EXPECT_EQ(*none.count, 0);
    const SubDocuments missing = getSubDocuments(library, nullptr, 100);
    ASSERT_TRUE(missing.count);
    EXPECT_EQ(*missing.count, KV_ERR_NO_CONTAINER);
}

// Tests that a missing library gives no count at all, and a document round-trips through an object.
TEST_F(KvsubPageObjectsTest, MissingLibraryAndRoundTrip) {
    kvsub::KvsubLibrary absent("/nonexistent-orvex-dir");
    auto access = framesetWithPlugin();
    EXPECT_FALSE(getSubDocuments(absent, access->topDocument(), 100).count);
    DocumentRef top = access->topDocument();
    KvObject* object = wrapDocument(top);
    EXPECT_EQ(documentOf(object), top);
    object->vtbl->release(object);
    EXPECT_FALSE(documentOf(nullptr));
}

// Tests that RefreshDoc reaches every frame of the document, and not the plugin.
TEST_F(KvsubPageObjectsTest, RefreshReachesFrames) {
    auto access = framesetWithPlugin();
    KvObject* object = wrapDocument(access->topDocument());
    EXPECT_EQ(library.RefreshDoc(&object).value_or(-9), 3);
    object->vtbl->release(object);
    EXPECT_EQ(access->refreshed, (std::vector<std::string>{"top/0", "top/1"}));
}

}  // namespace
}  // namespace orvex::browser
