#include "page/element.h"

#include <algorithm>

#include "page/ascii_case.h"
#include "page/document.h"
#include "page/input_value.h"
#include "page/serializer.h"
#include "page/tag_tables.h"

namespace orvex::page {
namespace {

const std::vector<Attribute> kNoAttributes;

}  // namespace

Element::Element(Document* document, int node) {
    if (document == nullptr) return;
    const Node* n = document->node(node);
    if (n == nullptr || n->kind != NodeKind::Element) return;
    m_document = document;
    m_node = node;
}

int Element::sourceIndex() const {
    return m_document ? m_document->node(m_node)->sourceIndex : -1;
}

std::string Element::tagName() const {
    return m_document ? m_document->node(m_node)->tag : std::string();
}

std::string Element::typeName() const {
    if (!m_document) return {};
    const std::string& tag = m_document->node(m_node)->tag;
    for (const TypeNameRow& row : kElementTypeNames)
        if (row.tag == tag) return std::string(row.typeName);
    return "HTMLElement";
}

std::string Element::type() const {
    if (!m_document) return {};
    const std::string& tag = m_document->node(m_node)->tag;
    if (tag == "INPUT") return m_document->inputType(m_node);
    if (tag == "SELECT")
        return m_document->attributeValue(m_node, "multiple") ? "select-multiple" : "select-one";
    if (tag == "TEXTAREA") return "textarea";
    const std::string* type = m_document->attributeValue(m_node, "type");
    if (tag == "BUTTON") {
        std::string t = type ? asciiLower(*type) : std::string();
        return (t == "reset" || t == "button") ? t : std::string("submit");
    }
    return type ? *type : std::string();
}

std::string Element::name() const {
    return attribute("name").value_or(std::string());
}

std::string Element::id() const {
    return attribute("id").value_or(std::string());
}

std::optional<std::string> Element::attribute(std::string_view name) const {
    if (!m_document) return std::nullopt;
    const std::string* value = m_document->attributeValue(m_node, asciiLower(name));
    if (value == nullptr) return std::nullopt;
    return *value;
}

const std::vector<Attribute>& Element::attributes() const {
    return m_document ? m_document->node(m_node)->attributes : kNoAttributes;
}

std::string Element::value() const {
    if (!m_document) return {};
    const Node& n = *m_document->node(m_node);
    if (n.tag == "INPUT") {
        std::string type = m_document->inputType(m_node);
        if (inTable(kAttributeValueInputTypes, type)) {
            const std::string* v = m_document->attributeValue(m_node, "value");
            if (v != nullptr) return *v;
            return (type == "checkbox" || type == "radio") ? std::string("on") : std::string();
        }
        return n.value;
    }
    if (n.tag == "TEXTAREA") return n.value;
    if (n.tag == "SELECT") {
        for (int o : m_document->optionsOf(m_node))
            if (m_document->node(o)->selected) return m_document->optionValue(o);
        return {};
    }
    if (n.tag == "OPTION") return m_document->optionValue(m_node);
    if (n.tag == "BUTTON" || n.tag == "PARAM" || n.tag == "DATA") {
        const std::string* v = m_document->attributeValue(m_node, "value");
        return v ? *v : std::string();
    }
    return {};
}

bool Element::setValue(std::string_view value) {
    if (!m_document) return false;
    Node& n = *m_document->mutableNode(m_node);
    if (n.tag == "INPUT") {
        std::string type = m_document->inputType(m_node);
        if (!n.rendered && inTable(kTextEntryInputTypes, type)) {
            m_document->logRefusal(m_node, value);
            return false;
        }
        if (type == "file") {
            if (!value.empty()) return false;
            n.value.clear();
        } else if (inTable(kAttributeValueInputTypes, type)) {
            m_document->setAttributeValue(m_node, "value", value);
        } else {
            n.value = sanitizeInputValue(type, value);
        }
    } else if (n.tag == "TEXTAREA") {
        if (!n.rendered) {
            m_document->logRefusal(m_node, value);
            return false;
        }
        n.value = normalizeLineBreaks(value);
    } else if (n.tag == "SELECT") {
        // Every option is deselected, then the first one with this value is selected; a value
        // that no option has leaves the list without a selection (value "", selectedIndex -1).
        std::vector<int> options = m_document->optionsOf(m_node);
        for (int o : options) m_document->mutableNode(o)->selected = false;
        for (int o : options) {
            if (m_document->optionValue(o) == value) {
                m_document->mutableNode(o)->selected = true;
                break;
            }
        }
    } else if (n.tag == "OPTION" || n.tag == "BUTTON" || n.tag == "PARAM" || n.tag == "DATA") {
        m_document->setAttributeValue(m_node, "value", value);
    } else {
        return false;
    }
    m_document->log(m_node, WriteKind::Value, std::string(value), false, -1);
    return true;
}

bool Element::status() const {
    if (!m_document) return false;
    const Node& n = *m_document->node(m_node);
    if (n.tag != "INPUT") return false;
    std::string type = m_document->inputType(m_node);
    return (type == "radio" || type == "checkbox") && n.checked;
}

bool Element::setStatus(bool checked) {
    if (!m_document) return false;
    Node& n = *m_document->mutableNode(m_node);
    if (n.tag != "INPUT") return false;
    std::string type = m_document->inputType(m_node);
    if (type == "radio" && checked) {
        m_document->checkRadio(m_node);
    } else if (type == "radio" || type == "checkbox") {
        n.checked = checked;
    } else {
        return false;
    }
    m_document->log(m_node, WriteKind::Checked, {}, checked, -1);
    return true;
}

int Element::length() const {
    if (!m_document) return 0;
    return static_cast<int>(m_document->optionsOf(m_node).size());
}

Element Element::item(int index) const {
    if (!m_document || index < 0) return {};
    std::vector<int> options = m_document->optionsOf(m_node);
    if (index >= static_cast<int>(options.size())) return {};
    return Element(m_document, options[static_cast<std::size_t>(index)]);
}

ElementCollection Element::options() const {
    if (!m_document) return {};
    return ElementCollection(m_document,
                             std::make_shared<const std::vector<int>>(m_document->optionsOf(m_node)));
}

int Element::selectedIndex() const {
    if (!m_document) return -1;
    std::vector<int> options = m_document->optionsOf(m_node);
    for (std::size_t i = 0; i < options.size(); ++i)
        if (m_document->node(options[i])->selected) return static_cast<int>(i);
    return -1;
}

bool Element::setSelectedIndex(int index) {
    if (!m_document || m_document->node(m_node)->tag != "SELECT") return false;
    std::vector<int> options = m_document->optionsOf(m_node);
    for (int o : options) m_document->mutableNode(o)->selected = false;
    if (index >= 0 && index < static_cast<int>(options.size()))
        m_document->mutableNode(options[static_cast<std::size_t>(index)])->selected = true;
    m_document->log(m_node, WriteKind::SelectedIndex, {}, false, index);
    return true;
}

std::string Element::text() const {
    if (!m_document) return {};
    const Node& n = *m_document->node(m_node);
    if (n.tag == "OPTION") return m_document->optionText(m_node);
    std::string text;
    for (int i = m_node + 1; i < n.end; ++i)
        if (m_document->node(i)->kind == NodeKind::Text) text += m_document->node(i)->text;
    return text;
}

bool Element::selected() const {
    if (!m_document) return false;
    const Node& n = *m_document->node(m_node);
    return n.tag == "OPTION" && n.selected;
}

bool Element::setSelected(bool selected) {
    if (!m_document || m_document->node(m_node)->tag != "OPTION") return false;
    m_document->setOptionSelected(m_node, selected);
    int select = m_document->selectOf(m_node);
    if (select >= 0) {
        std::vector<int> options = m_document->optionsOf(select);
        int index = static_cast<int>(std::find(options.begin(), options.end(), m_node) - options.begin());
        m_document->log(select, WriteKind::OptionSelected, {}, selected, index);
    } else {
        m_document->log(m_node, WriteKind::OptionSelected, {}, selected, -1);
    }
    return true;
}

int Element::index() const {
    if (!m_document) return -1;
    int select = m_document->selectOf(m_node);
    if (select < 0) return -1;
    std::vector<int> options = m_document->optionsOf(select);
    auto it = std::find(options.begin(), options.end(), m_node);
    return it == options.end() ? -1 : static_cast<int>(it - options.begin());
}

std::string Element::innerHTML() const {
    return m_document ? serializeInner(*m_document, m_node) : std::string();
}

std::string Element::outerHTML() const {
    return m_document ? serializeOuter(*m_document, m_node) : std::string();
}

Element Element::parentElement() const {
    if (!m_document) return {};
    return Element(m_document, m_document->node(m_node)->parent);
}

ElementCollection Element::children() const {
    if (!m_document) return {};
    auto nodes = std::make_shared<std::vector<int>>();
    const Node& n = *m_document->node(m_node);
    for (int c = m_node + 1; c < n.end;) {
        const Node& child = *m_document->node(c);
        if (child.kind == NodeKind::Element) nodes->push_back(c);
        c = std::max(child.end, c + 1);
    }
    return ElementCollection(m_document, std::move(nodes));
}

Element Element::form() const {
    if (!m_document) return {};
    return Element(m_document, m_document->formOwner(m_node));
}

bool Element::rendered() const {
    return m_document && m_document->node(m_node)->rendered;
}

void Element::scrollIntoView(bool alignToTop) {
    if (m_document) m_document->log(m_node, WriteKind::ScrollIntoView, {}, alignToTop, -1);
}

ElementCollection::ElementCollection(Document* document, std::shared_ptr<const std::vector<int>> nodes)
    : m_document(document), m_nodes(std::move(nodes)) {
    if (m_document == nullptr) m_nodes.reset();
}

int ElementCollection::length() const {
    return m_nodes ? static_cast<int>(m_nodes->size()) : 0;
}

Element ElementCollection::item(int index) const {
    if (index < 0 || index >= length()) return {};
    return Element(m_document, (*m_nodes)[static_cast<std::size_t>(index)]);
}

NamedItem ElementCollection::item(std::string_view name) const {
    if (!m_nodes || name.empty()) return {};
    auto found = std::make_shared<std::vector<int>>();
    for (int n : *m_nodes) {
        const std::string* id = m_document->attributeValue(n, "id");
        bool match = id != nullptr && *id == name;
        if (!match && inTable(kNamedByNameElements, m_document->node(n)->tag)) {
            const std::string* nm = m_document->attributeValue(n, "name");
            match = nm != nullptr && *nm == name;
        }
        if (match) found->push_back(n);
    }
    if (found->empty()) return {};
    if (found->size() == 1) return NamedItem(Element(m_document, found->front()));
    return NamedItem(ElementCollection(m_document, std::move(found)));
}

ElementCollection ElementCollection::tags(std::string_view tagName) const {
    if (!m_nodes) return {};
    std::string tag = asciiUpper(tagName);
    auto found = std::make_shared<std::vector<int>>();
    for (int n : *m_nodes)
        if (m_document->node(n)->tag == tag) found->push_back(n);
    return ElementCollection(m_document, std::move(found));
}

std::string ElementCollection::typeName() const {
    return "HTMLElementCollection";
}

std::string NamedItem::typeName() const {
    if (m_isCollection) return m_collection.typeName();
    return m_element.typeName();
}

}  // namespace orvex::page
