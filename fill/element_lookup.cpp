#include "fill/element_lookup.h"

#include "fill/fill_shared.h"

namespace orvex::fill {

page::NamedItem FindElementByTokenName(page::Document& document, const engine::clsHTMLItems& engine,
                                       text::TextView name) {
    const page::ElementCollection all = document.all();
    const std::optional<engine::PageNameCount> generated = engine.lookupGeneratedName(name);
    if (generated) {
        const page::NamedItem e = all.item(text::toUtf8(generated->pageName));
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
    return all.item(text::toUtf8(name));
}

}  // namespace orvex::fill
