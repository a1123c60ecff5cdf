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

// The value without its last character (東京都 becomes 東京); empty for an empty value.
Text withoutLastCharacter(TextView value) {
    return value.empty() ? Text() : Text(value.substr(0, value.size() - 1));
}

}  // namespace

std::optional<FillAction> fillActionFor(TextView expression) {
    for (const DispatchRow& row : kDispatch)
        if (text::contains(expression, row.word)) return row.action;
    return std::nullopt;
}

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
        EntryWrites span;
        span.entry = entry;
        span.firstWrite = m_document.writeLog().size();
        span.firstRefusal = m_document.refusalLog().size();
        bool named = false;
        try {
            const std::optional<FillingTagEntry> parsed = parseFillingTagEntry(entry);
            if (parsed && !parsed->tokenName.empty()) {
                named = true;
                span.value = ComposeValue(m_person, parsed->words);
                span.element = find(parsed->tokenName);
                last = span.element;
                span.action = fillActionFor(parsed->expression);
            }
            if (named && m_entryWriter && m_entryWriter(*this, *parsed, span)) {
                // The entry writer took the entry.
            } else if (span.action) {
                const Text& value = span.value;
                const TextView name = parsed->tokenName;
                const page::NamedItem& element = span.element;
                switch (*span.action) {
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
        } catch (const std::exception& e) {
            // A failing entry writes what it reached; filling goes on with the next entry.
            span.error = e.what();
        }
        // Only entries that name an element are told, as they are the ones that could write.
        if (observer && named) {
            span.endWrite = m_document.writeLog().size();
            span.endRefusal = m_document.refusalLog().size();
            try {
                observer(span);
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
