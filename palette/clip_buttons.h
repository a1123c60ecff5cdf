#pragma once
// What the palette's buttons carry, without a display: the persons of the list, the chosen one,
// the full text of every button (its tool tip, and what a click copies and a drag carries), the
// phrases and their editing, and the usage text. The palette and the floating window each keep
// one.

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "palette/data_buttons.h"
#include "text/text.h"

namespace orvex::palette {

/// The outcome of setting a phrase from the user's answer.
struct PhraseChange {
    text::Text phrase;    ///< what the button now carries (the storable form of the answer)
    bool stored = false;  ///< false when "system.ini" could not be written (the old phrase stays there)
};

class ClipButtons {
  public:
    /// Buttons whose phrases live in `systemFile`; every button starts with no text (its
    /// caption "-").
    explicit ClipButtons(std::filesystem::path systemFile);

    /// Reads the five phrases into buttons 30 to 34 (an unreadable phrase is empty).
    void loadPhrases();

    /// Fills the list with `persons`: the first is chosen and fills the data buttons; with none,
    /// nothing is chosen and the data buttons go back to no text (caption "-").
    void setPersons(Persons persons);
    const Persons& persons() const { return m_persons; }
    /// The list's entries: each person's DisplayName, in order.
    std::vector<text::Text> personNames() const;
    /// Chooses person `position` (from 0) and sets the data buttons from it; a position outside
    /// the list changes nothing.
    void selectPerson(int position);
    /// The chosen position, -1 when none.
    int selected() const { return m_selected; }

    /// The full text of button `index`: empty when it was never set or the index is out of range.
    text::Text fullText(int index) const;
    /// The text the caption is made from: the full text once set, "-" before.
    text::Text captionSource(int index) const;

    /// Sets phrase button `index` (30 to 34) from `answer` (an empty one too: a cancelled prompt
    /// clears the phrase) and stores it; nothing for a data button or an index out of range.
    std::optional<PhraseChange> setPhrase(int index, text::TextView answer);

  private:
    std::filesystem::path m_file;
    Persons m_persons;
    int m_selected = -1;
    std::array<std::optional<text::Text>, kButtonCount> m_texts;
};

/// The usage text the help button shows: kHelpLines, each ended by CR LF.
text::Text helpText();

}  // namespace orvex::palette
