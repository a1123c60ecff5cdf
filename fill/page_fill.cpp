#include "fill/page_fill.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <map>
#include <memory>

#include "engine/html_items.h"
#include "fill/element_lookup.h"
#include "fill/fill_misses.h"
#include "fill/form_filler.h"
#include "fill/orvex_writers.h"
#include "rules/rule_stages.h"
#include "settings/globals.h"
#include "text/text.h"

namespace orvex::fill {
namespace {

// The controls whose names the occurrence of a written element counts.
bool isFormControl(const std::string& tag) {
    return tag == "INPUT" || tag == "SELECT" || tag == "TEXTAREA";
}

void collectDocuments(page::Document& document, std::vector<page::Document*>& out) {
    out.push_back(&document);
    for (int i = 0; i < document.frameCount(); ++i)
        if (page::Document* frame = document.frame(i)) collectDocuments(*frame, out);
}

// The source indexes of a document's INPUT, SELECT and TEXTAREA elements by name, in document
// order, made once per document so that each write finds its occurrence without a walk.
class ControlNames {
  public:
    explicit ControlNames(page::Document& document) {
        const page::ElementCollection all = document.all();
        for (int i = 0; i < all.length(); ++i) {
            const page::Element e = all.item(i);
            if (isFormControl(e.tagName())) m_byName[e.name()].push_back(e.sourceIndex());
        }
    }
    /// Position (from 1) of the element among the controls of its name; 0 without a name.
    int occurrenceOf(const page::Element& element) const {
        const std::string name = element.name();
        if (name.empty()) return 0;
        const auto it = m_byName.find(name);
        if (it == m_byName.end()) return 0;
        const std::vector<int>& indexes = it->second;
        const auto at = std::lower_bound(indexes.begin(), indexes.end(), element.sourceIndex());
        return (at == indexes.end() || *at != element.sourceIndex())
                   ? 0
                   : static_cast<int>(at - indexes.begin()) + 1;
    }

