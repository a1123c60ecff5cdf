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

void writeWrites(std::ostream& out, const fill::PageFillReport& report) {
    for (const fill::FormFillReport& form : report.forms)
        for (const fill::FillWrite& w : form.writes) out << describeWrite(w) << '\n';
}

nlohmann::ordered_json reportToJson(const fill::PageFillReport& report, bool withText) {
    nlohmann::ordered_json forms = nlohmann::ordered_json::array();
    for (const fill::FormFillReport& form : report.forms) {
        nlohmann::ordered_json writes = nlohmann::ordered_json::array();
        for (const fill::FillWrite& w : form.writes) writes.push_back(writeToJson(w));
        nlohmann::ordered_json j = {{"index", form.index},
                                    {"action", form.action},
                                    {"ok", form.ok},
                                    {"entries", form.entries},
                                    {"writes", writes}};
        if (withText) j["text"] = form.text;
        forms.push_back(std::move(j));
    }
    return {{"forms", forms}};
}

}  // namespace orvex::tools
