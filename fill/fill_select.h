#pragma once
// Writers of text boxes and lists: a value into an element or into every member of a
// collection, and the choice of a list's option by its text.

#include "page/element.h"
#include "text/text.h"

namespace orvex::fill {

/// Writes `text` as the value of every non-hidden member of a collection, in order, or of a
/// single element; a list takes it only when one of its options has that value. Nothing for
/// an empty lookup; elements that refuse the value (text boxes that are not rendered) stay.
void SetElementValue(const page::NamedItem& element, text::TextView text);

/// Writes `value` the way the element needs it: each non-hidden member of a collection in turn,
/// the value of a text box or text area (radio buttons and check boxes are left alone), an
/// option of a list (FillSelectElement with `alternative`). Other elements stay unchanged.
void FillElement(const page::NamedItem& element, text::TextView value, text::TextView alternative);

/// Chooses a list's option: for a collection each non-hidden member gets `value`, and one that
/// did not take it gets the option whose text holds `value` (else `alternative`); a single list
/// whose value already is `value` stays, otherwise its option is chosen by text (`value`, then
/// `alternative` when not empty). Other single elements stay unchanged.
void FillSelectElement(const page::NamedItem& element, text::TextView value, text::TextView alternative);

/// Selects the option of `list` whose markup holds `text` (retrying without spaces outside
/// tags, then with `text` in full-width characters) by taking the first "value=" at or after
/// that option's tag, and else the first option whose text, without spaces or in half-width
/// characters, contains the text (single-choice lists only). True when an option was chosen;
/// false for an empty text, a null element or no match.
bool SelectOptionByText(page::Element list, text::TextView text);

}  // namespace orvex::fill
