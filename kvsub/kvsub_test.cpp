#include "kvsub/kvsub_library.h"

#include <array>
#include <cstdlib>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "kvsub/fake_objects.h"

namespace orvex::kvsub {
namespace {

using testing::document;
using testing::frame;
using testing::liveObjects;
using testing::nodeOf;
using testing::plugin;
using testing::wrap;

class KvsubTest : public ::testing::Test {
  protected:
    KvsubLibrary& lib = KvsubLibrary::forProgram();
    void TearDown() override { EXPECT_EQ(liveObjects(), 0) << "a reference was leaked"; }
};

// Tests that the library is found beside the program and answers.
TEST_F(KvsubTest, LoadsFromProgramDirectoryAndAnswers) {
    EXPECT_EQ(lib.lngTest(41), 42);
    EXPECT_TRUE(lib.loaded());
}

// Tests that a document without frames gives 0 and stores nothing.
TEST_F(KvsubTest, DocumentWithoutFrames) {
    auto top = document();
    KvObject* doc = wrap(top, KV_IID_DOCUMENT);
    std::array<KvObject*, 4> slots{};
    EXPECT_EQ(lib.GetDoc(&doc, slots.data(), 3), 0);
    EXPECT_EQ(slots[0], nullptr);
    doc->vtbl->release(doc);
}

// Tests the slot layout: two frames around a plugin give count 3, slots 0 and 2 filled, 1 empty.
TEST_F(KvsubTest, SlotsFollowEnumerationPositions) {
    auto top = document({frame(document({}, 1)), plugin(), frame(document({}, 2))});
    KvObject* doc = wrap(top, KV_IID_DOCUMENT);
    KvObject* const original = doc;
    std::array<KvObject*, 101> slots{};
    EXPECT_EQ(lib.GetDoc(&doc, slots.data(), 100), 3);
    EXPECT_EQ(doc, original);  // the caller's variable is only read
    ASSERT_NE(slots[0], nullptr);
    EXPECT_EQ(slots[1], nullptr);
    ASSERT_NE(slots[2], nullptr);
    EXPECT_EQ(nodeOf(slots[0])->id, 1);
    EXPECT_EQ(nodeOf(slots[2])->id, 2);
    for (KvObject* s : slots)
        if (s) s->vtbl->release(s);
    doc->vtbl->release(doc);
}

// Tests the bound: the count reports every object, only slots up to the bound are written.
TEST_F(KvsubTest, BoundLimitsStoredSlotsNotTheCount) {
    auto top = document({frame(document()), frame(document()), frame(document()), frame(document())});
    KvObject* doc = wrap(top, KV_IID_DOCUMENT);
    std::array<KvObject*, 3> slots{};
    KvObject* sentinel = reinterpret_cast<KvObject*>(0x1);
    slots[2] = sentinel;  // beyond bound 1: must not be written
    EXPECT_EQ(lib.GetDoc(&doc, slots.data(), 1), 4);
    EXPECT_NE(slots[0], nullptr);
    EXPECT_NE(slots[1], nullptr);
    EXPECT_EQ(slots[2], sentinel);
    slots[0]->vtbl->release(slots[0]);
    slots[1]->vtbl->release(slots[1]);
    doc->vtbl->release(doc);
}

// Tests the error codes: no container gives -2, a refused enumeration -3, a null document -2.
TEST_F(KvsubTest, ErrorCodes) {
    auto noContainer = document({frame(document())});
    noContainer->noContainer = true;
    auto refusing = document({frame(document())});
    refusing->refuseEnum = true;
    KvObject* a = wrap(noContainer, KV_IID_DOCUMENT);
    KvObject* b = wrap(refusing, KV_IID_DOCUMENT);
    std::array<KvObject*, 2> slots{};
    EXPECT_EQ(lib.GetDoc(&a, slots.data(), 1), KV_ERR_NO_CONTAINER);
    EXPECT_EQ(lib.GetDoc(&b, slots.data(), 1), KV_ERR_NO_ENUM);
    EXPECT_EQ(lib.RefreshDoc(&b), KV_ERR_NO_ENUM);
    KvObject* none = nullptr;
    EXPECT_EQ(lib.GetDoc(&none, slots.data(), 1), KV_ERR_NO_CONTAINER);
    EXPECT_EQ(slots[0], nullptr);
    a->vtbl->release(a);
    b->vtbl->release(b);
}

// Tests that a frame whose document is out of reach leaves its slot empty but still counts.
TEST_F(KvsubTest, DeniedFrameDocumentLeavesSlotEmpty) {
    auto denied = frame(document());
    denied->documentDenied = true;
    auto top = document({denied, frame(document({}, 7))});
    KvObject* doc = wrap(top, KV_IID_DOCUMENT);
    std::array<KvObject*, 2> slots{};
    EXPECT_EQ(lib.GetDoc(&doc, slots.data(), 1), 2);
    EXPECT_EQ(slots[0], nullptr);
    ASSERT_NE(slots[1], nullptr);
    EXPECT_EQ(nodeOf(slots[1])->id, 7);
    slots[1]->vtbl->release(slots[1]);
    doc->vtbl->release(doc);
}

// Tests that GetSubBrowsers hands out the browsers and RefreshDoc reloads each frame once.
TEST_F(KvsubTest, SubBrowsersAndRefresh) {
    auto f1 = frame(document());
    auto f2 = frame(document());
    auto top = document({f1, plugin(), f2});
    KvObject* doc = wrap(top, KV_IID_DOCUMENT);
    std::array<KvObject*, 3> slots{};
    EXPECT_EQ(lib.GetSubBrowsers(&doc, slots.data()), 3);
    EXPECT_EQ(nodeOf(slots[0]), f1.get());
    EXPECT_EQ(slots[1], nullptr);
    EXPECT_EQ(nodeOf(slots[2]), f2.get());
    slots[0]->vtbl->release(slots[0]);
    slots[2]->vtbl->release(slots[2]);
    EXPECT_EQ(lib.RefreshDoc(&doc), 3);
    EXPECT_EQ(f1->refreshed, 1);
    EXPECT_EQ(f2->refreshed, 1);
    doc->vtbl->release(doc);
}

// Tests GD: one element per object looked at (at most 256), empty for non-browsers.
TEST_F(KvsubTest, GDReturnsArrayOfDocuments) {
    void* handle = dlopen((programDirectory() / kLibraryFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    auto gd = reinterpret_cast<KvGDFn>(dlsym(handle, "GD"));
    ASSERT_NE(gd, nullptr);

    std::vector<std::shared_ptr<testing::FakeNode>> many;
    for (int i = 0; i < 300; ++i) many.push_back(i % 2 ? plugin() : frame(document({}, i)));
    auto top = document(many);
    KvObject* doc = wrap(top, KV_IID_DOCUMENT);
    KvVariant v = gd(&doc);
    EXPECT_EQ(v.type, KV_VT_ARRAY_OBJECT);
    ASSERT_EQ(v.count, 256);
    EXPECT_EQ(nodeOf(v.items[4])->id, 4);
    EXPECT_EQ(v.items[5], nullptr);
    for (int i = 0; i < v.count; ++i)
        if (v.items[i]) v.items[i]->vtbl->release(v.items[i]);
    std::free(v.items);

    auto broken = document();
    broken->noContainer = true;
    KvObject* bad = wrap(broken, KV_IID_DOCUMENT);
    KvVariant empty = gd(&bad);
    EXPECT_EQ(empty.type, KV_VT_EMPTY);
    EXPECT_EQ(empty.items, nullptr);
    bad->vtbl->release(bad);
    doc->vtbl->release(doc);
    dlclose(handle);
}

// Tests that a missing library makes every call fail instead of crashing.
TEST(KvsubMissingTest, MissingLibraryFailsEachCall) {
    KvsubLibrary missing("/nonexistent-directory");
    KvObject* doc = nullptr;
    EXPECT_FALSE(missing.lngTest(1).has_value());
    EXPECT_FALSE(missing.GetDoc(&doc, nullptr, 0).has_value());
    EXPECT_FALSE(missing.loaded());
}

}  // namespace
}  // namespace orvex::kvsub
