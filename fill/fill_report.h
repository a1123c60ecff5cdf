#pragma once
// What a reading and filling of forms yielded: per form the engine's text and entries, every
// write that was made and every write that was not, with its reason.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "page/write_log.h"

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
    /// The page model's write records behind this write, so that a live page's answer about
    /// them can be matched back.
    std::vector<page::WriteRecord> records;
};

/// Why a write an entry called for was not made.
enum class MissReason {
    NoElement,         ///< the entry's name finds no element in the page
    ElementGone,       ///< the live page no longer has the element, or it changed
    NotRendered,       ///< a text field that is not rendered is never written
    NotTextEntry,      ///< the element takes no typed value (radio, check box, hidden, other tags)
    NoMatchingOption,  ///< no option of the list matches the person's value
    NoMatchingChoice,  ///< no button of the group matches the person's value
    AlreadySet,        ///< the list already shows the person's value: nothing to write
    NoWriter,          ///< the tag expression names no writer, or the entry has no name
    WriteFailed,       ///< the write failed with an error
    SecondBlock,       ///< a rule stage left it empty: it repeats the person's rows for another
    NotPersonal,       ///< a rule stage left it empty: it asks for something else than the person's data
};

/// How a reason is named in reports: a stable key for machine-read reports and a text for
/// people, whose part before ":" is its class (skipped, refused, unchanged).
struct MissReasonName {
    std::string_view key;
    std::string_view text;
};

/// The names of each reason, by MissReason.
inline constexpr std::array<MissReasonName, 11> kMissReasonNames = {{
    {"no-element", "skipped: no element of that name"},
    {"element-gone", "skipped: element gone or changed"},
    {"not-rendered", "refused: not rendered"},
    {"not-text-entry", "refused: not a text entry"},
    {"no-matching-option", "no matching option"},
    {"no-matching-choice", "no matching choice"},
    {"already-set", "unchanged: already holds the value"},
    {"no-writer", "skipped: no writer for this entry"},
    {"write-failed", "skipped: the write failed"},
    {"second-block", "left empty: second block"},
    {"not-personal", "left empty: not personal data"},
}};
static_assert(kMissReasonNames.size() == static_cast<std::size_t>(MissReason::NotPersonal) + 1);

/// The names of `reason`.
constexpr const MissReasonName& missReasonName(MissReason reason) {
    return kMissReasonNames[static_cast<std::size_t>(reason)];
}

/// A write an entry called for that was not made.
struct FillMiss {
    std::string entry;
    /// The element concerned; nothing when the entry found none.
    std::optional<WrittenElement> element;
    MissReason reason = MissReason::NoElement;
    /// What the write wanted (the person's value) or the error text; may be empty.
    std::string detail;
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
    /// Where the engine's run stopped on an error; empty when it ran through.
    std::string runError;
    /// The filling-tag entries in order.
    std::vector<std::string> entries;
    /// The writes made, in order (empty without a person).
    std::vector<FillWrite> writes;
    /// The writes not made, in entry order (then the controls the rule stages left empty).
    std::vector<FillMiss> misses;
    /// What Orvex's rule stages changed in the reading, one line each ("stage: what and why");
    /// empty for the documented rules.
    std::vector<std::string> stageNotes;
};

/// What a page yielded, form by form, with page-wide notes (a dialog the page opened, say).
struct PageFillReport {
    std::vector<FormFillReport> forms;
    std::vector<std::string> notes;
};

/// Moves the writes of `form` that a live page skipped or refused (records equal to a record of
/// the write) into its misses, with ElementGone or NotRendered; writes whose records all
/// went through stay. Nothing changes for empty lists.
void applyReplayAnswer(FormFillReport& form, const std::vector<page::WriteRecord>& skipped,
                       const std::vector<page::WriteRecord>& refused);

}  // namespace orvex::fill
