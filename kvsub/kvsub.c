/*
 * libkvsub.so: reaches the frames of a document. Given a document, it asks for the
 * document's container, enumerates the embedded objects, keeps those that are browsers
 * (frames), and hands back their documents, the browsers themselves, or reloads them.
 * The library keeps no state between calls and may be called again from inside a walk.
 */

#include <stdint.h>
#include <stdlib.h>

#include "kvsub/kvsub_abi.h"

#define KV_EXPORT __attribute__((visibility("default")))

/* GD looks at no more than this many embedded objects. */
#define KV_GD_MAX_OBJECTS 256

typedef enum WalkWork { WORK_DOCUMENT, WORK_BROWSER, WORK_REFRESH } WalkWork;

/* Stores a reference in slot i when the slot exists (i <= bound); otherwise releases it, since
   nobody would own it. */
static void store(KvObject** slots, int32_t bound, int32_t i, KvObject* ref) {
    if (slots != NULL && i <= bound) {
        slots[i] = ref;
    } else if (ref != NULL) {
        ref->vtbl->release(ref);
    }
}

/* The common walk: the number of embedded objects, or -2 / -3. */
static int32_t walk(KvObject* const* document, KvObject** slots, int32_t bound, WalkWork work,
                    int32_t maxObjects) {
    if (document == NULL || *document == NULL) return KV_ERR_NO_CONTAINER;
    KvObject* doc = *document;
    KvObject* container = NULL;
    if (doc->vtbl->queryInterface(doc, KV_IID_CONTAINER, &container) != KV_OK || container == NULL)
        return KV_ERR_NO_CONTAINER;
    KvObject* enumerator = NULL;
    int32_t status = container->vtbl->enumObjects(container, KV_OLECONTF_EMBEDDINGS, &enumerator);
    container->vtbl->release(container);
    if (status != KV_OK || enumerator == NULL) return KV_ERR_NO_ENUM;

    int32_t i = 0;
    for (; maxObjects < 0 || i < maxObjects; ++i) {
        KvObject* object = NULL;
        if (enumerator->vtbl->next(enumerator, &object) != KV_OK || object == NULL) break;
        KvObject* browser = NULL;
        int32_t isBrowser = object->vtbl->queryInterface(object, KV_IID_BROWSER, &browser) == KV_OK &&
                            browser != NULL;
        object->vtbl->release(object);
        if (!isBrowser) continue;
        switch (work) {
            case WORK_DOCUMENT: {
                KvObject* child = NULL;
                if (browser->vtbl->document(browser, &child) == KV_OK && child != NULL)
                    store(slots, bound, i, child);
                browser->vtbl->release(browser);
                break;
            }
            case WORK_BROWSER:
                store(slots, bound, i, browser);
                break;
            case WORK_REFRESH:
                browser->vtbl->refresh(browser);
                browser->vtbl->release(browser);
                break;
        }
    }
    enumerator->vtbl->release(enumerator);
    return i;
}

/* Slot i receives the document of the i-th embedded object when it is a browser; nothing is
   stored beyond slot `bound`. Returns the number of embedded objects, -2 or -3. */
KV_EXPORT int32_t GetDoc(KvObject* const* document, KvObject** firstSlot, int32_t bound) {
    return walk(document, firstSlot, bound, WORK_DOCUMENT, -1);
}

/* Slot i receives the i-th embedded browser itself. The caller's array must have a slot for
   every embedded object (the call has no bound). Returns the count, -2 or -3. */
KV_EXPORT int32_t GetSubBrowsers(KvObject* const* document, KvObject** firstSlot) {
    return walk(document, firstSlot, INT32_MAX, WORK_BROWSER, -1);
}

/* Tells every embedded browser to reload its page. Returns the count, -2 or -3. */
KV_EXPORT int32_t RefreshDoc(KvObject* const* document) {
    return walk(document, NULL, -1, WORK_REFRESH, -1); /* nothing is stored */
}

/* The documents of the first 256 embedded objects as an array (null for non-browsers); an
   empty variant when the document has no container, enumeration fails or memory runs out. */
KV_EXPORT KvVariant GD(KvObject* const* document) {
    KvVariant result = {KV_VT_EMPTY, 0, NULL};
    KvObject* local[KV_GD_MAX_OBJECTS] = {NULL};
    int32_t count = walk(document, local, KV_GD_MAX_OBJECTS - 1, WORK_DOCUMENT, KV_GD_MAX_OBJECTS);
    if (count < 0) return result;
    KvObject** items = (KvObject**)calloc(count > 0 ? (size_t)count : 1, sizeof(KvObject*));
    if (items == NULL) {
        for (int32_t i = 0; i < count; ++i)
            if (local[i] != NULL) local[i]->vtbl->release(local[i]);
        return result;
    }
    for (int32_t i = 0; i < count; ++i) items[i] = local[i];
    result.type = KV_VT_ARRAY_OBJECT;
    result.count = count;
    result.items = items;
    return result;
}

/* Returns n + 1: lets the program check that the library answers. */
KV_EXPORT int32_t lngTest(int32_t n) { return (int32_t)((uint32_t)n + 1u); }
