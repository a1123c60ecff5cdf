#pragma once
// One form as Orvex's own rule stages see it after the documented reading: its controls in page
// order (each with its block, the labels around it and what the page says of it), the entries
// the stages work on, and the record of what they changed.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/html_items.h"
#include "page/element.h"
#include "rules/tag_family.h"

namespace orvex::rules {

/// One INPUT, SELECT or TEXTAREA token of the form's blocks.
struct RuleControl {
    /// 1-based position of its block and 0-based position of its token in that block.
    int block = 0;
    int token = 0;
    /// The name the entries use: a generated name, a radio group's name, or "" for a control the
    /// engine could not name.
    Text tokenName;
    /// The control's name on the page ("" when it has none or the engine could not read it).
    Text pageName;
    /// "INPUT", "SELECT" or "TEXTAREA".
    Text tagName;
    /// Lower-case kind of control: "text", "radio", "checkbox", "email", "tel", "date",
    /// "password", ..., "select" for a list, "textarea".
    Text type;
    /// The page element; null when the form came without a page or it could not be matched.
    page::Element element;
    /// The text of a label of its own (a LABEL naming it by `for`, or one wrapping it), blanks
    /// removed; "" when it has none.
    Text ownLabel;
    /// Its `placeholder`, `title` and `autocomplete` (lower case) attributes; "" when absent.
    Text placeholder;
    Text title;
    Text autocomplete;
    /// The block's text between the previous control (or the block's start) and this one, and
    /// between this one and the next control (or the block's end); "$CR$" marks removed.
    Text before;
    Text after;
    /// `before` and `ownLabel` as coreLabel leaves them, in lower case.
    Text coreBefore;
    Text coreOwn;
    /// The `special` mark of the token ("pref", "yeartype", "age"); "" when none.
    Text special;
    /// `size` and `maxlength` as numbers; 0 when absent or not numbers.
    int size = 0;
    int maxLength = 0;

    /// True for a text entry box (an INPUT that is not a button, choice, file or password box).
    bool isTextBox() const;
    /// True for a radio button or a check box.
    bool isChoice() const;
};

/// A filling-tag entry: its token name and tag expression, and the text it came as.
struct RuleEntry {
    Text token;
    Text expression;
    /// The entry as written ("kvnt5=+ADDRESS1"); rewritten only when a stage changes it.
    Text text;
    /// A stage took the entry back.
    bool removed = false;
};

/// The controls of one block, in order; iterating gives pointers to them.
class ControlRange {
  public:
    class Iterator {
      public:
        explicit Iterator(const RuleControl* at) : m_at(at) {}
        const RuleControl* operator*() const { return m_at; }
        Iterator& operator++() {
            ++m_at;
            return *this;
        }
        bool operator==(const Iterator& other) const = default;

      private:
        const RuleControl* m_at;
    };
    ControlRange() = default;
    ControlRange(const RuleControl* first, const RuleControl* last) : m_first(first), m_last(last) {}
    Iterator begin() const { return Iterator(m_first); }
    Iterator end() const { return Iterator(m_last); }
    std::size_t size() const { return static_cast<std::size_t>(m_last - m_first); }
    bool empty() const { return m_first == m_last; }
    const RuleControl* front() const { return m_first; }
    const RuleControl* operator[](std::size_t i) const { return m_first + i; }

  private:
    const RuleControl* m_first = nullptr;
    const RuleControl* m_last = nullptr;
};

/// Hashes a text and the views of it alike, so that maps keyed by text are searched by view.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(TextView text) const { return std::hash<TextView>{}(text); }
};

/// The form, its entries and the stages' record while the stages run.
class RuleForm {
  public:
    /// The form read by `engine` (its blocks and entries) on the page of `form`, a null element
    /// when the text came without a page.
    RuleForm(engine::clsHTMLItems& engine, const page::Element& form);

    engine::clsHTMLItems& engine() { return m_engine; }
    const engine::clsHTMLItems& engine() const { return m_engine; }
    /// The FORM element; null without a page.
    const page::Element& form() const { return m_form; }

    /// The controls in page order.
    const std::vector<RuleControl>& controls() const { return m_controls; }
    /// The controls of the block at 1-based `block`, in order; empty outside the blocks.
    ControlRange controlsOf(int block) const;
    /// The first control whose token name is `tokenName`; nullptr for none or an empty name.
    const RuleControl* controlNamed(TextView tokenName) const;
    /// Gives the control at `index` of controls() the token name `tokenName`.
    void renameControl(std::size_t index, TextView tokenName);

