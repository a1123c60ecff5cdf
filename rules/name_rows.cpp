// Stage "name-rows": the boxes of the person's name, wherever the documented stages left them:
// a lone 名 row after a 姓 row, a 名字 row and a 名前 row, a single name box left with half a
// name once another box beside it turned out to be something else. One box takes the whole name;
// two boxes in one row or in two rows one after the other take the family and the given name by
// their labels, else in their order.

#include "rules/name_parts.h"
#include "rules/rule_words.h"
#include "rules/stages.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

constexpr std::string_view kStage = "name-rows";

// True when a box without an entry (or with a reading entry the row does not ask for) is a name
// box: its label asks for a name or a part of one, and its row is no reading, nickname or
// organisation row.
bool isUnclaimedNameBox(const RuleForm& form, const RuleControl& c) {
    const TagFamily family = familyOf(form.tagOf(c));
    if (!c.isTextBox() || (family != TagFamily::None && family != TagFamily::Reading)) return false;
    const Text row = form.rowLabel(c.block);
    if (holdsAny(row, words::kReading) || holdsAny(row, words::kOtherNames) || holdsAny(row, words::kOrganisation) ||
        holdsAny(row, words::kSecondParty))
        return false;
    const Text label = boxLabel(form, c);
    if (holdsAny(label, words::kOtherNames)) return false;
    const NamePart part = namePartOf(label);
    return part == NamePart::Family || part == NamePart::Given || part == NamePart::Whole;
}

}  // namespace

void nameRowsStage(RuleForm& form) {
    std::vector<const RuleControl*> boxes;
    for (const RuleControl& c : form.controls()) {
        if (form.isLeftEmpty(c)) continue;
        if ((c.isTextBox() && familyOf(form.tagOf(c)) == TagFamily::Name) || isUnclaimedNameBox(form, c))
            boxes.push_back(&c);
    }
    if (boxes.empty() || boxes.size() > 2) return;
    if (boxes.size() == 2 && !form.adjacent(*boxes[0], *boxes[1])) return;
    std::vector<NamePart> parts;
    for (const RuleControl* c : boxes) parts.push_back(partOfBox(form, *c));
    const std::vector<Text> tags = nameTags(parts, u"NAME");
    for (std::size_t i = 0; i < tags.size(); ++i)
        form.setTag(*boxes[i], tags[i], kStage, boxes.size() == 1 ? "the only name box" : "its part of the name");
}

}  // namespace orvex::rules
