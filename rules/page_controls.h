#pragma once
// What the page says about a form's controls: which controls belong to the form, the labels
// they have of their own, and the text of a part of the page without its controls' contents.

#include <map>
#include <string>
#include <vector>

#include "page/document.h"
#include "page/element.h"
#include "text/text.h"

namespace orvex::rules {

/// True for an INPUT, SELECT or TEXTAREA element.
bool isFormControl(const page::Element& element);

/// The controls that belong to `form` but stand outside it: named to it by their `form`
/// attribute, or left after it by the parser's repair of a form opened inside a table (a control
/// with no form of its own whose nearest FORM before it is `form`, itself emptied). Document
/// order; empty for a null form.
std::vector<page::Element> ownedOutside(const page::Element& form);

/// The controls of `form`: its own descendants, then ownedOutside, in document order.
std::vector<page::Element> formControls(const page::Element& form);

/// The text of `element` and its descendants without the contents of lists, text areas and
/// options, blanks removed; "" for a null element.
text::Text labelText(const page::Element& element);

/// The text that follows a control on the page up to the next control or the end of the element
/// around it that is no inline element (an example under a box), blanks removed; "" for a null
/// element.
text::Text textAfterControl(const page::Element& control);

/// The labels of one document's controls, gathered once.
class OwnLabels {
  public:
    /// Gathers the LABEL elements of `document` that name a control by `for`.
    explicit OwnLabels(page::Document& document);

    /// The label a control has of its own: the LABEL elements naming its id by `for`, else the
    /// LABEL it stands in, as labelText; "" when it has none or for a null element.
    text::Text of(const page::Element& control) const;

  private:
    std::map<std::string, text::Text, std::less<>> m_byFor;
};

}  // namespace orvex::rules
