#include "kvsub/fake_objects.h"

#include <cstddef>

namespace orvex::kvsub::testing {
namespace {

int g_live = 0;

struct FakeObject {
    KvObject base;  // first member: a KvObject* is a FakeObject*
    int refs = 1;
    std::shared_ptr<FakeNode> node;
    int iid = 0;
    std::size_t next = 0;  // enumerator position
};

FakeObject* self(KvObject* o) {
    return reinterpret_cast<FakeObject*>(o);
}

int32_t queryInterface(KvObject* o, int32_t iid, KvObject** out) {
    *out = nullptr;
    FakeNode& n = *self(o)->node;
    bool offers = false;
    switch (iid) {
        case KV_IID_CONTAINER:
        case KV_IID_DOCUMENT:
            offers = n.kind == FakeNode::Kind::Document && !(iid == KV_IID_CONTAINER && n.noContainer);
            break;
        case KV_IID_BROWSER:
            offers = n.kind == FakeNode::Kind::Frame;
            break;
        default:
            break;
    }
    if (!offers) return KV_FAIL;
    *out = wrap(self(o)->node, iid);
    return KV_OK;
}

void addRef(KvObject* o) {
    ++self(o)->refs;
}

void release(KvObject* o) {
    if (--self(o)->refs == 0) {
        --g_live;
        delete self(o);
    }
}

int32_t enumObjects(KvObject* o, int32_t flags, KvObject** out) {
    *out = nullptr;
    if (flags != KV_OLECONTF_EMBEDDINGS || self(o)->node->refuseEnum) return KV_FAIL;
    *out = wrap(self(o)->node, KV_IID_ENUMERATOR);
    return KV_OK;
}

int32_t next(KvObject* o, KvObject** out) {
    *out = nullptr;
    FakeObject* e = self(o);
    if (e->next >= e->node->children.size()) return KV_DONE;
    *out = wrap(e->node->children[e->next++], 0);
    return KV_OK;
}

int32_t documentOf(KvObject* o, KvObject** out) {
    *out = nullptr;
    FakeNode& n = *self(o)->node;
    if (n.documentDenied || n.children.empty()) return KV_FAIL;
    *out = wrap(n.children[0], KV_IID_DOCUMENT);
    return KV_OK;
}

int32_t refresh(KvObject* o) {
    ++self(o)->node->refreshed;
    return KV_OK;
}

const KvObjectVtbl kVtbl = {queryInterface, addRef, release, enumObjects, next, documentOf, refresh};

}  // namespace

std::shared_ptr<FakeNode> document(std::vector<std::shared_ptr<FakeNode>> embedded, int id) {
    auto n = std::make_shared<FakeNode>();
    n->children = std::move(embedded);
    n->id = id;
    return n;
}

std::shared_ptr<FakeNode> frame(std::shared_ptr<FakeNode> doc) {
    auto n = std::make_shared<FakeNode>();
    n->kind = FakeNode::Kind::Frame;
    n->children.push_back(std::move(doc));
    return n;
}

std::shared_ptr<FakeNode> plugin() {
    auto n = std::make_shared<FakeNode>();
    n->kind = FakeNode::Kind::Plugin;
    return n;
}

KvObject* wrap(const std::shared_ptr<FakeNode>& node, int iid) {
    auto* o = new FakeObject{{&kVtbl}, 1, node, iid, 0};
    ++g_live;
    return &o->base;
}

FakeNode* nodeOf(KvObject* object) {
    return object ? self(object)->node.get() : nullptr;
}

int liveObjects() {
    return g_live;
}

}  // namespace orvex::kvsub::testing
