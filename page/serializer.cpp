#include "page/serializer.h"

#include <vector>

#include "page/input_value.h"
#include "page/tag_tables.h"

namespace orvex::page {
namespace {

// U+00A0 NO-BREAK SPACE in UTF-8.
constexpr char kNbsp0 = '\xC2';
constexpr char kNbsp1 = '\xA0';

bool isBareValueChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

bool needsQuotes(std::string_view value) {
    if (value.empty()) return true;
    for (char c : value)
        if (!isBareValueChar(c)) return true;
    return false;
}

void appendEscaped(std::string& out, std::string_view text, bool attribute) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == kNbsp0 && i + 1 < text.size() && text[i + 1] == kNbsp1) {
            out += "&nbsp;";
            ++i;
        } else if (c == '&') {
            out += "&amp;";
        } else if (attribute && c == '"') {
            out += "&quot;";
        } else if (!attribute && c == '<') {
            out += "&lt;";
        } else if (!attribute && c == '>') {
            out += "&gt;";
        } else {
            out.push_back(c);
        }
    }
}

void appendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out.push_back(' ');
    out += name;
    if (value.empty() && inTable(kBooleanAttributes, name)) return;
    out.push_back('=');
    if (needsQuotes(value)) {
        out.push_back('"');
        appendEscaped(out, value, true);
        out.push_back('"');
    } else {
        out += value;
    }
}

// What the start tag of a form control writes from its current state instead of the
// document's attributes.
struct LiveState {
    bool replaceValue = false;  // an input whose value lives apart from its attribute
    std::string value;
    const char* flagName = nullptr;  // "CHECKED" or "SELECTED"
    const char* flagAttribute = nullptr;
    bool flag = false;
};

LiveState liveStateOf(const Node& n) {
    LiveState state;
    if (n.tag == "OPTION") {
        state.flagName = "SELECTED";
        state.flagAttribute = "selected";
        state.flag = n.selected;
    } else if (n.tag == "INPUT") {
        std::string typeAttribute;
        for (const Attribute& a : n.attributes)
            if (a.name == "type") {
                typeAttribute = a.value;
                break;
            }
        std::string type = normalizeInputType(typeAttribute);
        if (type == "checkbox" || type == "radio") {
            state.flagName = "CHECKED";
            state.flagAttribute = "checked";
            state.flag = n.checked;
        }
        if (!inTable(kAttributeValueInputTypes, type)) {
            state.replaceValue = true;
            state.value = n.value;
        }
    }
    return state;
}

void appendStartTag(std::string& out, const Node& n) {
    out.push_back('<');
    out += n.tag;
    LiveState state = liveStateOf(n);
    bool valueWritten = false;
    bool flagWritten = false;
    for (const Attribute& a : n.attributes) {
        if (state.replaceValue && a.name == "value") {
            if (!valueWritten) appendAttribute(out, "value", state.value);
            valueWritten = true;
        } else if (state.flagAttribute != nullptr && a.name == state.flagAttribute) {
            if (state.flag && !flagWritten) {
                out.push_back(' ');
                out += state.flagName;
            }
            flagWritten = true;
        } else {
            appendAttribute(out, a.name, a.value);
        }
    }
    if (state.replaceValue && !valueWritten && !state.value.empty())
        appendAttribute(out, "value", state.value);
    if (state.flagName != nullptr && !flagWritten && state.flag) {
        out.push_back(' ');
        out += state.flagName;
    }
    out.push_back('>');
}

void appendEndTag(std::string& out, const Node& n) {
    out += "</";
    out += n.tag;
    out.push_back('>');
}

// Writes the nodes [first, last) of the document; `last` must be the end of a subtree.
void serializeRange(const Document& document, int first, int last, std::string& out) {
    const std::vector<Node>& nodes = document.nodes();
    std::vector<int> open;
    auto closeUntil = [&](int index) {
        while (!open.empty() && index >= nodes[static_cast<std::size_t>(open.back())].end) {
            appendEndTag(out, nodes[static_cast<std::size_t>(open.back())]);
            open.pop_back();
        }
    };
    for (int i = first; i < last; ++i) {
        closeUntil(i);
        const Node& n = nodes[static_cast<std::size_t>(i)];
        if (n.kind == NodeKind::Comment) {
            out += "<!--";
            out += n.text;
            out += "-->";
        } else if (n.kind == NodeKind::Text) {
            const Node* parent = document.node(n.parent);
            if (parent != nullptr && inTable(kRawTextElements, parent->tag))
                out += n.text;
            else
                appendEscaped(out, n.text, false);
        } else {
            appendStartTag(out, n);
            if (n.tag == "TEXTAREA") {
                appendEscaped(out, n.value, false);
                appendEndTag(out, n);
                i = n.end - 1;
            } else if (inTable(kVoidElements, n.tag)) {
                i = n.end - 1;
            } else {
                open.push_back(i);
            }
        }
    }
    closeUntil(last);
}

}  // namespace

std::string serializeInner(const Document& document, int node) {
    const Node* n = document.node(node);
    if (n == nullptr || n->kind != NodeKind::Element) return {};
    std::string out;
    if (n->tag == "TEXTAREA") {
        appendEscaped(out, n->value, false);
        return out;
    }
    out.reserve(static_cast<std::size_t>(n->end - node) * 16);
    serializeRange(document, node + 1, n->end, out);
    return out;
}

std::string serializeOuter(const Document& document, int node) {
    const Node* n = document.node(node);
    if (n == nullptr || n->kind != NodeKind::Element) return {};
    std::string out;
    out.reserve(static_cast<std::size_t>(n->end - node) * 16);
    serializeRange(document, node, n->end, out);
    return out;
}

}  // namespace orvex::page
