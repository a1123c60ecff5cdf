#include "fill/page_fill.h"

#include <algorithm>
#include <exception>
#include <map>
#include <memory>

#include "engine/html_items.h"
#include "fill/fill_misses.h"
#include "fill/form_filler.h"
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

void fillForm(engine::clsHTMLItems& engine, page::Document& document, const ControlNames& controls,
              const clsUserInfo& person, FormFillReport& report) {
    Fill(engine, document, person,
         [&](const EntryWrites& span) { describeEntry(document, controls, span, report); });
}

}  // namespace

std::unique_ptr<engine::clsHTMLItems> readFormReported(std::string_view html, const page::Element& form,
                                                       FormFillReport& report) {
    (void)form;
    auto engine = std::make_unique<engine::clsHTMLItems>();
    report.text = std::string(html);
    report.ok = engine->InterpretHTMLMain(text::fromUtf8(html));
    report.runError = engine->RunErrorAt;
    for (const text::Text& entry : engine->FillingTags) report.entries.push_back(text::toUtf8(entry));
    return engine;
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
                // A form without content is not read, as a frame reader skips it.
                std::unique_ptr<engine::clsHTMLItems> engine;
                if (!html.empty()) engine = readFormReported(html, form, report);
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
    FormFillReport report;
    try {
        std::unique_ptr<engine::clsHTMLItems> engine = readFormReported(formHtml, page::Element(), report);
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
