// Stage "birth-rows": a birth date asked for in one row per part (生年月日(年), 生年月日(月),
// 生年月日(日)) gives each row's box the part its label names, where the documented stages read
// the first row as the whole date and left the others empty. A birth row that asks for the era
// with radio buttons (昭和, 平成 ...) gives the buttons the era and each box the part its unit
// after it names (年, 月, 日): the documented stages know era lists only.

#include <algorithm>

#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "birth-rows";

struct DatePart {
    TextView unit;
    TextView tag;
};
constexpr std::array<DatePart, 3> kDateParts = {{{u"年", u"BIRTHYEAR"}, {u"月", u"BIRTHMONTH"}, {u"日", u"BIRTHDAY"}}};

// The part a one-box birth row's label names once its birth words are taken out; nullptr when it
// names none or several.
const DatePart* partNamed(TextView label) {
    if (!holdsAny(label, words::kBirthEvidence)) return nullptr;
    Text rest(label);
    for (TextView w : {TextView(u"生年月日"), TextView(u"誕生日"), TextView(u"生年")}) rest = text::replaceAll(rest, w, u"");
    const DatePart* found = nullptr;
    for (const DatePart& part : kDateParts) {
        if (!text::contains(rest, part.unit)) continue;
        if (found != nullptr) return nullptr;
        found = &part;
    }
    return found;
}

// The era names an era choice offers.
constexpr std::array<TextView, 6> kEraNames = {u"明治", u"大正", u"昭和", u"平成", u"令和", u"西暦"};

// The part the unit right after a box names ("年" after the year box); nullptr for none.
const DatePart* partAfter(const RuleControl& c) {
    const Text after = coreLabel(c.after);
    for (const DatePart& part : kDateParts)
        if (text::startsWith(after, part.unit)) return &part;
    return nullptr;
}

// The controls of a row and of the unlabelled lines that continue it (the engine cuts a line
// where radio buttons give way to boxes).
std::vector<const RuleControl*> rowWithContinuation(const RuleForm& form, int block) {
    std::vector<const RuleControl*> out;
    for (const RuleControl* c : form.controlsOf(block)) out.push_back(c);
    for (int b = form.nextRow(block); b != 0 && coreLabel(form.rowLabel(b)).empty(); b = form.nextRow(b))
        for (const RuleControl* c : form.controlsOf(b)) out.push_back(c);
    return out;
}

// The era buttons and the dated boxes of a birth row.
void eraRow(RuleForm& form, int block) {
    const RuleControl* era = nullptr;
    int eraButtons = 0;
    std::vector<std::pair<const RuleControl*, const DatePart*>> parts;
    for (const RuleControl* c : rowWithContinuation(form, block)) {
        if (c->type == u"radio") {
            if (!holdsAny(c->after, kEraNames)) continue;
            if (era == nullptr) era = c;
            eraButtons += c->tokenName == era->tokenName ? 1 : 0;
        } else if (const DatePart* part = partAfter(*c)) {
            parts.emplace_back(c, part);
        }
    }
    const bool hasYear = std::any_of(parts.begin(), parts.end(),
                                     [](const auto& p) { return p.second->tag == kDateParts[0].tag; });
    if (era == nullptr || eraButtons < 2 || !hasYear || form.isLeftEmpty(*era)) return;
    form.setTag(*era, u"BIRTHYEARTYPE", kStage, "era buttons of the birth date");
    for (const auto& [control, part] : parts)
        form.setTag(*control, part->tag, kStage, "the part its unit names after an era choice");
}

}  // namespace

void birthRowsStage(RuleForm& form) {
    for (int block = form.nextRow(0); block != 0; block = form.nextRow(block))
        if (holdsAny(form.coreRowLabel(block), words::kBirthEvidence)) eraRow(form, block);
    // Runs of one-box rows, each naming a different part.
    for (int block = form.nextRow(0); block != 0;) {
        std::vector<std::pair<const RuleControl*, const DatePart*>> run;
        int b = block;
        for (; b != 0; b = form.nextRow(b)) {
            const ControlRange controls = form.controlsOf(b);
            const DatePart* part = controls.size() == 1 ? partNamed(form.coreRowLabel(b)) : nullptr;
            if (part == nullptr || form.isLeftEmpty(*controls.front())) break;
            run.emplace_back(controls.front(), part);
        }
        if (run.size() >= 2)
            for (const auto& [control, part] : run)
                form.setTag(*control, part->tag, kStage, "a row of its own for one part of the birth date");
        block = run.empty() ? form.nextRow(block) : b;
    }
}

}  // namespace orvex::rules
