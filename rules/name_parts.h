#pragma once
// The parts of a name that a row of boxes asks for, read from the labels around each box, and
// the boxes of the person's name and of its reading.

#include <vector>

#include "rules/rule_form.h"

namespace orvex::rules {

/// Which part of a name a box's label asks for.
enum class NamePart { Unknown, Family, Given, Whole };

/// The part a label (its marks and reading words removed) asks for: 姓, 名字, セイ, family ...
/// the family name; 名, メイ, given ... the given name; 氏名, お名前, 名前 the whole name.
NamePart namePartOf(TextView label);

/// The words that describe one box: its own label, else the text right before it, else its
/// row's label, as coreLabel.
Text boxLabel(const RuleForm& form, const RuleControl& control);

/// The part one box asks for: what the text right before it says, else its own label, else its
/// row's label.
NamePart partOfBox(const RuleForm& form, const RuleControl& control);

/// The tags of a name split over `count` boxes whose labels ask for `parts` (in box order): the
/// family part first and the given part second, or box order when the labels do not tell; each
/// tag is `base` followed by "1" or "2". A single box gets `base` alone. Empty when the boxes
/// are neither one nor two or their labels ask for the same part twice.
std::vector<Text> nameTags(const std::vector<NamePart>& parts, TextView base);

}  // namespace orvex::rules
