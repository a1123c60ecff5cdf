// Stage "not-personal": rows that ask for something other than the person's data keep no
// entry. A questionnaire or survey section (opened by a short heading such as アンケート) asks
// about the person's views even where its questions hold 年齢, 職業 or 性別; it ends at the next
// plain person row (name, postal code, telephone, e-mail). A free-text box takes no single
// piece of data but an address; a date row that shows no sign of a birth date is some other
// date (a delivery date); the name of a company or school is no person's name. A heading of the
// person's own section (お客様情報, 会員情報 ...) ends a survey as well.

#include <span>

#include "engine/field_kind.h"
#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "not-personal";
// The longest label of a plain person row that ends a survey section.
constexpr std::size_t kPersonRowLabelLength = 12;

// The first of `list` in a short heading text before the block's first control; "" when none.
TextView headingWord(const RuleForm& form, int block, std::span<const TextView> list, std::size_t longest) {
    const engine::clsHTMLItemBlock* b = form.engine().blockAt(block);
    for (const Text& token : b->colToken) {
        if (engine::isTagToken(token)) break;
        if (token.size() > longest + 2 * engine::kCrToken.size()) continue;
        const Text heading = coreLabel(text::replaceAll(token, engine::kCrToken, u""));
        if (heading.size() > longest) continue;
        const TextView word = firstHeld(heading, list);
        if (!word.empty()) return word;
    }
    return {};
}

// True when the block is a plain person row: a short label that names a name, postal code,
// telephone or e-mail and no survey word.
bool isPersonRow(const RuleForm& form, int block) {
    const Text& label = form.coreRowLabel(block);
    if (label.empty() || label.size() > kPersonRowLabelLength || holdsAny(label, words::kSurvey)) return false;
    return form.rowNames(TagFamily::Name, block) || form.rowNames(TagFamily::Zip, block) ||
           form.rowNames(TagFamily::Tel, block) || form.rowNames(TagFamily::Email, block);
}

void leaveSurveysEmpty(RuleForm& form) {
    TextView word;  // the survey word of the section the walk is in; "" outside
    for (int block = 1; block <= form.blockCount(); ++block) {
        const TextView opening = headingWord(form, block, words::kSurvey, words::kSurveyHeadingLength);
        if (!opening.empty()) {
            word = opening;
        } else if (!word.empty() &&
                   (isPersonRow(form, block) ||
                    !headingWord(form, block, words::kPersonSection, kPersonRowLabelLength).empty())) {
            word = {};
        }
        if (word.empty()) continue;
        for (const RuleControl* c : form.controlsOf(block))
            form.leaveEmpty(*c, engine::LeftEmptyReason::NotPersonal, "a survey section (" + text::toUtf8(word) + ")",
                            kStage);
    }
}

// True when the block, its inputs' names or their hints show a birth date.
bool blockShowsBirth(const RuleForm& form, int block) {
    if (holdsAny(form.blockText(block), words::kBirthEvidence)) return true;
    for (const RuleControl* c : form.controlsOf(block))
        if (holdsAny(c->pageName, words::kBirthEvidence) || holdsAny(c->ownLabel, words::kBirthEvidence) ||
            text::contains(c->autocomplete, u"bday"))
            return true;
    return false;
}

// True when one of the birth rows the documented stages found shows a birth date: a date spread
// over three rows shows it in the first only.
bool birthRowsShowBirth(const RuleForm& form) {
    const auto& list = form.engine().KindBlocks[engine::kBirthDate];
    if (!list) return false;
    for (int block : *list)
        if (blockShowsBirth(form, block)) return true;
    return false;
}

}  // namespace

void notPersonalStage(RuleForm& form) {
    leaveSurveysEmpty(form);
    const bool birthShown = birthRowsShowBirth(form);
    for (const RuleControl& c : form.controls()) {
        const TagFamily family = familyOf(form.tagOf(c));
        if (family == TagFamily::None) continue;
        const Text& label = form.coreRowLabel(c.block);
        if (c.tagName == u"TEXTAREA" && family != TagFamily::Address) {
            form.leaveEmpty(c, engine::LeftEmptyReason::NotPersonal, "a free-text box", kStage);
        } else if (family == TagFamily::Birth && !birthShown && !blockShowsBirth(form, c.block)) {
            form.leaveEmpty(c, engine::LeftEmptyReason::NotPersonal, "a date that is no birth date: " + text::toUtf8(label),
                            kStage);
        } else if ((family == TagFamily::Name || family == TagFamily::Reading) &&
                   holdsAny(c.before.empty() ? label : c.coreBefore, words::kOrganisation)) {
            form.leaveEmpty(c, engine::LeftEmptyReason::NotPersonal, "an organisation's name: " + text::toUtf8(label),
                            kStage);
        }
    }
}

}  // namespace orvex::rules
