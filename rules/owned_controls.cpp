// Stage "owned-controls": a control can belong to a form without standing inside it, by its
// `form` attribute or because the parser moved the form out of a table and left the rows behind.
// The part of the page around each such control is read after the form's own text, so that its
// label comes with it.

#include <string>

#include "rules/page_controls.h"
#include "rules/stages.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

// Elements a region never grows into: they hold the whole page.
bool isPageTop(const std::string& tag) {
    return tag == "BODY" || tag == "HTML" || tag == "FRAMESET";
}

bool holdsForm(const std::vector<page::Node>& nodes, int index) {
    const int end = nodes[static_cast<std::size_t>(index)].end;
    for (int i = index; i < end; ++i)
        if (nodes[static_cast<std::size_t>(i)].tag == "FORM") return true;
    return false;
}

// The largest element around the control that holds no form and is not the page itself.
int regionOf(const std::vector<page::Node>& nodes, int control) {
    int region = control;
    for (int p = nodes[static_cast<std::size_t>(control)].parent; p >= 0; p = nodes[static_cast<std::size_t>(p)].parent) {
        const page::Node& node = nodes[static_cast<std::size_t>(p)];
        if (isPageTop(node.tag) || holdsForm(nodes, p)) break;
        region = p;
    }
    return region;
}

}  // namespace

void ownedControlsStage(FormText& text) {
    if (!text.form || text.form.document() == nullptr) return;
    const std::vector<page::Element> owned = ownedOutside(text.form);
    if (owned.empty()) return;
    page::Document& document = *text.form.document();
    const std::vector<page::Node>& nodes = document.nodes();
    int lastEnd = -1;  // regions come in document order; one inside the last is already read
    int regions = 0;
    std::string names;
    for (const page::Element& control : owned) {
        names += (names.empty() ? "" : " ") + control.name();
        if (control.node() < lastEnd) continue;
        const int region = regionOf(nodes, control.node());
        text.html += text::fromUtf8(page::Element(&document, region).outerHTML());
        lastEnd = nodes[static_cast<std::size_t>(region)].end;
        ++regions;
    }
    text.notes.push_back({"owned-controls", "read " + std::to_string(owned.size()) + " controls from " +
                                                std::to_string(regions) + " parts of the page outside the form: " +
                                                names});
}

}  // namespace orvex::rules
