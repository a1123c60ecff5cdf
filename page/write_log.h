#pragma once
// The writes made to a document, in order, so that they can be replayed in a live browser.

#include <string>

namespace orvex::page {

enum class WriteKind {
    /// `value` set; `value` holds the text that was assigned.
    Value,
    /// `status` (checked) set; `flag` holds the new state.
    Checked,
    /// `selectedIndex` set on a list; `index` holds the index.
    SelectedIndex,
    /// `selected` set on the option `index` of the list named by the record; `flag` holds it.
    OptionSelected,
    /// `scrollIntoView` called; `flag` holds the align-to-top argument.
    ScrollIntoView,
};

/// One write. The element is named by its position among the document's elements plus its
/// tag and name, so a replay can skip a write whose element no longer matches.
struct WriteRecord {
    int sourceIndex = -1;
    std::string tagName;
    std::string name;
    WriteKind kind = WriteKind::Value;
    std::string value;
    bool flag = false;
    int index = -1;

    bool operator==(const WriteRecord&) const = default;
};

}  // namespace orvex::page
