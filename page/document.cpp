#include "page/document.h"

#include <algorithm>

#include "page/input_value.h"
#include "page/tag_tables.h"

namespace orvex::page {
namespace {

bool isAsciiBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

// Text with leading and trailing ASCII blanks removed and inner runs collapsed to one space.
std::string stripAndCollapse(std::string_view s) {
    std::string out;
    bool pendingBlank = false;
    for (char c : s) {
        if (isAsciiBlank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out.push_back(' ');
        pendingBlank = false;
        out.push_back(c);
    }
    return out;
}

}  // namespace

ElementCollection Document::all() {
    return ElementCollection(this, m_elements);
}

Element Document::elementAt(int sourceIndex) {
    if (sourceIndex < 0 || sourceIndex >= elementCount()) return {};
    return Element(this, (*m_elements)[static_cast<std::size_t>(sourceIndex)]);
}

Document* Document::frame(int index) const {
    if (index < 0 || index >= frameCount()) return nullptr;
    return m_frames[static_cast<std::size_t>(index)].get();
}

Document* Document::frameDocument(const Element& frameElement) const {
    if (frameElement.document() != this) return nullptr;
    int sourceIndex = frameElement.sourceIndex();
    for (std::size_t i = 0; i < m_frameElements.size(); ++i)
        if (m_frameElements[i] == sourceIndex) return m_frames[i].get();
    return nullptr;
}

Element Document::frameElement() const {
    if (m_parent == nullptr) return {};
    return m_parent->elementAt(m_frameElementIndex);
}

const Node* Document::node(int index) const {
    if (index < 0 || index >= static_cast<int>(m_nodes.size())) return nullptr;
    return &m_nodes[static_cast<std::size_t>(index)];
}

Node* Document::mutableNode(int index) {
    if (index < 0 || index >= static_cast<int>(m_nodes.size())) return nullptr;
    return &m_nodes[static_cast<std::size_t>(index)];
}

bool Document::isElement(int index) const {
    const Node* n = node(index);
    return n != nullptr && n->kind == NodeKind::Element;
}

void Document::log(int nodeIndex, WriteKind kind, std::string value, bool flag, int index) {
    const Node* n = node(nodeIndex);
    if (n == nullptr) return;
    const std::string* name = attributeValue(nodeIndex, "name");
    m_writeLog.push_back(WriteRecord{n->sourceIndex, n->tag, name ? *name : std::string(), kind,
                                     std::move(value), flag, index});
}

void Document::logRefusal(int nodeIndex, std::string_view value) {
    const Node* n = node(nodeIndex);
    if (n == nullptr) return;
    const std::string* name = attributeValue(nodeIndex, "name");
    m_refusalLog.push_back(WriteRecord{n->sourceIndex, n->tag, name ? *name : std::string(), WriteKind::Value,
                                       std::string(value), false, -1});
}

const std::string* Document::attributeValue(int nodeIndex, std::string_view name) const {
    const Node* n = node(nodeIndex);
    if (n == nullptr) return nullptr;
    for (const Attribute& a : n->attributes)
        if (a.name == name) return &a.value;
    return nullptr;
}

void Document::setAttributeValue(int nodeIndex, std::string_view name, std::string_view value) {
    Node* n = mutableNode(nodeIndex);
    if (n == nullptr) return;
    for (Attribute& a : n->attributes) {
        if (a.name == name) {
            a.value = std::string(value);
            return;
        }
    }
    n->attributes.push_back(Attribute{std::string(name), std::string(value)});
}

std::string Document::inputType(int nodeIndex) const {
    const std::string* type = attributeValue(nodeIndex, "type");
    return normalizeInputType(type ? *type : std::string_view());
}

std::vector<int> Document::optionsOf(int selectNode) const {
    std::vector<int> options;
    const Node* select = node(selectNode);
    if (select == nullptr || select->tag != "SELECT") return options;
    // The options of a list are its OPTION children and the OPTION children of its OPTGROUP
    // children; deeper options do not belong to it.
    for (int child = selectNode + 1; child < select->end;) {
        const Node& c = m_nodes[static_cast<std::size_t>(child)];
        if (c.kind == NodeKind::Element && c.tag == "OPTION") {
            options.push_back(child);
        } else if (c.kind == NodeKind::Element && c.tag == "OPTGROUP") {
            for (int grandChild = child + 1; grandChild < c.end;) {
                const Node& g = m_nodes[static_cast<std::size_t>(grandChild)];
                if (g.kind == NodeKind::Element && g.tag == "OPTION") options.push_back(grandChild);
                grandChild = std::max(g.end, grandChild + 1);
            }
        }
        child = std::max(c.end, child + 1);
    }
    return options;
}

int Document::selectOf(int optionNode) const {
    const Node* option = node(optionNode);
    if (option == nullptr || option->tag != "OPTION") return -1;
    const Node* parent = node(option->parent);
    if (parent == nullptr) return -1;
    if (parent->tag == "SELECT") return option->parent;
    if (parent->tag == "OPTGROUP") {
        const Node* grandParent = node(parent->parent);
        if (grandParent != nullptr && grandParent->tag == "SELECT") return parent->parent;
    }
    return -1;
}

int Document::formOwner(int nodeIndex) const {
    const Node* n = node(nodeIndex);
    if (n == nullptr) return -1;
    // A `form` attribute names the owner by id; otherwise the nearest FORM ancestor owns it.
    if (const std::string* formId = attributeValue(nodeIndex, "form"); formId != nullptr) {
        for (int e : *m_elements) {
            const std::string* id = attributeValue(e, "id");
            if (id != nullptr && *id == *formId)
                return m_nodes[static_cast<std::size_t>(e)].tag == "FORM" ? e : -1;
        }
        return -1;
    }
    for (int p = n->parent; p >= 0; p = m_nodes[static_cast<std::size_t>(p)].parent)
        if (m_nodes[static_cast<std::size_t>(p)].tag == "FORM") return p;
    return -1;
}

std::string Document::optionText(int optionNode) const {
    const Node* option = node(optionNode);
    if (option == nullptr) return {};
    std::string text;
    for (int i = optionNode + 1; i < option->end;) {
        const Node& c = m_nodes[static_cast<std::size_t>(i)];
        if (c.kind == NodeKind::Element && c.tag == "SCRIPT") {
            i = std::max(c.end, i + 1);
            continue;
        }
        if (c.kind == NodeKind::Text) text += c.text;
        ++i;
    }
    return stripAndCollapse(text);
}

std::string Document::optionValue(int optionNode) const {
    if (const std::string* value = attributeValue(optionNode, "value")) return *value;
    return optionText(optionNode);
}

bool Document::isDropDown(int selectNode) const {
    if (attributeValue(selectNode, "multiple") != nullptr) return false;
    const std::string* size = attributeValue(selectNode, "size");
    if (size == nullptr) return true;
    // A size above 1 shows a list box, which may stay without a selection.
    std::size_t pos = 0;
    while (pos < size->size() && isAsciiBlank((*size)[pos])) ++pos;
    long long n = 0;
    bool digits = false;
    while (pos < size->size() && (*size)[pos] >= '0' && (*size)[pos] <= '9' && n < 1000) {
        n = n * 10 + ((*size)[pos++] - '0');
        digits = true;
    }
    return !digits || n <= 1;
}

void Document::resetSelection(int selectNode) {
    // A drop-down list always shows a choice: with nothing selected, its first enabled option
    // becomes selected.
    if (!isDropDown(selectNode)) return;
    std::vector<int> options = optionsOf(selectNode);
    for (int o : options)
        if (m_nodes[static_cast<std::size_t>(o)].selected) return;
    for (int o : options) {
        bool disabled = attributeValue(o, "disabled") != nullptr;
        const Node& parent = m_nodes[static_cast<std::size_t>(m_nodes[static_cast<std::size_t>(o)].parent)];
        if (parent.tag == "OPTGROUP" &&
            attributeValue(m_nodes[static_cast<std::size_t>(o)].parent, "disabled"))
            disabled = true;
        if (!disabled) {
            m_nodes[static_cast<std::size_t>(o)].selected = true;
            return;
        }
    }
}

void Document::setOptionSelected(int optionNode, bool selected) {
    Node* option = mutableNode(optionNode);
    if (option == nullptr) return;
    int select = selectOf(optionNode);
    if (selected && select >= 0 && attributeValue(select, "multiple") == nullptr) {
        for (int o : optionsOf(select)) m_nodes[static_cast<std::size_t>(o)].selected = false;
    }
    option->selected = selected;
    if (select >= 0) resetSelection(select);
}

void Document::checkRadio(int nodeIndex) {
    Node* radio = mutableNode(nodeIndex);
    if (radio == nullptr) return;
    radio->checked = true;
    const std::string* name = attributeValue(nodeIndex, "name");
    // A radio button without a name forms a group of its own.
    if (name == nullptr || name->empty()) return;
    int owner = formOwner(nodeIndex);
    for (int e : *m_elements) {
        if (e == nodeIndex) continue;
        Node& other = m_nodes[static_cast<std::size_t>(e)];
        if (!other.checked || other.tag != "INPUT" || inputType(e) != "radio") continue;
        const std::string* otherName = attributeValue(e, "name");
        if (otherName != nullptr && *otherName == *name && formOwner(e) == owner) other.checked = false;
    }
}

}  // namespace orvex::page
