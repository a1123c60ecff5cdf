#pragma once
// Text and page helpers shared by the form writers: space removal outside tags, number reading,
// hidden pairs, like inputs under one parent and the label texts of a group of inputs.

#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "page/element.h"
#include "text/text.h"

namespace orvex::fill {

/// The text without half-width and full-width spaces, except those between "<" and the next
/// ">" (inside tags); an empty text gives "".
text::Text RemoveSpacesOutsideTags(text::TextView text);

/// The value of the first run of ASCII digits of the text (every character before the first
/// digit counts as a blank); 0 when the text has no digit. Saturates instead of overflowing.
long long NextNumber(text::TextView text);

/// True when the collection has exactly two members whose `type`s differ and one of them is
/// "hidden"; false otherwise (also for an empty collection).
bool IsHiddenPair(const page::ElementCollection& collection);

/// For a hidden pair (IsHiddenPair), the member that is not hidden; a null element otherwise.
page::Element VisibleOfHiddenPair(const page::ElementCollection& collection);

/// True when the element's parent has two or more children whose `type` equals the element's;
/// false for a null element or one without parent.
bool SharesParentWithLikeInputs(const page::Element& element);

/// The label texts of a like-named group of inputs, readable by position (from 1, labelled
/// members only) and by key (the member's `value` attribute).
class GroupLabelList {
  public:
    /// Adds `label` under `key`; false (nothing added) when the key is already present.
    bool add(text::TextView key, text::TextView label);
    /// Number of labels.
    int count() const { return static_cast<int>(m_labels.size()); }
    /// True when no label was added.
    bool empty() const { return m_labels.empty(); }
    /// The label at `position` (from 1); nullopt when out of range.
    std::optional<text::Text> at(int position) const;
    /// The label under `key`; nullopt when there is none.
    std::optional<text::Text> byKey(text::TextView key) const;

  private:
    std::vector<text::Text> m_labels;
    std::map<text::Text, std::size_t, std::less<>> m_keys;
};

/// The label texts of the group whose first and last members are given: in the nearest element
/// that holds both (found within five parents of each), with the inline tags FONT, SPAN, TT and
/// STRONG removed, every tag whose `name` is the first member's and whose `value` is not empty
/// labels that value with the trimmed text after it (spaces removed when `removeSpaces`). A
/// member without label text gets no entry. Nullopt when no common ancestor is found.
std::optional<GroupLabelList> GroupLabels(const page::Element& first, const page::Element& last,
                                          bool removeSpaces);

/// The markup with every opening and closing tag of FONT, SPAN, TT and STRONG removed (their
/// content stays); used before reading labels.
text::Text RemoveInlineTags(text::TextView html);

// ---- Small page helpers of the writers ------------------------------------------------------

/// True when the type name of what a lookup found contains `part` ("Collection",
/// "ElementCollection", "HTMLElementCollection"): in this page model exactly the collections.
bool typeNameContains(const page::NamedItem& item, std::string_view part);

/// True when the element is an input whose `type` is "hidden".
bool isHiddenInput(const page::Element& element);

/// True when the element is a radio button or a check box.
bool isRadioOrCheckbox(const page::Element& element);

/// Assigns `value` to the element as the object model would: a list takes it only when one of
/// its options has exactly that value (otherwise the list stays as it is); other elements follow
/// Element::setValue (a text input or text area that is not rendered refuses). True when the
/// element accepted the value.
bool assignValue(page::Element element, text::TextView value);

/// The element's `value` as working text.
text::Text valueOf(const page::Element& element);

/// The element's `innerHTML` as working text.
text::Text innerHtmlOf(const page::Element& element);

}  // namespace orvex::fill
