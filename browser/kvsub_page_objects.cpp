#include "browser/kvsub_page_objects.h"

#include <atomic>
#include <string>
#include <utility>

namespace orvex::browser {
namespace {

// Tags of the elements that are embedded objects of a document.
constexpr const char* kEmbeddedTags[] = {"FRAME", "IFRAME", "OBJECT", "EMBED"};
// Of those, the ones that are browsers with a document of their own.
constexpr const char* kBrowserTags[] = {"FRAME", "IFRAME"};

std::atomic<int> g_live{0};

bool isOneOf(const std::string& tag, const auto& table) {
    for (const char* t : table)
        if (tag == t) return true;
    return false;
}

struct PageObject : KvObject {
    enum class Kind { Document, Container, Enumerator, Embedded };
    Kind kind = Kind::Document;
    int refs = 1;
    DocumentRef document;
    // Enumerator: per embedded element in document order, its browser ordinal (-1: not a browser).
    std::vector<int> embedded;
    std::size_t next = 0;
    // Embedded: its browser ordinal among the FRAME/IFRAME elements; -1 when it is not a browser.
    int ordinal = -1;
};

extern const KvObjectVtbl kVtbl;

PageObject* make(PageObject::Kind kind, DocumentRef document) {
    auto* object = new PageObject;
    object->vtbl = &kVtbl;
    object->kind = kind;
    object->document = std::move(document);
    ++g_live;
    return object;
}

PageObject* self(KvObject* object) {
    return static_cast<PageObject*>(object);
}

void addRef(KvObject* object) {
    ++self(object)->refs;
}

void release(KvObject* object) {
    PageObject* o = self(object);
    if (--o->refs == 0) {
        delete o;
        --g_live;
    }
}

int32_t queryInterface(KvObject* object, int32_t iid, KvObject** out) {
    if (out == nullptr) return KV_FAIL;
    *out = nullptr;
    PageObject* o = self(object);
    try {
        switch (o->kind) {
            case PageObject::Kind::Document:
                if (iid == KV_IID_DOCUMENT) {
                    addRef(o);
                    *out = o;
                    return KV_OK;
                }
                if (iid == KV_IID_CONTAINER) {
                    *out = make(PageObject::Kind::Container, o->document);
                    return KV_OK;
                }
                return KV_FAIL;
            case PageObject::Kind::Embedded:
                if (iid == KV_IID_BROWSER && o->ordinal >= 0) {
                    addRef(o);
                    *out = o;
                    return KV_OK;
                }
                return KV_FAIL;
            case PageObject::Kind::Container:
                if (iid != KV_IID_CONTAINER) return KV_FAIL;
                break;
            case PageObject::Kind::Enumerator:
                if (iid != KV_IID_ENUMERATOR) return KV_FAIL;
                break;
        }
        addRef(o);
        *out = o;
        return KV_OK;
    } catch (...) {
        return KV_FAIL;
    }
}

int32_t enumObjects(KvObject* object, int32_t flags, KvObject** out) {
    if (out == nullptr) return KV_FAIL;
    *out = nullptr;
    PageObject* o = self(object);
    if (o->kind != PageObject::Kind::Container || !o->document) return KV_FAIL;
    try {
        PageObject* enumerator = make(PageObject::Kind::Enumerator, o->document);
        if ((flags & KV_OLECONTF_EMBEDDINGS) != 0) {
            int ordinal = 0;
            page::ElementCollection all = o->document->model().all();
            for (int i = 0; i < all.length(); ++i) {
                const std::string tag = all.item(i).tagName();
                if (!isOneOf(tag, kEmbeddedTags)) continue;
                enumerator->embedded.push_back(isOneOf(tag, kBrowserTags) ? ordinal++ : -1);
            }
        }
        *out = enumerator;
        return KV_OK;
    } catch (...) {
        return KV_FAIL;
    }
}

int32_t next(KvObject* object, KvObject** out) {
    if (out == nullptr) return KV_FAIL;
    *out = nullptr;
    PageObject* o = self(object);
    if (o->kind != PageObject::Kind::Enumerator) return KV_FAIL;
    if (o->next >= o->embedded.size()) return KV_DONE;
    try {
        PageObject* embedded = make(PageObject::Kind::Embedded, o->document);
        embedded->ordinal = o->embedded[o->next++];
        *out = embedded;
        return KV_OK;
    } catch (...) {
        return KV_FAIL;
    }
}

int32_t document(KvObject* object, KvObject** out) {
    if (out == nullptr) return KV_FAIL;
    *out = nullptr;
    PageObject* o = self(object);
    if (o->kind != PageObject::Kind::Embedded || o->ordinal < 0 || !o->document) return KV_FAIL;
    try {
        DocumentRef child = o->document->frameDocument(o->ordinal);
        if (!child) return KV_FAIL;
        *out = make(PageObject::Kind::Document, std::move(child));
        return KV_OK;
    } catch (...) {
        return KV_FAIL;
    }
}

int32_t refresh(KvObject* object) {
    PageObject* o = self(object);
    if (o->kind != PageObject::Kind::Embedded || o->ordinal < 0 || !o->document) return KV_FAIL;
    try {
        DocumentRef child = o->document->frameDocument(o->ordinal);
        return child && child->refresh() ? KV_OK : KV_FAIL;
    } catch (...) {
        return KV_FAIL;
    }
}

const KvObjectVtbl kVtbl = {queryInterface, addRef, release, enumObjects, next, document, refresh};

}  // namespace

KvObject* wrapDocument(DocumentRef document) {
    if (!document) return nullptr;
    try {
        return make(PageObject::Kind::Document, std::move(document));
    } catch (...) {
        return nullptr;
    }
}

DocumentRef documentOf(KvObject* object) {
    if (object == nullptr || object->vtbl != &kVtbl) return nullptr;
    return self(object)->document;
}

int livePageObjects() {
    return g_live.load();
}

SubDocuments getSubDocuments(kvsub::KvsubLibrary& library, const DocumentRef& document, std::int32_t bound) {
    SubDocuments result;
    if (bound < 0) bound = 0;
    std::vector<KvObject*> slots(static_cast<std::size_t>(bound) + 1, nullptr);
    KvObject* handle = wrapDocument(document);
    result.count = library.GetDoc(&handle, slots.data(), bound);
    if (handle != nullptr) handle->vtbl->release(handle);
    result.slots.resize(slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i] == nullptr) continue;
        result.slots[i] = documentOf(slots[i]);
        slots[i]->vtbl->release(slots[i]);
    }
    return result;
}

}  // namespace orvex::browser
