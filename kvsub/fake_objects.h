#pragma once
// Fake documents, frames and plugins for testing the document access library: a tree of
// nodes, and reference-counted objects over them that count how many are alive.

#include <memory>
#include <vector>

#include "kvsub/kvsub_abi.h"

namespace orvex::kvsub::testing {

struct FakeNode {
    enum class Kind { Document, Frame, Plugin };
    Kind kind = Kind::Document;
    /// Document: its embedded objects in order. Frame: children[0] is its document.
    std::vector<std::shared_ptr<FakeNode>> children;
    bool noContainer = false;     // document: refuses the container interface
    bool refuseEnum = false;      // document: container refuses to enumerate
    bool documentDenied = false;  // frame: its document cannot be reached
    int refreshed = 0;            // frame: how often it was told to reload
    int id = 0;
};

std::shared_ptr<FakeNode> document(std::vector<std::shared_ptr<FakeNode>> embedded = {}, int id = 0);
std::shared_ptr<FakeNode> frame(std::shared_ptr<FakeNode> doc);
std::shared_ptr<FakeNode> plugin();

/// A new reference to the node offering `iid` (KV_IID_DOCUMENT for documents).
KvObject* wrap(const std::shared_ptr<FakeNode>& node, int iid);
/// The node behind an object made by wrap().
FakeNode* nodeOf(KvObject* object);
/// The number of fake objects not yet released.
int liveObjects();

}  // namespace orvex::kvsub::testing
