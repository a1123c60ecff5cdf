#pragma once
// Writes elements back as markup in the form the page reading engine reads: the serialisation
// of an older browser. One serialiser serves every loader.
//
// - Element names upper case ("INPUT"), attribute names lower case, attributes in document
//   order.
// - An attribute value is written bare when it consists only of ASCII letters, digits, "-",
//   "_", "." and ":"; any other value, and the empty value, is written in double quotes (with
//   "&", '"' and U+00A0 escaped). An attribute written without "=" stays bare.
// - Text as in the document with "&", "<", ">" and U+00A0 escaped ("&nbsp;"); the text of
//   SCRIPT, STYLE and the other raw-text elements is written as it stands; comments as
//   "<!--...-->"; no end tag for void elements (INPUT, BR, ...), an end tag for every other.
// - Forms are written as they stand now, as that browser did: an input's `value` attribute
//   carries its current value (added at the end when the document had none and the value is
//   not empty), a checked button carries "CHECKED" and a selected option "SELECTED" (at the
//   place of the document's own attribute, else at the end; dropped when no longer checked or
//   selected), and a text area holds its current value.

#include <string>

#include "page/document.h"

namespace orvex::page {

/// The markup of the element at node index `node` without its own tags; "" when the index is
/// not an element.
std::string serializeInner(const Document& document, int node);

/// The markup of the element at node index `node` with its own tags; "" when the index is not
/// an element.
std::string serializeOuter(const Document& document, int node);

}  // namespace orvex::page
