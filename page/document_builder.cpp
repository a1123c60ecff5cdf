#include "page/document_builder.h"

#include <algorithm>
#include <map>
#include <utility>

#include "page/ascii_case.h"
#include "page/tag_tables.h"

namespace orvex::page {

DocumentBuilder::DocumentBuilder(std::string url) : m_document(std::make_unique<Document>()) {
    m_document->m_url = std::move(url);
}

bool DocumentBuilder::openParent(int parent) {
    if (parent < 0) {
        m_open.clear();
        return true;
    }
    // The parent is nearly always the innermost open element, so search from the inside out.
    for (std::size_t i = m_open.size(); i > 0; --i) {
        if (m_open[i - 1] == parent) {
            m_open.resize(i);
            return true;
        }
    }
    return false;
}

void DocumentBuilder::reserve(int nodes) {
    if (m_document && nodes > 0) m_document->m_nodes.reserve(static_cast<std::size_t>(nodes));
}

int DocumentBuilder::addNode(int parent, Node node) {
    if (!m_document || !openParent(parent)) return -1;
    int index = static_cast<int>(m_document->m_nodes.size());
    node.parent = parent;
    if (node.kind == NodeKind::Element) {
        node.sourceIndex = static_cast<int>(m_document->m_elements->size());
        m_document->m_elements->push_back(index);
    }
    bool isElement = node.kind == NodeKind::Element;
    m_document->m_nodes.push_back(std::move(node));
    if (isElement) m_open.push_back(index);
    return index;
}

int DocumentBuilder::addElement(int parent, std::string_view tagName, std::vector<Attribute> attributes) {
    if (tagName.empty()) return -1;
    Node node;
    node.kind = NodeKind::Element;
    node.tag = asciiUpper(tagName);
    for (Attribute& a : attributes) a.name = asciiLower(a.name);
    node.attributes = std::move(attributes);
    return addNode(parent, std::move(node));
}

int DocumentBuilder::addText(int parent, std::string_view text) {
    Node node;
    node.kind = NodeKind::Text;
    node.text = std::string(text);
    return addNode(parent, std::move(node));
}

int DocumentBuilder::addComment(int parent, std::string_view text) {
    Node node;
    node.kind = NodeKind::Comment;
    node.text = std::string(text);
    return addNode(parent, std::move(node));
}

void DocumentBuilder::setValue(int node, std::string value) {
    m_overrides.push_back({node, StateOverride::Kind::Value, std::move(value), false});
}

void DocumentBuilder::setChecked(int node, bool checked) {
    m_overrides.push_back({node, StateOverride::Kind::Checked, {}, checked});
}

void DocumentBuilder::setSelected(int node, bool selected) {
    m_overrides.push_back({node, StateOverride::Kind::Selected, {}, selected});
}

void DocumentBuilder::setRendered(int node, bool rendered) {
    m_overrides.push_back({node, StateOverride::Kind::Rendered, {}, rendered});
}

void DocumentBuilder::setWindowName(std::string name) {
    if (m_document) m_document->m_windowName = std::move(name);
}

void DocumentBuilder::setTitle(std::string title) {
    if (!m_document) return;
    m_document->m_title = std::move(title);
    m_titleGiven = true;
}

void DocumentBuilder::setCharset(std::string charset) {
    if (m_document) m_document->m_charset = std::move(charset);
}

bool DocumentBuilder::addFrame(int frameElementNode, std::unique_ptr<Document> frame) {
    if (!m_document || !frame) return false;
    const Node* n = m_document->node(frameElementNode);
    if (n == nullptr || (n->tag != "FRAME" && n->tag != "IFRAME")) return false;
    frame->m_parent = m_document.get();
    frame->m_frameElementIndex = n->sourceIndex;
    m_document->m_frames.push_back(std::move(frame));
    m_document->m_frameElements.push_back(n->sourceIndex);
    return true;
}

int DocumentBuilder::nodeCount() const {
    return m_document ? static_cast<int>(m_document->m_nodes.size()) : 0;
}

void DocumentBuilder::computeInitialState() {
    Document& d = *m_document;
    // Subtree ends: every node ends where the next node that is not its descendant starts.
    // Walking backwards, a node's end is the largest end among itself and its children.
    std::vector<Node>& nodes = d.m_nodes;
    for (Node& n : nodes) n.end = 0;
    for (int i = static_cast<int>(nodes.size()) - 1; i >= 0; --i) {
        Node& n = nodes[static_cast<std::size_t>(i)];
        n.end = std::max(n.end, i + 1);
        if (n.parent >= 0) {
            Node& p = nodes[static_cast<std::size_t>(n.parent)];
            p.end = std::max(p.end, n.end);
        }
    }

    // Radio groups keep only their last checked button; the key is (form owner, name).
    std::map<std::pair<int, std::string>, int> checkedRadio;
    for (int e : *d.m_elements) {
        Node& n = nodes[static_cast<std::size_t>(e)];
        if (n.tag == "INPUT") {
            std::string type = d.inputType(e);
            if (!inTable(kAttributeValueInputTypes, type) && type != "file") {
                const std::string* value = d.attributeValue(e, "value");
                n.value = value ? *value : std::string();
            }
            n.checked = (type == "checkbox" || type == "radio") && d.attributeValue(e, "checked") != nullptr;
            const std::string* name = d.attributeValue(e, "name");
            if (n.checked && type == "radio" && name != nullptr && !name->empty()) {
                auto key = std::make_pair(d.formOwner(e), *name);
                auto it = checkedRadio.find(key);
                if (it != checkedRadio.end()) nodes[static_cast<std::size_t>(it->second)].checked = false;
                checkedRadio[key] = e;
            }
        } else if (n.tag == "TEXTAREA") {
            n.value.clear();
            for (int c = e + 1; c < n.end; ++c)
                if (nodes[static_cast<std::size_t>(c)].kind == NodeKind::Text)
                    n.value += nodes[static_cast<std::size_t>(c)].text;
        } else if (n.tag == "OPTION") {
            n.selected = d.attributeValue(e, "selected") != nullptr;
        }
    }
    // A single-choice list keeps only its last selected option; a drop-down list without one
    // selects its first enabled option.
    for (int e : *d.m_elements) {
        if (nodes[static_cast<std::size_t>(e)].tag != "SELECT") continue;
        std::vector<int> options = d.optionsOf(e);
        if (d.attributeValue(e, "multiple") == nullptr) {
            bool seen = false;
            for (auto it = options.rbegin(); it != options.rend(); ++it) {
                Node& o = nodes[static_cast<std::size_t>(*it)];
                if (o.selected && seen) o.selected = false;
                if (o.selected) seen = true;
            }
        }
        d.resetSelection(e);
    }
    if (!m_titleGiven) {
        for (int e : *d.m_elements) {
            if (nodes[static_cast<std::size_t>(e)].tag == "TITLE") {
                d.m_title = d.optionText(e);
                break;
            }
        }
    }
}

std::unique_ptr<Document> DocumentBuilder::finish() {
    if (!m_document) m_document = std::make_unique<Document>();
    computeInitialState();
    for (const StateOverride& o : m_overrides) {
        Node* n = m_document->mutableNode(o.node);
        if (n == nullptr || n->kind != NodeKind::Element) continue;
        switch (o.kind) {
            case StateOverride::Kind::Value:
                if (n->tag == "INPUT" || n->tag == "TEXTAREA") n->value = o.value;
                break;
            case StateOverride::Kind::Checked:
                if (n->tag == "INPUT") n->checked = o.flag;
                break;
            case StateOverride::Kind::Selected:
                if (n->tag == "OPTION") n->selected = o.flag;
                break;
            case StateOverride::Kind::Rendered:
                n->rendered = o.flag;
                break;
        }
    }
    m_overrides.clear();
    m_open.clear();
    m_titleGiven = false;
    std::unique_ptr<Document> done = std::move(m_document);
    m_document = std::make_unique<Document>();
    return done;
}

}  // namespace orvex::page
