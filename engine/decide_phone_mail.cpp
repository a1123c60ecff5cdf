// The telephone, fax and e-mail deciders.

#include "engine/decider_support.h"
#include "engine/decider_tags.h"
#include "engine/html_items.h"

namespace orvex::engine {

using decider::blockOf;
using decider::entry;
using decider::hasPositions;

namespace {

/// Two phone blocks with this many inputs together are two three-input numbers (home and
/// mobile): the first number is filled.
constexpr std::size_t kTwoThreePartNumbers = 6;

}  // namespace

bool clsHTMLItems::DecideTelTags() {
    if (!hasPositions(KindBlocks[kTel])) return false;
    const std::vector<int> list = *KindBlocks[kTel];
    const std::vector<Text> names = CollectInputNames(list, false);
    const std::size_t n = names.size();
    const std::size_t b = list.size();
    if (n == 0) return false;

    if (n == 1) {
        FillingTags.push_back(entry(names[0], tags::kTel));
    } else if (n == 2) {
        if (b == 1 && blockOf(*this, list.front()).Is2Tel()) {
            FillingTags.push_back(entry(names[0], tags::kTel1));
            FillingTags.push_back(entry(names[1], tags::kTel2Hyphen3));
        } else {
            // Two separate numbers, each whole.
            FillingTags.push_back(entry(names[0], tags::kTel));
            FillingTags.push_back(entry(names[1], tags::kTel));
        }
    } else if (b == 1 || (b == 2 && n == kTwoThreePartNumbers)) {
        FillingTags.push_back(entry(names[0], tags::kTel1));
        FillingTags.push_back(entry(names[1], tags::kTel2));
        FillingTags.push_back(entry(names[2], tags::kTel3));
    } else {
        FillingTags.push_back(entry(names[0], tags::kTel));
    }
    return true;
}

bool clsHTMLItems::DecideFaxTags() {
    if (!hasPositions(KindBlocks[kFax])) return false;
    const std::vector<int> list = *KindBlocks[kFax];
    const std::vector<Text> names = CollectInputNames(list, false);
    const std::size_t n = names.size();
    if (n == 0) return false;

    if (n == 1) {
        FillingTags.push_back(entry(names[0], tags::kFax));
    } else if (n == 2) {
        if (list.size() == 1 && blockOf(*this, list.front()).Is2Tel()) {
            FillingTags.push_back(entry(names[0], tags::kFax1));
            FillingTags.push_back(entry(names[1], tags::kFax2Hyphen3));
        } else {
            FillingTags.push_back(entry(names[0], tags::kFax));
            FillingTags.push_back(entry(names[1], tags::kFax));
        }
    } else {
        // Three or more inputs, however many blocks hold them.
        FillingTags.push_back(entry(names[0], tags::kFax1));
        FillingTags.push_back(entry(names[1], tags::kFax2));
        FillingTags.push_back(entry(names[2], tags::kFax3));
    }
    return true;
}

bool clsHTMLItems::DecideEmailTags() {
    if (!hasPositions(KindBlocks[kEmail])) return false;
    const std::vector<int> list = *KindBlocks[kEmail];
    const std::vector<Text> names = CollectInputNames(list, false);

    switch (names.size()) {
        case 1:
            FillingTags.push_back(entry(names[0], tags::kEmail));
            return true;
        case 2: {
            bool confirm = blockOf(*this, list[0]).EmailConfirm();
            if (list.size() == 2 && blockOf(*this, list[1]).EmailConfirm()) confirm = true;
            FillingTags.push_back(entry(names[0], confirm ? tags::kEmail : tags::kEmail1));
            FillingTags.push_back(entry(names[1], confirm ? tags::kEmail : tags::kEmail2));
            return true;
        }
        case 4:
            // A split address and its split re-entry.
            FillingTags.push_back(entry(names[0], tags::kEmail1));
            FillingTags.push_back(entry(names[1], tags::kEmail2));
            FillingTags.push_back(entry(names[2], tags::kEmail1));
            FillingTags.push_back(entry(names[3], tags::kEmail2));
            return true;
        default:
            return false;
    }
}

}  // namespace orvex::engine
