#include "fill/element_lookup.h"

#include "fill/fill_shared.h"

namespace orvex::fill {

ElementIndex::ElementIndex(page::Document& document) : m_document(&document) {
    std::map<std::string, std::vector<int>, std::less<>> candidates;
    const page::ElementCollection all = document.all();
    for (int i = 0; i < all.length(); ++i) {
        const page::Element element = all.item(i);
        const std::optional<std::string> id = element.attribute("id");
        const std::optional<std::string> name = element.attribute("name");
        if (id) candidates[*id].push_back(element.node());
        if (name && name != id) candidates[*name].push_back(element.node());
    }
    for (auto& [key, nodes] : candidates)
        m_candidates.emplace(key, std::make_shared<const std::vector<int>>(std::move(nodes)));
}

page::NamedItem ElementIndex::item(text::TextView name) const {
    const std::string key = text::toUtf8(name);
    const auto it = m_candidates.find(key);
    if (it == m_candidates.end()) return {};
    // The candidates hold every element that can answer to the name; the collection's own rule
    // (an id, or the name of a kind of element that is named) picks among them.
    return page::ElementCollection(m_document, it->second).item(key);
}

page::NamedItem FindElementByTokenName(const ElementIndex& index, const engine::clsHTMLItems& engine,
                                       text::TextView name) {
    const std::optional<engine::PageNameCount> generated = engine.lookupGeneratedName(name);
    if (generated) {
        const page::NamedItem e = index.item(generated->pageName);
        if (typeNameContains(e, "ElementColl")) {
            // The occurrence counts the non-hidden elements of the page name, from 1.
            int number = 0;
            const page::ElementCollection& members = e.collection();
            for (int i = 0; i < members.length(); ++i) {
                if (isHiddenInput(members.item(i))) continue;
                if (++number == generated->count) return page::NamedItem(members.item(i));
            }
        } else if (!e.empty()) {
            return e;
        }
    }
    return index.item(name);
}

page::NamedItem FindElementByTokenName(page::Document& document, const engine::clsHTMLItems& engine,
                                       text::TextView name) {
    return FindElementByTokenName(ElementIndex(document), engine, name);
}

}  // namespace orvex::fill
