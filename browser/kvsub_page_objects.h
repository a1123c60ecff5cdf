#pragma once
// The program's side of the document access library's C interface, over browser documents: a
// document's embedded objects are its FRAME, IFRAME, OBJECT and EMBED elements in document
// order; FRAME and IFRAME are browsers whose document is the frame's document, the others are not.

#include <cstdint>
#include <optional>
#include <vector>

#include "browser/browser_document.h"
#include "kvsub/kvsub_abi.h"
#include "kvsub/kvsub_library.h"

namespace orvex::browser {

/// A new reference to an object for `document` that offers the document and container
/// interfaces; the caller releases it. Null for a null document.
KvObject* wrapDocument(DocumentRef document);

/// The document behind an object made here (any interface of a document); null for other objects.
DocumentRef documentOf(KvObject* object);

/// Number of objects made here and not yet released (for tests).
int livePageObjects();

/// What GetDoc gave for one document.
struct SubDocuments {
    /// The library's count (embedded objects, or a negative error); nothing when the library or
    /// its function is missing.
    std::optional<std::int32_t> count;
    /// Slots 0 to bound: the documents stored by the library (null where nothing was stored).
    std::vector<DocumentRef> slots;
};

/// Calls GetDoc of `library` for `document` with an array of bound + 1 slots; every stored
/// reference is taken over into `slots` and released. A negative bound is treated as 0.
SubDocuments getSubDocuments(kvsub::KvsubLibrary& library, const DocumentRef& document, std::int32_t bound);

}  // namespace orvex::browser
