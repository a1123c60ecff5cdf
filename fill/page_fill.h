#pragma once
// The whole offline path for one page: every FORM of the page and of its frames is read by its
// own page reading engine and, with a person, filled; the result is a report of what each form
// yielded and what was written where.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html_items.h"
#include "fill/fill_report.h"
#include "fill/user_info.h"
#include "page/document.h"

namespace orvex::fill {

/// The documents of a page in reading order: the top document, then each frame's document
/// followed by the documents of its own frames.
std::vector<page::Document*> pageDocuments(page::Document& top);

/// The rules the settings choose (the setting "Rules"); the default, Orvex's, for a stored name
/// that names no rule set.
engine::RuleSet configuredRules();

/// Runs a new engine over one form's text `html` (the innerHTML of `form`, a null element when the
/// text comes without a page) by the rules the settings choose; the text the engine read, result,
/// run error, entries and the rule stages' notes go into `report`. Never throws.
std::unique_ptr<engine::clsHTMLItems> readFormReported(std::string_view html, const page::Element& form,
                                                       FormFillReport& report);
/// The same by `rules`.
std::unique_ptr<engine::clsHTMLItems> readFormReported(std::string_view html, const page::Element& form,
                                                       FormFillReport& report, engine::RuleSet rules);

/// Fills `document` from the entries of `engine` with `person`, by the rules that read it,
/// adding every write made and every write not made (with its reason, the controls the rule
/// stages left empty last) to `report`; true when the engine had entries. Never throws.
bool fillFormReported(engine::clsHTMLItems& engine, page::Document& document, const clsUserInfo& person,
                      FormFillReport& report);

/// Reads every FORM of the page and of its frames (each document's forms are read, then filled,
/// as a frame reader does) and, when `person` is given, fills the forms that yielded entries.
/// A form with an empty text is reported with no entries (Orvex's rules still look for the
/// controls it owns from outside). Never throws.
PageFillReport readAndFillPage(page::Document& top, const clsUserInfo* person);
/// The same by `rules`.
PageFillReport readAndFillPage(page::Document& top, const clsUserInfo* person, engine::RuleSet rules);

/// Reads one form's text as given (no page parsing) and, when `person` and `document` are given,
/// fills `document` (a page holding that form) with the entries. Never throws.
FormFillReport readAndFillForm(std::string_view formHtml, page::Document* document,
                               const clsUserInfo* person);
/// The same by `rules`.
FormFillReport readAndFillForm(std::string_view formHtml, page::Document* document,
                               const clsUserInfo* person, engine::RuleSet rules);

/// Number of distinct elements of a report whose last write left them with a value: a non-empty
/// value, a checked button, or a list whose selected option has a non-empty value.
int countFilledElements(const FormFillReport& form);

}  // namespace orvex::fill
