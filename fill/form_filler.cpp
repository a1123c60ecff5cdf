#include "fill/form_filler.h"

#include <array>
#include <exception>

#include "fill/element_lookup.h"
#include "fill/fill_choices.h"
#include "fill/fill_select.h"
#include "fill/filling_tags.h"
#include "text/strings.h"

namespace orvex::fill {
namespace {

using text::Text;
using text::TextView;

// What Fill does with an entry, chosen by the words its tag expression contains.
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

struct DispatchRow {
    TextView word;
    FillAction action;
};

// Which writer an entry goes to: the first row whose word the tag expression contains (a plain,
// case-sensitive substring test). The order matters: MARRIAGE before AGE, which it contains;
// BIRTHYEARTYPE, KV0BIRTHYEAR and BIRTHYEARCNT before BIRTHYEAR; PREFSEL before PREF.
constexpr std::array<DispatchRow, 19> kDispatch = {{
    {u"NAME", FillAction::Text},
    {u"ZIP", FillAction::Text},
    {u"ADDRESS", FillAction::Text},
    {u"TEL", FillAction::Text},
    {u"FAX", FillAction::Text},
    {u"EMAIL", FillAction::Text},
    {u"PREFSEL", FillAction::PrefSelect},
    {u"PREF", FillAction::Pref},
    {u"BIRTHDATE", FillAction::BirthDate},
    {u"BIRTHYEARTYPE", FillAction::BirthYearType},
    {u"KV0BIRTHYEAR", FillAction::ConventionYear},
    {u"BIRTHYEARCNT", FillAction::YearDigits},
    {u"BIRTHYEAR", FillAction::BirthYear},
    {u"BIRTHMONTH", FillAction::BirthMonth},
    {u"BIRTHDAY", FillAction::BirthDay},
    {u"MARRIAGE", FillAction::Marriage},
    {u"AGE", FillAction::Age},
    {u"SEX", FillAction::Sex},
    {u"JOB", FillAction::Job},
}};

// The action for a tag expression; nullopt when no row matches (the entry is skipped).
std::optional<FillAction> actionFor(TextView expression) {
    for (const DispatchRow& row : kDispatch)
        if (text::contains(expression, row.word)) return row.action;
    return std::nullopt;
}

// The value without its last character (東京都 becomes 東京); empty for an empty value.
Text withoutLastCharacter(TextView value) {
    return value.empty() ? Text() : Text(value.substr(0, value.size() - 1));
}

}  // namespace

FormFiller::FormFiller(engine::clsHTMLItems& engine, page::Document& document, const clsUserInfo& person)
    : m_engine(engine), m_document(document), m_person(person) {}

page::NamedItem FormFiller::find(TextView tokenName) const {
    if (!m_index) m_index = std::make_unique<ElementIndex>(m_document);
    return FindElementByTokenName(*m_index, m_engine, tokenName);
}

bool FormFiller::Fill(const EntryObserver& observer) {
    m_engine.UseEraYear = false;
    if (m_engine.FillingTags.empty()) return false;

    page::NamedItem last;
    // Entries are copied first: filling never changes them, but the list is not held by
    // reference across the writers.
    const std::vector<Text> entries = m_engine.FillingTags;
    for (const Text& entry : entries) {
        const std::size_t firstWrite = m_document.writeLog().size();
        try {
            const std::optional<FillingTagEntry> parsed = parseFillingTagEntry(entry);
            if (!parsed || parsed->tokenName.empty()) continue;
            const Text value = ComposeValue(m_person, parsed->words);
            const TextView name = parsed->tokenName;
            const page::NamedItem element = find(name);
            last = element;

            const std::optional<FillAction> action = actionFor(parsed->expression);
            if (action) {
                switch (*action) {
                    case FillAction::Text:
                        FillTextByName(name, value);
                        break;
                    case FillAction::PrefSelect:
                        FillSelectByName(name, value, withoutLastCharacter(value));
                        break;
                    case FillAction::Pref:
                        FillByName(name, value, withoutLastCharacter(value));
                        break;
                    case FillAction::BirthDate:
                        FillBirthDate(name, value);
                        break;
                    case FillAction::BirthYearType:
                        FillBirthYearType(name);
                        break;
                    case FillAction::ConventionYear:
                    case FillAction::BirthMonth:
                    case FillAction::BirthDay:
                        FillByName(name, value, u"");
                        break;
                    case FillAction::YearDigits:
                        FillBirthYearDigits(name, parsed->expression);
                        break;
                    case FillAction::BirthYear:
                        FillBirthYear(name, parsed->expression);
                        break;
                    case FillAction::Marriage:
                        FillMarriage(element, value);
                        break;
                    case FillAction::Age:
                        FillAge(element, value);
                        break;
                    case FillAction::Sex:
                        FillSex(element, value);
                        break;
                    case FillAction::Job:
                        FillJob(element, value, m_person.Job2);
                        break;
                }
            }
        } catch (const std::exception&) {
            // A failing entry writes what it reached; filling goes on with the next entry.
        }
        if (observer) {
            try {
                observer({entry, firstWrite, m_document.writeLog().size()});
            } catch (...) {
                // An observer that fails only loses its own record.
            }
        }
    }

    // A collection cannot scroll: only a single element found for the last named entry does.
    page::Element target = last.element();
    if (target) target.scrollIntoView(true);
    return true;
}

void FormFiller::FillTextByName(TextView tokenName, TextView text) {
    SetElementValue(find(tokenName), text);
}

void FormFiller::SetValueByName(TextView tokenName, TextView text) {
    SetElementValue(find(tokenName), text);
}

void FormFiller::FillSelectByName(TextView tokenName, TextView value, TextView alternative) {
    FillSelectElement(find(tokenName), value, alternative);
}

void FormFiller::FillByName(TextView tokenName, TextView value, TextView alternative) {
    FillElement(find(tokenName), value, alternative);
}

bool Fill(engine::clsHTMLItems& engine, page::Document& document, const clsUserInfo& person,
          const EntryObserver& observer) {
    return FormFiller(engine, document, person).Fill(observer);
}

}  // namespace orvex::fill
