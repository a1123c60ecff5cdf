#pragma once
// Writing a person's data into one form: each filling-tag entry of a page reading engine is
// turned into a value and written into the element its token name finds.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/html_items.h"
#include "fill/element_lookup.h"
#include "fill/user_info.h"
#include "page/document.h"
#include "text/text.h"

namespace orvex::fill {

/// Which writer an entry goes to, chosen by the words of its tag expression.
enum class FillAction {
    Text,
    PrefSelect,
    Pref,
    BirthDate,
    BirthYearType,
    ConventionYear,
    YearDigits,
    BirthYear,
    BirthMonth,
    BirthDay,
    Marriage,
    Age,
    Sex,
    Job,
};

/// The writer for a tag expression; nullopt when no writer takes it (the entry is skipped).
std::optional<FillAction> fillActionFor(text::TextView expression);

/// What one entry did: the range [firstWrite, endWrite) of the document's write log, the range
/// [firstRefusal, endRefusal) of its refusal log, and what the entry looked for.
struct EntryWrites {
    text::Text entry;
    std::size_t firstWrite = 0;
    std::size_t endWrite = 0;
    std::size_t firstRefusal = 0;
    std::size_t endRefusal = 0;
    /// What the entry's token name found; empty when it found nothing or has no token name.
    page::NamedItem element;
    /// The person's value for the entry's tag words.
    text::Text value;
    /// The writer chosen; nullopt when none took the entry (or it has no token name).
    std::optional<FillAction> action;
    /// The error that ended the entry's writes early; empty when there was none.
    std::string error;
};

/// Told about each entry right after it was written, while the page shows its result.
using EntryObserver = std::function<void(const EntryWrites&)>;

class FormFiller;
struct FillingTagEntry;

/// A writer consulted before the documented writers for every entry that names an element: it
/// returns true when it took the entry (wrote, or chose to write nothing), and the documented
/// writer is then skipped; false leaves the entry to the documented writers.
using EntryWriter = std::function<bool(FormFiller&, const FillingTagEntry&, EntryWrites&)>;

/// Fills one form of a document from the entries of its engine with one person. The engine's
/// `UseEraYear` is the only engine state that filling changes.
class FormFiller {
  public:
    /// A filler over `engine`'s entries, writing into `document` with `person`'s values. All three
    /// must outlive the filler.
    FormFiller(engine::clsHTMLItems& engine, page::Document& document, const clsUserInfo& person);

    /// Writes every entry of `FillingTags` in order and scrolls to the element of the last entry
    /// that names one. True when there is at least one entry (whether or not anything was
    /// written), false for none. `observer`, when set, is told after each entry that names an
    /// element which writes of the document's log it made. Never throws.
    bool Fill(const EntryObserver& observer = {});

    /// Sets the writer consulted before the documented writers; an empty one (the default)
    /// leaves every entry to them.
    void setEntryWriter(EntryWriter writer) { m_entryWriter = std::move(writer); }
    /// What the token name of an entry finds in the document (FindElementByTokenName).
    page::NamedItem findElement(text::TextView tokenName) const { return find(tokenName); }
    /// The engine, document and person the filler works with.
    engine::clsHTMLItems& engine() { return m_engine; }
    page::Document& document() { return m_document; }
    const clsUserInfo& person() const { return m_person; }

    /// Writes `text` into the element(s) the token name finds (SetElementValue).
    void FillTextByName(text::TextView tokenName, text::TextView text);
    /// Replaces the `value` of the element(s) the token name finds (used for radio buttons of
    /// birth dates); the same writes as FillTextByName.
    void SetValueByName(text::TextView tokenName, text::TextView text);
    /// Chooses the option of the list(s) the token name finds (FillSelectElement).
    void FillSelectByName(text::TextView tokenName, text::TextView value, text::TextView alternative);
    /// Writes the value the way the element(s) the token name finds need it (FillElement).
    void FillByName(text::TextView tokenName, text::TextView value, text::TextView alternative);

    /// Writes the birth date into a text box, replaces a radio button's value with it, or fills a
    /// year list (FillBirthYear with BIRTHYEAR); collections and check boxes are left alone.
    void FillBirthDate(text::TextView tokenName, text::TextView value);
    /// Writes the birth year named by `word` (the year within the era once an era list was set):
    /// into a text box, a radio button's value, or a list, where for BIRTHYEAR the list's third
    /// option decides between two-, three- and four-digit years. Collections are left alone.
    void FillBirthYear(text::TextView tokenName, text::TextView word);
    /// Writes one part of a year split over several lists or boxes; `word` is BIRTHYEARCNT or
    /// BIRTHYEARCNT followed by the number of parts and this part's position. Boxes get the empty
    /// text (or the era year); lists get the digits their third option's width calls for.
    void FillBirthYearDigits(text::TextView tokenName, text::TextView word);
    /// Sets a list that asks for the calendar: 西暦 when it offers it, else the person's era
    /// (which then makes the following year entries write era years); a text box gets 西暦.
    void FillBirthYearType(text::TextView tokenName);

  private:
    page::NamedItem find(text::TextView tokenName) const;
    /// The year written while an era is chosen: the era year in decimal; nullopt when unknown.
    std::optional<text::Text> eraYear() const;
    /// Writes `y` into a single text box, text area or (as its value) radio button.
    void writeYearIntoInput(const page::Element& element, text::TextView tokenName, text::TextView y);

    engine::clsHTMLItems& m_engine;
    page::Document& m_document;
    const clsUserInfo& m_person;
    /// The document's elements by name, made at the first lookup.
    mutable std::unique_ptr<ElementIndex> m_index;
    EntryWriter m_entryWriter;
};

/// Fills one form: FormFiller(engine, document, person).Fill(observer).
bool Fill(engine::clsHTMLItems& engine, page::Document& document, const clsUserInfo& person,
          const EntryObserver& observer = {});

}  // namespace orvex::fill
