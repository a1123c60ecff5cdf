#include "rules/page_controls.h"

#include "text/strings.h"

namespace orvex::rules {
namespace {

// How many parents above a control are searched for the LABEL it stands in.
constexpr int kWrappingLabelLevels = 6;

bool isControlTag(const std::string& tag) {
    return tag == "INPUT" || tag == "SELECT" || tag == "TEXTAREA";
}

// Elements whose content is no label text: the choices of a list, a text area's text, scripts.
bool skipsContent(const std::string& tag) {
    return tag == "SELECT" || tag == "TEXTAREA" || tag == "OPTION" || tag == "SCRIPT" || tag == "STYLE";
}

const std::string* attributeOf(const page::Node& node, std::string_view name) {
    for (const page::Attribute& a : node.attributes)
        if (a.name == name) return &a.value;
    return nullptr;
}

// Elements inside a line of text.
bool isInlineTag(const std::string& tag) {
    return tag == "LABEL" || tag == "FONT" || tag == "B" || tag == "I" || tag == "U" || tag == "STRONG" ||
           tag == "EM" || tag == "SMALL" || tag == "BIG" || tag == "A" || tag == "TT" || tag == "SPAN";
}

// How much text after a control is read, in UTF-8 bytes.
constexpr std::size_t kAfterTextBytes = 240;

text::Text withoutWhitespace(text::TextView s) {
    return text::removeIf(s, [](char16_t c) {
        return text::isBlank(c) || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u00A0';
    });
}

bool hasFormAncestor(const std::vector<page::Node>& nodes, int index) {
    for (int p = nodes[static_cast<std::size_t>(index)].parent; p >= 0; p = nodes[static_cast<std::size_t>(p)].parent)
        if (nodes[static_cast<std::size_t>(p)].tag == "FORM") return true;
    return false;
}

}  // namespace

bool isFormControl(const page::Element& element) {
    return element && isControlTag(element.tagName());
}

std::vector<page::Element> ownedOutside(const page::Element& form) {
    std::vector<page::Element> out;
    page::Document* document = form.document();
    if (document == nullptr) return out;
    const std::vector<page::Node>& nodes = document->nodes();
    const int formNode = form.node();
    const int formEnd = nodes[static_cast<std::size_t>(formNode)].end;
    const std::string formId = form.id();
    bool emptied = true;  // the form holds no control of its own
    for (int i = formNode + 1; i < formEnd && emptied; ++i)
        emptied = !(nodes[static_cast<std::size_t>(i)].kind == page::NodeKind::Element &&
                    isControlTag(nodes[static_cast<std::size_t>(i)].tag));

    int lastForm = -1;  // the nearest FORM that opened before the node being looked at
    const page::ElementCollection elements = document->all();
    for (int k = 0; k < elements.length(); ++k) {
        const int i = elements.item(k).node();
        if (i > formNode && i < formEnd) continue;
        const page::Node& node = nodes[static_cast<std::size_t>(i)];
        if (node.tag == "FORM") lastForm = i;
        if (!isControlTag(node.tag)) continue;
        const std::string* owner = attributeOf(node, "form");
        const bool owned = owner != nullptr
                               ? !formId.empty() && *owner == formId
                               : emptied && lastForm == formNode && !hasFormAncestor(nodes, i);
        if (owned) out.emplace_back(document, i);
    }
    return out;
}

std::vector<page::Element> formControls(const page::Element& form) {
    std::vector<page::Element> out;
    page::Document* document = form.document();
    if (document == nullptr) return out;
    const std::vector<page::Node>& nodes = document->nodes();
    const int end = nodes[static_cast<std::size_t>(form.node())].end;
    for (int i = form.node() + 1; i < end; ++i)
        if (nodes[static_cast<std::size_t>(i)].kind == page::NodeKind::Element &&
            isControlTag(nodes[static_cast<std::size_t>(i)].tag))
            out.emplace_back(document, i);
    for (const page::Element& owned : ownedOutside(form)) out.push_back(owned);
    return out;
}

text::Text labelText(const page::Element& element) {
    page::Document* document = element.document();
    if (document == nullptr) return {};
    const std::vector<page::Node>& nodes = document->nodes();
    const int end = nodes[static_cast<std::size_t>(element.node())].end;
    std::string utf8;
    for (int i = element.node() + 1; i < end; ++i) {
        const page::Node& node = nodes[static_cast<std::size_t>(i)];
        if (node.kind == page::NodeKind::Text) {
            utf8 += node.text;
        } else if (node.kind == page::NodeKind::Element) {
            if (skipsContent(node.tag)) {
                i = node.end - 1;
            } else if (node.tag == "IMG") {
                if (const std::string* alt = attributeOf(node, "alt")) utf8 += *alt;
            }
        }
    }
    return withoutWhitespace(text::fromUtf8(utf8));
}

text::Text textAfterControl(const page::Element& control) {
    page::Document* document = control.document();
    if (document == nullptr) return {};
    const std::vector<page::Node>& nodes = document->nodes();
    int container = nodes[static_cast<std::size_t>(control.node())].parent;
    while (container >= 0 && isInlineTag(nodes[static_cast<std::size_t>(container)].tag))
        container = nodes[static_cast<std::size_t>(container)].parent;
    const int end = container >= 0 ? nodes[static_cast<std::size_t>(container)].end : static_cast<int>(nodes.size());
    std::string utf8;
    for (int i = nodes[static_cast<std::size_t>(control.node())].end; i < end && utf8.size() < kAfterTextBytes; ++i) {
        const page::Node& node = nodes[static_cast<std::size_t>(i)];
        if (node.kind == page::NodeKind::Element && isControlTag(node.tag)) break;
        if (node.kind == page::NodeKind::Text) utf8 += node.text;
    }
    return withoutWhitespace(text::fromUtf8(utf8));
}

OwnLabels::OwnLabels(page::Document& document) {
    const page::ElementCollection labels = document.all().tags("LABEL");
    for (int i = 0; i < labels.length(); ++i) {
        const page::Element label = labels.item(i);
        const std::optional<std::string> target = label.attribute("for");
        if (target && !target->empty()) m_byFor[*target] += labelText(label);
    }
}

text::Text OwnLabels::of(const page::Element& control) const {
    page::Document* document = control.document();
    if (document == nullptr) return {};
    const std::vector<page::Node>& nodes = document->nodes();
    const page::Node& node = nodes[static_cast<std::size_t>(control.node())];
    if (const std::string* id = attributeOf(node, "id"); id != nullptr && !id->empty()) {
        const auto it = m_byFor.find(*id);
        if (it != m_byFor.end() && !it->second.empty()) return it->second;
    }
    int p = node.parent;
    for (int level = 0; level < kWrappingLabelLevels && p >= 0; ++level, p = nodes[static_cast<std::size_t>(p)].parent)
        if (nodes[static_cast<std::size_t>(p)].tag == "LABEL") return labelText(page::Element(document, p));
    return {};
}

}  // namespace orvex::rules
