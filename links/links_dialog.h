#pragma once
// The links dialog without a display: the working collection of copies of the bar's links (and
// the new link it was opened with), the selected line, which controls the selected link allows,
// the edits, adding, deleting, moving, and the writing of every link at OK.

#include <optional>
#include <vector>

#include "links/link.h"
#include "links/link_collection.h"
#include "text/text.h"

namespace orvex::links {

/// The cmbInputMode entry of an input mode; -1 for a mode the list does not offer.
int inputModeEntry(int32_t inputMode);
/// The optButtonType index of a button type; -1 for a type no option stands for.
int buttonTypeOption(int32_t buttonType);

/// Which of the link controls the selected link allows.
struct LinkControlsEnabled {
    bool name = false;       ///< txtName
    bool url = false;        ///< txtURL
    bool inputMode = false;  ///< cmbInputMode
    bool remove = false;     ///< cmdDelete
    bool up = false;         ///< cmdUp
    bool down = false;       ///< cmdDown
    friend bool operator==(const LinkControlsEnabled&, const LinkControlsEnabled&) = default;
};

/// What Delete does with the selected line.
enum class DeleteStep {
    Nothing,     ///< no line is selected
    CannotDelete,  ///< the link is not the user's own: say so
    Ask,         ///< ask before the section goes
};

class LinksDialog {
  public:
    /// Copies (CopyTo) of `barLinks` in their order, followed by `newLink` when given, which is
    /// then selected; otherwise the first line is (none when there are no links).
    /// `browserCaption` is shown as the built-in browser link's name while it keeps its own.
    LinksDialog(const LinkCollection& barLinks, const std::optional<clsLink>& newLink,
                text::TextView browserCaption = {});

    /// The working collection, in list order.
    const LinkCollection& links() const { return m_links; }
    int count() const { return static_cast<int>(m_links.size()); }
    /// The line of link `line` in lstLinks: its Name (the browser's name for the built-in
    /// browser link); empty out of range.
    text::Text lineText(int line) const;

    /// The selected line from 0; -1 when none.
    int selected() const { return m_selected; }
    /// Selects `line`; out of range selects none.
    void select(int line);
    /// The selected link; null when none.
    const clsLink* selectedLink() const;
    /// The controls the selected link allows (all off when none is selected): name, address,
    /// input mode, Delete and Down only for the user's own links, Down never on the last line; Up
    /// as the link's editability, but never when the line above holds a link that is not the
    /// user's own, and never on the first line.
    LinkControlsEnabled enabled() const;

    /// Edits of the selected link; name, address and input mode only for the user's own links
    /// (anything else is ignored), an entry or option outside its list is ignored.
    void setName(text::TextView name);
    void setURL(text::TextView url);
    void setInputModeEntry(int entry);
    void setButtonTypeOption(int option);
    void setIconFileName(text::TextView name);
    void setBitmapFileName(text::TextView name);
    void setVisible(bool visible);

    /// Appends a new link ("新しいリンク", no address, visible, name button, the user's own, never
    /// filled, a fresh id) and selects it; returns its line.
    int add();

    /// What Delete does with the selected line.
    DeleteStep deleteStep() const;
    /// Removes the selected link's section from "link.ini" now and the link from the collection,
    /// then selects the same line when there still is one, else the line before. False (nothing
    /// removed, the link counter as it was) when the section could not be removed or the link is
    /// not the user's own.
    bool deleteSelected();

    /// Moves the selected link one line up or down; it stays selected. False (nothing moved) when
    /// enabled() does not allow it.
    bool moveUp();
    bool moveDown();

    /// Gives every link its line as Order and writes it (WriteToProfile), all of them even when
    /// one fails; the ids whose write did not happen.
    std::vector<text::Text> writeAll();

  private:
    clsLink* current();
    void swapWithNext(int line);

    LinkCollection m_links;
    int m_selected = -1;
    text::Text m_browserCaption;
};

}  // namespace orvex::links
