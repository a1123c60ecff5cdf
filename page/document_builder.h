#pragma once
// Builds a Document node by node. Loaders add nodes in document order (each new node's parent
// is an element that is still open: the last element added or one of its ancestors), then may
// override the live state of controls (a live page reports what the person typed), then call
// finish().

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "page/document.h"

namespace orvex::page {

class DocumentBuilder {
  public:
    /// Starts an empty document with the address `url`.
    explicit DocumentBuilder(std::string url = {});

    /// Adds an element under `parent` (-1 for the top of the document); the tag is upper-cased
    /// and attribute names lower-cased. Returns the new node's index, or -1 (nothing added) when
    /// `parent` is not an open element or the tag is empty.
    int addElement(int parent, std::string_view tagName, std::vector<Attribute> attributes);
    /// Adds a text node; returns its index or -1 when `parent` is not an open element.
    int addText(int parent, std::string_view text);
    /// Adds a comment node; returns its index or -1 when `parent` is not an open element.
    int addComment(int parent, std::string_view text);

    /// Overrides the current value of an input or text area; ignored for other nodes.
    void setValue(int node, std::string value);
    /// Overrides the checked state of an input; ignored for other nodes.
    void setChecked(int node, bool checked);
    /// Overrides the selected state of an option; ignored for other nodes.
    void setSelected(int node, bool selected);
    /// Marks an element as rendered or not (every element is rendered by default).
    void setRendered(int node, bool rendered);

    /// Sets the window name of the document (frame name).
    void setWindowName(std::string name);
    /// Sets the title instead of the text of the TITLE element.
    void setTitle(std::string title);
    /// Records the character set the page was decoded from.
    void setCharset(std::string charset);
    /// Attaches `frame` as the document shown by the FRAME/IFRAME element `frameElementNode`;
    /// frames must be attached in document order of their elements. False (frame dropped) when
    /// the node is not a FRAME/IFRAME element or the frame is null.
    bool addFrame(int frameElementNode, std::unique_ptr<Document> frame);

    /// Makes room for `nodes` nodes (a hint; nothing happens for 0 or less).
    void reserve(int nodes);
    /// Number of nodes added so far.
    int nodeCount() const;

    /// Completes the document: computes the initial state of controls from their attributes
    /// (values, checked buttons with one per radio group, selected options with the browser's
    /// defaults), then applies the overrides. The builder is empty afterwards.
    std::unique_ptr<Document> finish();

  private:
    bool openParent(int parent);
    int addNode(int parent, Node node);
    void computeInitialState();

    struct StateOverride {
        int node = -1;
        enum class Kind { Value, Checked, Selected, Rendered } kind = Kind::Value;
        std::string value;
        bool flag = false;
    };

    std::unique_ptr<Document> m_document;
    std::vector<int> m_open;  // open elements, innermost last
    std::vector<StateOverride> m_overrides;
    bool m_titleGiven = false;
};

}  // namespace orvex::page
