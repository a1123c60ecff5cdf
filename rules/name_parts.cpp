#include "rules/name_parts.h"

#include "rules/rule_words.h"
#include "rules/tag_family.h"
#include "text/strings.h"

namespace orvex::rules {
namespace {

// Reading words and separators that a part label may carry around the part word.
constexpr std::array<TextView, 8> kAroundPart = {u"フリガナ", u"ふりがな", u"カナ", u"かな", u"/", u"・",
                                                 u"（", u"）"};

}  // namespace

NamePart namePartOf(TextView labelIn) {
    Text label = text::toLower(labelIn);
    for (TextView w : kAroundPart) label = text::replaceAll(label, w, u"");
    label = text::replaceAll(label, u"(", u"");
    label = text::replaceAll(label, u")", u"");
    if (label.empty()) return NamePart::Unknown;
    if (text::contains(label, u"姓名")) return NamePart::Whole;
    for (TextView w : words::kFamilyPart)
        if (text::contains(label, w)) return NamePart::Family;
    if (holdsAny(label, words::kWholeName)) return NamePart::Whole;
    if (label == u"名" || label == u"めい" || label == u"メイ" || text::contains(label, u"given") ||
        text::contains(label, u"first"))
        return NamePart::Given;
    return NamePart::Unknown;
}

Text boxLabel(const RuleForm& form, const RuleControl& control) {
    if (!control.coreOwn.empty()) return control.coreOwn;
    return control.coreBefore.empty() ? form.coreRowLabel(control.block) : control.coreBefore;
}

NamePart partOfBox(const RuleForm& form, const RuleControl& control) {
    const NamePart before = namePartOf(control.coreBefore);
    if (before == NamePart::Family || before == NamePart::Given) return before;
    const NamePart own = namePartOf(control.coreOwn);
    if (own != NamePart::Unknown) return own;
    return before != NamePart::Unknown ? before : namePartOf(form.coreRowLabel(control.block));
}

std::vector<Text> nameTags(const std::vector<NamePart>& parts, TextView base) {
    if (parts.size() == 1) return {Text(base)};
    if (parts.size() != 2) return {};
    NamePart first = parts[0];
    NamePart second = parts[1];
    // A whole-name label beside a part label stands for the other part (名字 / 名前).
    if (first == NamePart::Family && second != NamePart::Family) second = NamePart::Given;
    if (second == NamePart::Family && first != NamePart::Family) first = NamePart::Given;
    if (first == NamePart::Given && second != NamePart::Given) second = NamePart::Family;
    if (first == second && first != NamePart::Unknown && first != NamePart::Whole) return {};
    const bool swapped = first == NamePart::Given && second == NamePart::Family;
    return {Text(base) + (swapped ? u"2" : u"1"), Text(base) + (swapped ? u"1" : u"2")};
}

}  // namespace orvex::rules
