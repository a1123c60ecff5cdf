#pragma once
// The whole offline path for one page: every FORM of the page and of its frames is read by its
// own page reading engine and, with a person, filled; the result is a report of what each form
// yielded and what was written where.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fill/user_info.h"
#include "page/document.h"

namespace orvex::fill {

/// An element as a fill report names it.
struct WrittenElement {
    std::string tag;   ///< "INPUT", "SELECT", "TEXTAREA"
    std::string type;  ///< "text", "radio", "select-one", "textarea", ...
    std::string name;
    std::string id;
    /// Position among all elements of its document (sourceIndex), from 0.
    int index = -1;
    /// Position, from 1 in document order, among the document's INPUT, SELECT and TEXTAREA
    /// elements with the same name, hidden inputs included; 0 for an element without a name.
    int occurrence = 0;
};

/// One element that an entry wrote, with its state after that entry.
struct FillWrite {
    std::string entry;
    WrittenElement element;
    /// The value of a text box, text area or (value replaced) button.
    std::optional<std::string> value;
    /// The checked state of a radio button or check box that the entry set.
    std::optional<bool> checked;
    /// For a list: the text and the value of its selected option ("" when none is selected).
    std::optional<std::string> selected;
    std::optional<std::string> selectedValue;
};

/// What one FORM yielded.
struct FormFillReport {
    /// Position of the form among the forms of the page and its frames, from 0.
    int index = 0;
    /// The form's `action` attribute as written ("" when absent).
    std::string action;
    /// The form's text as the engine received it (its innerHTML).
    std::string text;
    /// True when the engine produced at least one filling-tag entry.
    bool ok = false;
    /// The filling-tag entries in order.
    std::vector<std::string> entries;
    /// The writes in order (empty without a person).
    std::vector<FillWrite> writes;
};

/// What a page yielded, form by form.
struct PageFillReport {
    std::vector<FormFillReport> forms;
};

/// The documents of a page in reading order: the top document, then each frame's document
/// followed by the documents of its own frames.
std::vector<page::Document*> pageDocuments(page::Document& top);

/// Reads every FORM of the page and of its frames (each document's forms are read, then filled,
/// as a frame reader does) and, when `person` is given, fills the forms that yielded entries.
/// A form with an empty text is reported with no entries. Never throws.
PageFillReport readAndFillPage(page::Document& top, const clsUserInfo* person);

/// Reads one form's text as given (no page parsing) and, when `person` and `document` are given,
/// fills `document` (a page holding that form) with the entries. Never throws.
FormFillReport readAndFillForm(std::string_view formHtml, page::Document* document,
                               const clsUserInfo* person);

/// Number of distinct elements of a report whose last write left them with a value: a non-empty
/// value, a checked button, or a list whose selected option has a non-empty value.
int countFilledElements(const FormFillReport& form);

}  // namespace orvex::fill
