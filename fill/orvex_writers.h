#pragma once
// Orvex's own writers beside the documented ones: choices matched the way a person picks them
// (by their captions, the occupation in any of its wordings, the age band that holds the age, the
// era), and a birth date written in the form a date input takes.

#include <optional>
#include <vector>

#include "fill/filling_tags.h"
#include "fill/form_filler.h"
#include "rules/page_controls.h"

namespace orvex::fill {

/// The entry writer of Orvex's rules for the forms of one document (FormFiller::setEntryWriter):
/// it takes the entries one of its writers applies to and leaves the others to the documented
/// writers. Each writer chooses nothing when no choice fits. Never throws.
class OrvexWriters {
  public:
    /// Writers for the forms of `document`, which must outlive them.
    explicit OrvexWriters(page::Document& document);

    /// Writes the entry when one of Orvex's writers takes it; false leaves it to the documented
    /// writers.
    bool operator()(FormFiller& filler, const FillingTagEntry& entry, EntryWrites& span);

  private:
    /// The captions of a list's options, or of a group's buttons: their own labels, else the
    /// texts beside them on the side the group writes its captions.
    std::vector<text::Text> captionsOf(const std::vector<page::Element>& choices);
    /// The option or button of the person's occupation; nothing chosen when none fits.
    bool writeJob(FormFiller& filler, EntryWrites& span);
    /// The sex or marriage button whose caption says the person's; a lone button (a group whose
    /// names the page broke) is judged with the buttons beside it.
    bool writeTwoWayChoice(FormFiller& filler, EntryWrites& span);
    /// The narrowest age band that holds the age; nothing chosen when none does.
    bool writeAge(EntryWrites& span);
    /// The birth date as year-month-day into a date input.
    bool writeDateInput(FormFiller& filler, EntryWrites& span);
    /// The western-calendar button, else the person's era, of an era radio group.
    bool writeEraChoice(FormFiller& filler, EntryWrites& span);

    page::Document& m_document;
    std::optional<rules::OwnLabels> m_labels;
};

}  // namespace orvex::fill