    /// The block's text before its first control, "$CR$" marks removed; "" outside the blocks.
    const Text& rowLabel(int block) const;
    /// rowLabel as coreLabel leaves it, in lower case.
    const Text& coreRowLabel(int block) const;
    /// True when the keyword dictionary scores the core label `label` for a kind of `family` and
    /// no anti-keyword rules it out (labelNames, remembered per label text).
    bool names(TagFamily family, TextView label) const;
    /// The same for one field kind.
    bool namesKind(int kind, TextView label) const;
    /// names for the core row label of `block`, remembered per block.
    bool rowNames(TagFamily family, int block) const;
    /// All the block's text, "$CR$" marks removed.
    Text blockText(int block) const;
    /// The next block after `block` that holds a control; 0 when there is none.
    int nextRow(int block) const;
    /// The last block before `block` that holds a control; 0 when there is none.
    int previousRow(int block) const;
    /// True when `second` is the control right after `first` in page order, or they share a block.
    bool adjacent(const RuleControl& first, const RuleControl& second) const;
    /// Number of blocks.
    int blockCount() const { return static_cast<int>(m_engine.Blocks.size()); }

    /// The entries in order, those taken back marked `removed`.
    const std::vector<RuleEntry>& entries() const { return m_entries; }
    /// The expression of the first entry for `token`; "" when it has none.
    const Text& tagOf(TextView token) const;
    /// The expression of the first entry for the control; "" when it has none or no name.
    const Text& tagOf(const RuleControl& control) const;

    /// Gives the control the single entry `expression` (replacing its entries in place, or
    /// appending one) and notes the change with `why`. Nothing for a control without a token
    /// name, a control left empty, or an unchanged entry.
    void setTag(const RuleControl& control, TextView expression, std::string_view stage, std::string_view why);
    /// Gives the entry at `entryIndex` (one without a token name) the control's token name and
    /// notes it with `why`. Nothing when the index is out of range or the control has no name.
    void takeEntry(std::size_t entryIndex, const RuleControl& control, std::string_view stage,
                   std::string_view why);
    /// Takes back every entry of the control and records it as left empty by `stage` with
    /// `reason` and `detail`; the control is left empty for later stages even without entries.
    void leaveEmpty(const RuleControl& control, engine::LeftEmptyReason reason, std::string_view detail,
                    std::string_view stage);
    /// True when a stage left the control's token empty.
    bool isLeftEmpty(const RuleControl& control) const;
    /// Adds a note of `stage` for the debug view.
    void note(std::string_view stage, std::string text);

    /// Writes the entries into the engine's FillingTags and the record into its RuleStages.
    void finish();

  private:
    void collectControls();
    void readEntries();
    /// Indexes of the live entries for `token`, in order.
    std::vector<std::size_t> liveEntries(TextView token) const;
    void indexEntry(std::size_t index);

    engine::clsHTMLItems& m_engine;
    page::Element m_form;
    std::vector<RuleControl> m_controls;
    std::vector<RuleEntry> m_entries;
    /// Per control: a stage left it empty.
    std::vector<bool> m_leftEmpty;
    /// Per block (from 1): the index of its first control and one past its last.
    std::vector<std::pair<std::size_t, std::size_t>> m_blockControls;
    /// Per block (from 1): its row label and its core row label.
    std::vector<Text> m_rowLabels;
    std::vector<Text> m_coreRowLabels;
    /// The kinds (bit k for kind k) the dictionary names in each label text looked at so far.
    mutable std::unordered_map<Text, std::uint32_t, TextHash, std::equal_to<>> m_labelKinds;
    /// The same per block (from 1) for its core row label; bit 0 set once worked out.
    mutable std::vector<std::uint32_t> m_rowKinds;
    /// The kinds the dictionary names in `label`, bit k for kind k.
    std::uint32_t kindsNamed(TextView label) const;
    /// Entry indexes and control indexes by token name.
    std::unordered_map<Text, std::vector<std::size_t>, TextHash, std::equal_to<>> m_entriesByToken;
    std::unordered_map<Text, std::vector<std::size_t>, TextHash, std::equal_to<>> m_controlsByToken;
};

/// The control's description in notes: its page name, else its token name, else its tag.
std::string describe(const RuleControl& control);

}  // namespace orvex::rules