  private:
    std::map<std::string, std::vector<int>> m_byName;
};

WrittenElement describeElement(const ControlNames& controls, const page::Element& element) {
    WrittenElement out;
    out.tag = element.tagName();
    out.type = element.type();
    out.name = element.name();
    out.id = element.id();
    out.index = element.sourceIndex();
    out.occurrence = controls.occurrenceOf(element);
    return out;
}

// The writes of one entry: each element it wrote, once, in the order of its first write, with
// the element's state now and the write records behind it; then each refused write, and when the
// entry wrote nothing and nothing was refused, why it wrote nothing.
void describeEntry(page::Document& document, const ControlNames& controls, const EntryWrites& span,
                   FormFillReport& report) {
    struct Seen {
        bool value = false;
        bool checked = false;
        std::vector<page::WriteRecord> records;
    };
    std::vector<int> order;
    std::map<int, Seen> seen;
    const std::vector<page::WriteRecord>& log = document.writeLog();
    for (std::size_t i = span.firstWrite; i < span.endWrite && i < log.size(); ++i) {
        const page::WriteRecord& record = log[i];
        if (record.kind == page::WriteKind::ScrollIntoView) continue;
        auto [it, inserted] = seen.try_emplace(record.sourceIndex);
        if (inserted) order.push_back(record.sourceIndex);
        if (record.kind == page::WriteKind::Value) it->second.value = true;
        if (record.kind == page::WriteKind::Checked) it->second.checked = true;
        it->second.records.push_back(record);
    }
    const std::string entry = text::toUtf8(span.entry);
    for (int sourceIndex : order) {
        const page::Element element = document.elementAt(sourceIndex);
        if (!element) continue;
        FillWrite write;
        write.entry = entry;
        write.element = describeElement(controls, element);
        if (element.tagName() == "SELECT") {
            const page::Element option = element.item(element.selectedIndex());
            write.selected = option ? option.text() : std::string();
            write.selectedValue = option ? option.value() : std::string();
        } else {
            if (seen[sourceIndex].value) write.value = element.value();
            if (seen[sourceIndex].checked) write.checked = element.status();
        }
        write.records = std::move(seen[sourceIndex].records);
        report.writes.push_back(std::move(write));
    }
    const std::vector<page::WriteRecord>& refusals = document.refusalLog();
    for (std::size_t i = span.firstRefusal; i < span.endRefusal && i < refusals.size(); ++i) {
        FillMiss miss;
        miss.entry = entry;
        miss.element = describeElement(controls, document.elementAt(refusals[i].sourceIndex));
        miss.reason = MissReason::NotRendered;
        miss.detail = refusals[i].value;
        report.misses.push_back(std::move(miss));
    }
    if (!order.empty() || span.firstRefusal != span.endRefusal) return;
    FillMiss miss;
    miss.entry = entry;
    miss.reason = reasonForUnwritten(span);
    miss.detail = miss.reason == MissReason::WriteFailed ? span.error : text::toUtf8(span.value);
    const page::Element element =
        span.element.isCollection() ? span.element.collection().item(0) : span.element.element();
    if (element) miss.element = describeElement(controls, element);
    report.misses.push_back(std::move(miss));
}

// A form read by its own engine, kept until the document's forms are filled.
struct ReadForm {
    std::size_t report = 0;
    std::unique_ptr<engine::clsHTMLItems> engine;
};

MissReason missReasonOf(engine::LeftEmptyReason reason) {
    return reason == engine::LeftEmptyReason::SecondBlock ? MissReason::SecondBlock : MissReason::NotPersonal;
}

// The controls the rule stages left empty, as writes not made.
void describeLeftEmpty(const engine::clsHTMLItems& engine, page::Document& document, const ControlNames& controls,
                       FormFillReport& report) {
    for (const engine::LeftEmptyEntry& left : engine.RuleStages.leftEmpty) {
        FillMiss miss;
        miss.entry = text::toUtf8(left.entry);
        miss.reason = missReasonOf(left.reason);
        miss.detail = left.detail;
        const page::NamedItem found = FindElementByTokenName(document, engine, left.tokenName);
        const page::Element element = found.isCollection() ? found.collection().item(0) : found.element();
        if (element) miss.element = describeElement(controls, element);
        report.misses.push_back(std::move(miss));
    }
}

void fillForm(engine::clsHTMLItems& engine, page::Document& document, const ControlNames& controls,
              const clsUserInfo& person, FormFillReport& report) {
    const EntryObserver observer = [&](const EntryWrites& span) { describeEntry(document, controls, span, report); };
    if (engine.RuleStages.rules == engine::RuleSet::Documented) {
        Fill(engine, document, person, observer);
        return;
    }
    FormFiller filler(engine, document, person);
    OrvexWriters writers(document);
    filler.setEntryWriter(std::ref(writers));
    filler.Fill(observer);
    describeLeftEmpty(engine, document, controls, report);
}

std::unique_ptr<engine::clsHTMLItems> readDocumented(std::string_view html, FormFillReport& report) {
    auto engine = std::make_unique<engine::clsHTMLItems>();
    report.text = std::string(html);
    report.ok = engine->InterpretHTMLMain(text::fromUtf8(html));
    report.runError = engine->RunErrorAt;
    for (const text::Text& entry : engine->FillingTags) report.entries.push_back(text::toUtf8(entry));
    return engine;
}

std::unique_ptr<engine::clsHTMLItems> readOrvex(std::string_view html, const page::Element& form,
                                                FormFillReport& report) {
    text::Text read;
    std::unique_ptr<engine::clsHTMLItems> engine = rules::readWithOrvexRules(text::fromUtf8(html), form, read);
    report.text = text::toUtf8(read);
    report.ok = !engine->FillingTags.empty();
    report.runError = engine->RunErrorAt;
    for (const text::Text& entry : engine->FillingTags) report.entries.push_back(text::toUtf8(entry));
    for (const engine::StageNote& note : engine->RuleStages.notes)
        report.stageNotes.push_back(note.stage + ": " + note.text);
    for (const engine::LeftEmptyEntry& left : engine->RuleStages.leftEmpty) {
        const std::optional<engine::PageNameCount> page = engine->lookupGeneratedName(left.tokenName);
        const std::string name = text::toUtf8(page ? page->pageName : left.tokenName);
        report.stageNotes.push_back(left.stage + ": left empty " + name + " (" + text::toUtf8(left.entry) +
                                    "): " + left.detail);
    }
    return engine;
}

}  // namespace

engine::RuleSet configuredRules() {
    return engine::parseRuleSet(settings::globals().Rules).value_or(engine::RuleSet::Orvex);
}

std::unique_ptr<engine::clsHTMLItems> readFormReported(std::string_view html, const page::Element& form,
                                                       FormFillReport& report) {
    return readFormReported(html, form, report, configuredRules());
}

std::unique_ptr<engine::clsHTMLItems> readFormReported(std::string_view html, const page::Element& form,
                                                       FormFillReport& report, engine::RuleSet rules) {
    if (rules == engine::RuleSet::Documented) return readDocumented(html, report);
    try {
        return readOrvex(html, form, report);
    } catch (const std::exception&) {
        // Orvex's rules failed as a whole: the form is read by the documented rules alone.
        report = FormFillReport{report.index, report.action};
        return readDocumented(html, report);
    }
}

bool fillFormReported(engine::clsHTMLItems& engine, page::Document& document, const clsUserInfo& person,
                      FormFillReport& report) {
    try {
        fillForm(engine, document, ControlNames(document), person, report);
    } catch (const std::exception&) {
        // What was written so far stays in the report.
    }
    return !engine.FillingTags.empty();
}

std::vector<page::Document*> pageDocuments(page::Document& top) {
    std::vector<page::Document*> out;
    collectDocuments(top, out);
    return out;
}

PageFillReport readAndFillPage(page::Document& top, const clsUserInfo* person) {
    return readAndFillPage(top, person, configuredRules());
}

PageFillReport readAndFillPage(page::Document& top, const clsUserInfo* person, engine::RuleSet rules) {
    PageFillReport page;
    try {
        for (page::Document* document : pageDocuments(top)) {
            const page::ElementCollection forms = document->all().tags("FORM");
            std::vector<ReadForm> read;
            for (int i = 0; i < forms.length(); ++i) {
                const page::Element form = forms.item(i);
                FormFillReport report;
                report.index = static_cast<int>(page.forms.size());
                report.action = form.attribute("action").value_or(std::string());
                const std::string html = form.innerHTML();
                // A form without content is not read, as a frame reader skips it; Orvex's rules
                // read it for the controls it owns from outside.
                std::unique_ptr<engine::clsHTMLItems> engine;
                if (!html.empty() || rules == engine::RuleSet::Orvex)
                    engine = readFormReported(html, form, report, rules);
                if (report.ok) read.push_back({page.forms.size(), std::move(engine)});
                page.forms.push_back(std::move(report));
            }
            if (person == nullptr || read.empty()) continue;
            const ControlNames controls(*document);
            for (ReadForm& form : read)
                fillForm(*form.engine, *document, controls, *person, page.forms[form.report]);
        }
    } catch (const std::exception&) {
        // What was read and written so far stays in the report.
    }
    return page;
}

FormFillReport readAndFillForm(std::string_view formHtml, page::Document* document,
                               const clsUserInfo* person) {
    return readAndFillForm(formHtml, document, person, configuredRules());
}

FormFillReport readAndFillForm(std::string_view formHtml, page::Document* document,
                               const clsUserInfo* person, engine::RuleSet rules) {
    FormFillReport report;
    try {
        std::unique_ptr<engine::clsHTMLItems> engine =
            readFormReported(formHtml, page::Element(), report, rules);
        if (report.ok && person != nullptr && document != nullptr)
            fillForm(*engine, *document, ControlNames(*document), *person, report);
    } catch (const std::exception&) {
        // What was read and written so far stays in the report.
    }
    return report;
}

int countFilledElements(const FormFillReport& form) {
    std::map<int, bool> filled;  // by element index: the last write left a value
    for (const FillWrite& write : form.writes) {
        bool has = false;
        if (write.value) has = !write.value->empty();
        if (write.checked) has = has || *write.checked;
        if (write.selectedValue) has = !write.selectedValue->empty();
        filled[write.element.index] = has;
    }
    int count = 0;
    for (const auto& [index, has] : filled) count += has ? 1 : 0;
    return count;
}

}  // namespace orvex::fill
