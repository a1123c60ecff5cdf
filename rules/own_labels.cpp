// Stage "own-labels": when the page gives each control of a line a label of its own (a LABEL
// naming it), each control is what its own label says. A control whose own label names nothing
// of what its line's entry writes, beside one whose label does, loses that entry: a subject box
// beside a name box on one line is no part of the name.

#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "own-labels";
// Own labels this short are the parts of a field (姓, 名, 〒) rather than a field's name.
constexpr std::size_t kShortestFieldLabel = 2;

// The families whose boxes a line's label may spread over several boxes.
bool spreadsOverBoxes(TagFamily family) {
    return family == TagFamily::Name || family == TagFamily::Reading || family == TagFamily::Handle ||
           family == TagFamily::Email || family == TagFamily::Tel || family == TagFamily::Fax ||
           family == TagFamily::Zip || family == TagFamily::Address;
}

}  // namespace

void ownLabelsStage(RuleForm& form) {
    for (int block = 1; block <= form.blockCount(); ++block) {
        const ControlRange controls = form.controlsOf(block);
        if (controls.size() < 2) continue;
        for (const RuleControl* c : controls) {
            const TagFamily family = familyOf(form.tagOf(*c));
            const Text& label = c->coreOwn;
            if (!spreadsOverBoxes(family) || label.size() < kShortestFieldLabel || form.names(family, label)) continue;
            bool otherNamesIt = false;
            for (const RuleControl* other : controls)
                otherNamesIt = otherNamesIt || (other != c && familyOf(form.tagOf(*other)) == family &&
                                                form.names(family, other->coreOwn));
            if (otherNamesIt)
                form.leaveEmpty(*c, engine::LeftEmptyReason::NotPersonal, "its own label " + text::toUtf8(label), kStage);
        }
    }
}

}  // namespace orvex::rules
