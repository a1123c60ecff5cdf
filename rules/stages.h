#pragma once
// The stage functions of Orvex's rules, one file each; rule_stages.cpp runs them in order.

#include "rules/rule_form.h"
#include "rules/rule_stages.h"

namespace orvex::rules {

/// Appends to the text the parts of the page that hold controls owned by the form from outside
/// it (by their `form` attribute, or left outside by the parser's repair). Nothing without a page.
void ownedControlsStage(FormText& text);
/// Writes the alt text of every image after its tag, so that an image label reads as text.
void imageLabelsStage(FormText& text);

/// Gives an entry without a token name the page name of its control, when that name is unique.
void unnamedControlsStage(RuleForm& form);
/// Follows the autocomplete attribute and the input types email, tel, password, file and url.
void pageHintsStage(RuleForm& form);
/// Takes the line's entry from a control whose own label names something else.
void ownLabelsStage(RuleForm& form);
/// Leaves survey sections, free-text boxes, dates that are no birth dates and organisations'
/// names empty.
void notPersonalStage(RuleForm& form);
/// Leaves the repeated person rows of another party empty and gives their entries to the
/// applicant's rows.
void secondPartyStage(RuleForm& form);
/// Tags one-box rows whose label names e-mail, telephone, fax, pen name or age.
void unclaimedRowsStage(RuleForm& form);
/// Tags the boxes of the person's name.
void nameRowsStage(RuleForm& form);
/// Tags the boxes of the reading of the person's name in the script they ask for.
void readingRowsStage(RuleForm& form);
/// Gives each box of the address its share.
void addressRowsStage(RuleForm& form);
/// Tags a birth date asked for in one row per part.
void birthRowsStage(RuleForm& form);

}  // namespace orvex::rules
