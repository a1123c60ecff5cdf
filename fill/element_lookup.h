#pragma once
// Finding the page element that a filling-tag entry names.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/html_items.h"
#include "page/document.h"
#include "text/text.h"

namespace orvex::fill {

/// The elements of a document by the texts of their `id` and `name` attributes, so that a lookup
/// by name need not walk the whole document. The structure of a document never changes, so an
/// index stays valid for the document's life.
class ElementIndex {
  public:
    /// Indexes every element of `document`.
    explicit ElementIndex(page::Document& document);

    /// What the document's `all` collection gives for `name`: nothing, one element, or the
    /// collection of the elements sharing it, in document order.
    page::NamedItem item(text::TextView name) const;

  private:
    page::Document* m_document;
    // Node indexes, in document order, of the elements whose id or name is the key.
    std::map<std::string, std::shared_ptr<const std::vector<int>>, std::less<>> m_candidates;
};

/// The page element (or collection of elements sharing the name) for the token name `name` of an
/// entry of `engine`: a name that does not begin with "kvnt" is looked up in the document's `all`
/// collection as it stands; a generated name stands for (page name, occurrence) and gives the
/// occurrence-th non-hidden element of that page name, or the single element of that name. When
/// that fails (no such generated name, too few elements) the name itself is looked up; an empty
/// result when nothing is found.
page::NamedItem FindElementByTokenName(page::Document& document, const engine::clsHTMLItems& engine,
                                       text::TextView name);

/// The same lookup through an index of the document.
page::NamedItem FindElementByTokenName(const ElementIndex& index, const engine::clsHTMLItems& engine,
                                       text::TextView name);

}  // namespace orvex::fill
