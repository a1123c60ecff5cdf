#pragma once
// The nodes of a document, kept in one flat vector in document order (pre-order): a node's
// descendants are the nodes that follow it up to its `end`, so walks need no pointers.

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::page {

/// An attribute as the document wrote it: lower-case name, decoded UTF-8 value.
struct Attribute {
    std::string name;
    std::string value;
};

enum class NodeKind : std::uint8_t { Element, Text, Comment };

/// One node of a document. Elements carry their tag, attributes and live form state; text and
/// comment nodes carry their data and exist so that the markup can be written out again.
struct Node {
    NodeKind kind = NodeKind::Element;
    /// Index of the parent node; -1 for a node at the top of the document.
    int parent = -1;
    /// One past the index of the last descendant.
    int end = 0;
    /// Position among all elements of the document, from 0; -1 for text and comments.
    int sourceIndex = -1;
    /// Upper-case element name; empty for text and comments.
    std::string tag;
    /// Text or comment data, UTF-8.
    std::string text;
    /// Attributes in document order.
    std::vector<Attribute> attributes;

    // Live state of form controls. `value` is the current value of inputs whose value lives
    // apart from their attribute, and of text areas.
    std::string value;
    bool checked = false;
    bool selected = false;
    /// False when the element has no layout box (set by the live loader).
    bool rendered = true;
};

}  // namespace orvex::page
