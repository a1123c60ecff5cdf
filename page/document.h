#pragma once
// A document of the page model: the flat node list of one page or frame, the live state of its
// form controls, its child frame documents and the log of the writes made to it.
//
// Documents are made by a loader through DocumentBuilder (saved HTML pages, or the live page
// of the browser) and then read and written through Element handles. A document is neither
// copied nor moved, so handles to it stay valid for its whole life.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "page/element.h"
#include "page/node.h"
#include "page/write_log.h"

namespace orvex::page {

class Document {
  public:
    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    /// The document's address; empty when unknown.
    const std::string& url() const { return m_url; }
    /// The text of the first TITLE element, blanks stripped and collapsed (or the title the
    /// loader gave); empty when there is none.
    const std::string& title() const { return m_title; }
    /// The name of the window (frame) that shows the document; empty for an unnamed window.
    const std::string& windowName() const { return m_windowName; }
    /// The character set the page was decoded from ("UTF-8", "windows-31j", ...); may be empty.
    const std::string& charset() const { return m_charset; }

    /// Every element in document order (the `all` collection).
    ElementCollection all();
    /// Number of elements (`all.length`).
    int elementCount() const { return static_cast<int>(m_elements->size()); }
    /// The element at `sourceIndex`; null when out of range.
    Element elementAt(int sourceIndex);

    /// Number of child frame documents.
    int frameCount() const { return static_cast<int>(m_frames.size()); }
    /// Child frame document `index` (from 0, in document order of their FRAME/IFRAME
    /// elements); nullptr when out of range.
    Document* frame(int index) const;
    /// The frame document shown by a FRAME/IFRAME element of this document; nullptr when none.
    Document* frameDocument(const Element& frameElement) const;
    /// The document that holds this one as a frame; nullptr for a top document.
    Document* parentDocument() const { return m_parent; }
    /// The FRAME/IFRAME element of the parent document that shows this one; null for a top
    /// document.
    Element frameElement() const;

    /// Every write made through the element handles, in order.
    const std::vector<WriteRecord>& writeLog() const { return m_writeLog; }
    /// Forgets the recorded writes (after a replay).
    void clearWriteLog() { m_writeLog.clear(); }
    /// Every value write refused because its text field is not rendered, in order.
    const std::vector<WriteRecord>& refusalLog() const { return m_refusalLog; }

    /// The node list in document order (for serialisers and loaders).
    const std::vector<Node>& nodes() const { return m_nodes; }
    /// Node `index`; nullptr when out of range.
    const Node* node(int index) const;

  private:
    friend class Element;
    friend class ElementCollection;
    friend class DocumentBuilder;

    Node* mutableNode(int index);
    bool isElement(int index) const;
    void log(int node, WriteKind kind, std::string value, bool flag, int index);
    void logRefusal(int node, std::string_view value);

    // Form-control helpers (node indexes in, node indexes out).
    std::string inputType(int node) const;
    std::vector<int> optionsOf(int selectNode) const;
    int selectOf(int optionNode) const;
    int formOwner(int node) const;
    std::string optionValue(int optionNode) const;
    std::string optionText(int optionNode) const;
    bool isDropDown(int selectNode) const;
    void resetSelection(int selectNode);
    void setOptionSelected(int optionNode, bool selected);
    void checkRadio(int node);
    const std::string* attributeValue(int node, std::string_view name) const;
    void setAttributeValue(int node, std::string_view name, std::string_view value);

    std::string m_url;
    std::string m_title;
    std::string m_windowName;
    std::string m_charset;
    std::vector<Node> m_nodes;
    // Node index of each element, by source index; shared with `all` collections.
    std::shared_ptr<std::vector<int>> m_elements = std::make_shared<std::vector<int>>();
    std::vector<std::unique_ptr<Document>> m_frames;
    // Source index of the FRAME/IFRAME element of each frame, parallel to m_frames.
    std::vector<int> m_frameElements;
    Document* m_parent = nullptr;
    int m_frameElementIndex = -1;
    std::vector<WriteRecord> m_writeLog;
    std::vector<WriteRecord> m_refusalLog;
};

}  // namespace orvex::page
