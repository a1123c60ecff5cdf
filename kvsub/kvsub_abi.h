#ifndef ORVEX_KVSUB_ABI_H
#define ORVEX_KVSUB_ABI_H
/*
 * The C interface between Orvex and its document access library (libkvsub.so).
 *
 * Everything the library touches is an object of the caller: a pointer to a table of
 * functions, reference counted. Ask an object for another interface with queryInterface;
 * every reference handed out (through an out-parameter or a slot) is owned by the receiver,
 * who calls release on it.
 *
 * A document offers KV_IID_CONTAINER: its embedded objects (frames, inline frames, plugins)
 * in document order. An embedded object offers KV_IID_BROWSER when it holds a document of
 * its own (a frame); other embedded objects (OBJECT/EMBED) do not.
 *
 * This header is plain C so that the library links against nothing of the program.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct KvObject KvObject;

/* Interfaces an object may offer. */
typedef enum KvInterface {
    KV_IID_CONTAINER = 1, /* enumerates embedded objects */
    KV_IID_ENUMERATOR = 2,
    KV_IID_BROWSER = 3, /* a frame: has a document, can reload */
    KV_IID_DOCUMENT = 4
} KvInterface;

/* Flags of enumObjects: only embedded objects are enumerated. */
#define KV_OLECONTF_EMBEDDINGS 1

/* Status codes: 0 success, anything else a failure. */
#define KV_OK 0
#define KV_FAIL 1
/* next(): no more objects. */
#define KV_DONE 2

typedef struct KvObjectVtbl {
    /* Stores a new reference offering `iid` in *out and returns KV_OK; KV_FAIL (and *out = 0)
       when the object does not offer it. */
    int32_t (*queryInterface)(KvObject* self, int32_t iid, KvObject** out);
    void (*addRef)(KvObject* self);
    void (*release)(KvObject* self);
    /* Container: an enumerator of the objects selected by `flags`; KV_FAIL when refused. */
    int32_t (*enumObjects)(KvObject* self, int32_t flags, KvObject** out);
    /* Enumerator: the next object (KV_OK), KV_DONE when there is none left. */
    int32_t (*next)(KvObject* self, KvObject** out);
    /* Browser: its document (KV_OK) or KV_FAIL when it cannot be reached. */
    int32_t (*document)(KvObject* self, KvObject** out);
    /* Browser: reloads its page. */
    int32_t (*refresh)(KvObject* self);
} KvObjectVtbl;

struct KvObject {
    const KvObjectVtbl* vtbl;
};

/* The result of GD: `type` is KV_VT_EMPTY or KV_VT_ARRAY_OBJECT; `items` has `count` slots
   (lower bound 0), a null slot for an embedded object that is not a browser. The caller
   releases each item and frees `items` with free(). */
#define KV_VT_EMPTY 0
#define KV_VT_ARRAY_OBJECT 0x2009
typedef struct KvVariant {
    int32_t type;
    int32_t count;
    KvObject** items;
} KvVariant;

/* Error results of the walks. */
#define KV_ERR_NO_CONTAINER (-2)
#define KV_ERR_NO_ENUM (-3)

/* The exports, found by name. See kvsub.c for what each returns. */
typedef int32_t (*KvGetDocFn)(KvObject* const* document, KvObject** firstSlot, int32_t bound);
typedef int32_t (*KvGetSubBrowsersFn)(KvObject* const* document, KvObject** firstSlot);
typedef int32_t (*KvRefreshDocFn)(KvObject* const* document);
typedef KvVariant (*KvGDFn)(KvObject* const* document);
typedef int32_t (*KvLngTestFn)(int32_t n);

#ifdef __cplusplus
}
#endif

#endif /* ORVEX_KVSUB_ABI_H */
