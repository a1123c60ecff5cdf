#pragma once
// Writers of choices: sex and marriage radio buttons, age bands and occupation choices.

#include <optional>

#include "page/element.h"
#include "text/text.h"

namespace orvex::fill {

/// An age band: the lowest and the highest age it holds.
struct AgeBand {
    long long low = 0;
    long long high = 0;

    /// True when low <= age <= high.
    bool holds(long long age) const { return low <= age && age <= high; }
    bool operator==(const AgeBand&) const = default;
};

/// Writes the sex word ("男" or "女"): the visible member of a hidden pair, else the radio
/// button of a group that CheckSexRadio picks; a single text box or text area gets the word as
/// its value, a list the option holding it. Nothing for an empty lookup.
void FillSex(const page::NamedItem& element, text::TextView word);

/// Checks the button of a group of two or more that stands for `word`: the first non-hidden
/// member when the first member's markup, or the markup around it (up to five parents), shows
/// that the first button means `word`, else the last non-hidden member. False (nothing
/// checked) for fewer than two members or when neither "男" nor "女" is found.
bool CheckSexRadio(const page::ElementCollection& group, text::TextView word);

/// Writes the marriage word ("True" or "False") as FillSex does, with CheckMarriageRadio for a
/// group; a word that is neither leaves a group alone.
void FillMarriage(const page::NamedItem& element, text::TextView word);

/// Checks the first non-hidden member of a group when its first button's meaning (married or
/// not, read from its markup or the markup around it) equals `married`, else the last
/// non-hidden member. True once the group has two members; false for fewer.
bool CheckMarriageRadio(const page::ElementCollection& group, bool married);

/// Writes the age: the age band of a radio group or list that holds it, the visible member of a
/// hidden pair, or the age text into text boxes and text areas. An age text that is not a number
/// skips the bands.
void FillAge(const page::NamedItem& element, text::TextView ageText);

/// Sets every choice whose age band holds `age` (radio buttons or check boxes of a collection
/// by their labels or values, or the options of a list, which are deselected otherwise); with
/// several matches the last one stays. True when one matched; false for other elements.
bool MatchAgeBand(const page::NamedItem& element, long long age);

/// The age band a choice text stands for ("20代" 20-29, "30歳未満" 0-29, "60歳以上" 60-999,
/// "25～29歳" 25-38, a bare "20" 20-1019); nullopt when the text has no number.
std::optional<AgeBand> ParseAgeBand(text::TextView text);

/// Writes the occupation `job` (falling back to `job2` when not empty): the choice of a radio or
/// check box group that matches, the visible member of a hidden pair, the value of text boxes, or
/// the option of a list. Nothing for an empty lookup.
void FillJob(const page::NamedItem& element, text::TextView job, text::TextView job2);

/// Checks the choice of a radio or check box group that matches `text`: by the label after a
/// button that shares its parent with like inputs, by the members' values, by the group's labels
/// or the parent's markup, and last every choice whose value contains "他". True when a choice
/// was taken; false for an empty group or no match.
bool MatchJobChoice(const page::ElementCollection& group, text::TextView text);

/// Checks the member whose value equals the "value=" of the first tag of the first member's
/// parent markup whose following text holds `text` (quotes are kept, so a quoted value matches
/// no member). True when such a value was read, even when no member has it.
bool MatchLabelInParent(const page::ElementCollection& group, text::TextView text);

}  // namespace orvex::fill
