#pragma once
// Finding the page element that a filling-tag entry names.

#include "engine/html_items.h"
#include "page/document.h"
#include "text/text.h"

namespace orvex::fill {

/// The page element (or collection of elements sharing the name) for the token name `name` of an
/// entry of `engine`: a name that does not begin with "kvnt" is looked up in the document's `all`
/// collection as it stands; a generated name stands for (page name, occurrence) and gives the
/// occurrence-th non-hidden element of that page name, or the single element of that name. When
/// that fails (no such generated name, too few elements) the name itself is looked up; an empty
/// result when nothing is found.
page::NamedItem FindElementByTokenName(page::Document& document, const engine::clsHTMLItems& engine,
                                       text::TextView name);

}  // namespace orvex::fill
