#include "fill/fill_misses.h"

#include "fill/fill_shared.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

// The writers that choose among buttons of a group rather than type a value.
bool choosesAmongButtons(FillAction action) {
    return action == FillAction::Sex || action == FillAction::Marriage || action == FillAction::Age ||
           action == FillAction::Job;
}

// True when a list shows `value` already: its value is the value, or its selected option's text
// holds it (a list that offers 東京 for 東京都 holds the prefecture without its suffix).
bool listShows(const page::Element& list, text::TextView value) {
    if (value.empty()) return false;
    if (valueOf(list) == value) return true;
    const page::Element option = list.item(list.selectedIndex());
    if (!option) return false;
    const text::Text shown = text::fromUtf8(option.text());
    const text::TextView stem = value.substr(0, value.size() - 1);
    return text::contains(shown, value) || (!stem.empty() && shown == stem);
}

// The reason for one element (a single element, or a member of the collection found).
MissReason reasonFor(const page::Element& element, const EntryWrites& span) {
    const std::string tag = element.tagName();
    if (tag == "SELECT")
        return listShows(element, span.value) ? MissReason::AlreadySet : MissReason::NoMatchingOption;
    if (tag == "INPUT" && isRadioOrCheckbox(element) && span.action && choosesAmongButtons(*span.action))
        return MissReason::NoMatchingChoice;
    return MissReason::NotTextEntry;
}

}  // namespace

MissReason reasonForUnwritten(const EntryWrites& span) {
    if (!span.error.empty()) return MissReason::WriteFailed;
    if (!span.action) return MissReason::NoWriter;
    if (span.element.empty()) return MissReason::NoElement;
    if (!span.element.isCollection()) return reasonFor(span.element.element(), span);
    // A collection: the first member that could have taken the write tells why it did not.
    const page::ElementCollection& members = span.element.collection();
    for (int i = 0; i < members.length(); ++i) {
        const page::Element member = members.item(i);
        if (!isHiddenInput(member)) return reasonFor(member, span);
    }
    return MissReason::NotTextEntry;
}

}  // namespace orvex::fill
