#include "tools/page_report.h"

namespace orvex::tools {
namespace {

// A text with every double quote and backslash escaped, for one-line output.
std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out.push_back('\\');
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out.push_back(c);
    }
    return out + "\"";
}

nlohmann::ordered_json elementToJson(const fill::WrittenElement& e) {
    return {{"tag", e.tag}, {"type", e.type},   {"name", e.name},
            {"id", e.id},   {"index", e.index}, {"occurrence", e.occurrence}};
}

nlohmann::ordered_json writeToJson(const fill::FillWrite& w) {
    nlohmann::ordered_json j = {{"entry", w.entry}, {"element", elementToJson(w.element)}};
    if (w.value) j["value"] = *w.value;
    if (w.checked) j["checked"] = *w.checked;
    if (w.selected) j["selected"] = *w.selected;
    if (w.selectedValue) j["selectedValue"] = *w.selectedValue;
    return j;
}

nlohmann::ordered_json missToJson(const fill::FillMiss& m) {
    nlohmann::ordered_json j = {{"entry", m.entry}};
    if (m.element) j["element"] = elementToJson(*m.element);
    j["reason"] = std::string(fill::missReasonName(m.reason).key);
    j["text"] = std::string(fill::missReasonName(m.reason).text);
    if (!m.detail.empty()) j["detail"] = m.detail;
    return j;
}

}  // namespace

void writeEntries(std::ostream& out, const fill::PageFillReport& report) {
    for (const fill::FormFillReport& form : report.forms)
        for (const std::string& entry : form.entries) out << entry << '\n';
}

void writeFormTexts(std::ostream& out, const fill::PageFillReport& report) {
    for (const fill::FormFillReport& form : report.forms)
        out << "# form " << form.index << " action=" << quoted(form.action) << '\n' << form.text << '\n';
}

std::string describeWrite(const fill::FillWrite& w) {
    std::string line = w.entry + " -> " + w.element.tag + ' ' + w.element.type + " name=" + w.element.name;
    if (!w.element.id.empty()) line += " id=" + w.element.id;
    line += " #" + std::to_string(w.element.occurrence) + " [" + std::to_string(w.element.index) + "]:";
    if (w.value) line += " value=" + quoted(*w.value);
    if (w.checked) line += *w.checked ? " checked" : " unchecked";
    if (w.selected)
        line += " selected=" + quoted(*w.selected) + " (value " + quoted(w.selectedValue.value_or("")) + ")";
    return line;
}

std::string describeMiss(const fill::FillMiss& m) {
    std::string line = m.entry + " -> ";
    if (m.element) {
        line += m.element->tag + ' ' + m.element->type + " name=" + m.element->name;
        if (!m.element->id.empty()) line += " id=" + m.element->id;
        line += " #" + std::to_string(m.element->occurrence) + " [" + std::to_string(m.element->index) + "]";
    } else {
        line += "(no element)";
    }
    line += ": not written, " + std::string(fill::missReasonName(m.reason).text);
    if (!m.detail.empty()) line += " (" + quoted(m.detail) + ")";
    return line;
}

void writeWrites(std::ostream& out, const fill::PageFillReport& report) {
    for (const std::string& note : report.notes) out << "# " << note << '\n';
    for (const fill::FormFillReport& form : report.forms) {
        if (!form.runError.empty())
            out << "# form " << form.index << ": the engine stopped at " << form.runError << '\n';
        for (const fill::FillWrite& w : form.writes) out << describeWrite(w) << '\n';
        for (const fill::FillMiss& m : form.misses) out << describeMiss(m) << '\n';
    }
}

nlohmann::ordered_json reportToJson(const fill::PageFillReport& report, bool withText) {
    nlohmann::ordered_json forms = nlohmann::ordered_json::array();
    for (const fill::FormFillReport& form : report.forms) {
        nlohmann::ordered_json writes = nlohmann::ordered_json::array();
        for (const fill::FillWrite& w : form.writes) writes.push_back(writeToJson(w));
        nlohmann::ordered_json misses = nlohmann::ordered_json::array();
        for (const fill::FillMiss& m : form.misses) misses.push_back(missToJson(m));
        nlohmann::ordered_json j = {{"index", form.index},
                                    {"action", form.action},
                                    {"ok", form.ok},
                                    {"entries", form.entries},
                                    {"writes", writes},
                                    {"misses", misses}};
        if (!form.runError.empty()) j["runError"] = form.runError;
        if (withText) j["text"] = form.text;
        forms.push_back(std::move(j));
    }
    nlohmann::ordered_json j = {{"forms", forms}};
    if (!report.notes.empty()) j["notes"] = report.notes;
    return j;
}

}  // namespace orvex::tools
