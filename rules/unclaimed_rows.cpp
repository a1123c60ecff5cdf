// Stage "unclaimed-rows": a row with one box, no entry, and a label that names exactly one of
// e-mail, telephone, fax, pen name or age (its help sentences set aside: "※携帯メールアドレスで
// のご登録は…" under a row must not veto it) gets that field's tag, when the box's name or input
// type agrees. The documented stages can miss such a row when a spacer line splits the run of
// like rows and another run lies nearer the middle of the form.

#include "engine/dictionaries.h"
#include "engine/field_kind.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "unclaimed-rows";

struct OneBoxField {
    TagFamily family;
    int kind;
    TextView tag;
    TextView inputType;  // an input type that agrees as well as the name ("" for none)
};
// The fields a row of one box is given by its label alone.
constexpr std::array<OneBoxField, 5> kOneBoxFields = {{
    {TagFamily::Email, engine::kEmail, u"EMAIL", u"email"},
    {TagFamily::Fax, engine::kFax, u"FAX", u""},
    {TagFamily::Tel, engine::kTel, u"TEL", u"tel"},
    {TagFamily::Handle, engine::kHandleName, u"HANDLENAME", u""},
    {TagFamily::Age, engine::kAge, u"AGE", u"number"},
}};
// Sentence endings that make a text a help sentence rather than a label.
constexpr std::array<TextView, 6> kSentenceMarks = {u"。", u"ください", u"ません", u"ます", u"です", u"下さい"};

// The block's label: the texts before its first control that are no help sentences.
Text labelWithoutHelp(const RuleForm& form, int block) {
    Text out;
    for (const Text& token : form.engine().blockAt(block)->colToken) {
        if (engine::isTagToken(token)) break;
        const Text t = text::replaceAll(token, engine::kCrToken, u"");
        bool sentence = false;
        for (TextView mark : kSentenceMarks) sentence = sentence || text::contains(t, mark);
        if (!sentence) out += t;
    }
    return coreLabel(out);
}

bool nameAgrees(const RuleControl& c, const OneBoxField& field) {
    Text name = c.pageName.empty() && c.element ? text::fromUtf8(c.element.name()) : c.pageName;
    return engine::ScoreName(field.kind, name) > 0 || (!field.inputType.empty() && c.type == field.inputType);
}

}  // namespace

void unclaimedRowsStage(RuleForm& form) {
    for (int block = 1; block <= form.blockCount(); ++block) {
        const ControlRange controls = form.controlsOf(block);
        if (controls.size() != 1) continue;
        const RuleControl& c = *controls.front();
        if (!c.isTextBox() || !form.tagOf(c).empty() || form.isLeftEmpty(c)) continue;
        const Text label = labelWithoutHelp(form, block);
        const OneBoxField* named = nullptr;
        int count = 0;
        for (const OneBoxField& field : kOneBoxFields) {
            if (!form.names(field.family, label)) continue;
            named = &field;
            ++count;
        }
        if (count == 1 && nameAgrees(c, *named))
            form.setTag(c, named->tag, kStage, "its label " + text::toUtf8(label) + " names it and no stage took it");
    }
}

}  // namespace orvex::rules
